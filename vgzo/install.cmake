# SPDX-License-Identifier: MIT
# Installation of the library: the shared library with its SONAME links (or
# the static library), the three public headers under include/vgzo, a CMake
# package (vgzo::vgzo) and a pkg-config file.  Components: "runtime" is the
# shared library alone, "development" adds the headers, the unversioned link,
# the static library, both package files and, on Windows, the .def file and
# vgzo.lib; "development" also holds the manual pages and the documents.  The
# stand-ins install from platform/ as the separate "standins" component.
# Included by vgzo/CMakeLists.txt only with VGZO_INSTALL, which a project
# taking vgzo in leaves off.
include(CMakePackageConfigHelpers)

set(VGZO_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/vgzo
    CACHE STRING "Where the CMake package files go, relative to the prefix")
mark_as_advanced(VGZO_INSTALL_CMAKEDIR)

install(TARGETS vgzo EXPORT vgzoTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT runtime NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
  PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vgzo COMPONENT development)

if(WIN32 AND VGZO_LIBRARY_TYPE STREQUAL "SHARED")
  # For Microsoft's tools: the exports, and the import library made from them.
  set(vgzo_microsoft_files ${VGZO_EXPORT_DEF})
  if(VGZO_MSVC_IMPORT_LIBRARY)
    list(APPEND vgzo_microsoft_files ${VGZO_MSVC_IMPORT_LIBRARY})
  endif()
  install(FILES ${vgzo_microsoft_files} DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
endif()

# The manual: one page for the library, one for each export (a link page
# where several share one), made from vgzo.h by man/generate_pages.py and
# committed, and the documents.
install(DIRECTORY man/man3 DESTINATION ${CMAKE_INSTALL_MANDIR} COMPONENT development)
# The same as HTML, for readers without man, where mandoc is at hand (found
# in vgzo/CMakeLists.txt, which says so when it is not).
if(VGZO_MANDOC)
  file(GLOB vgzo_man_pages ${CMAKE_CURRENT_LIST_DIR}/man/man3/*.3)
  set(vgzo_html_dir ${CMAKE_CURRENT_BINARY_DIR}/html)
  add_custom_command(
    OUTPUT ${vgzo_html_dir}/index.html
    COMMAND ${CMAKE_COMMAND} -DMANDOC=${VGZO_MANDOC} -DMAN_DIR=${CMAKE_CURRENT_LIST_DIR}/man
            -DOUT=${vgzo_html_dir} -P ${CMAKE_CURRENT_LIST_DIR}/man/html.cmake
    DEPENDS ${vgzo_man_pages} ${CMAKE_CURRENT_LIST_DIR}/man/html.cmake
    COMMENT "Rendering the manual pages as HTML"
    VERBATIM)
  add_custom_target(vgzo_manual_html ALL DEPENDS ${vgzo_html_dir}/index.html)
  install(DIRECTORY ${vgzo_html_dir}/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/html COMPONENT development)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md
              ${PROJECT_SOURCE_DIR}/CHANGELOG.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT development)

# The exported target links to vgzo::vg and vgzo::zo (see vgzo/CMakeLists.txt),
# which the config file makes from the canvas and imaging libraries it finds.
install(EXPORT vgzoTargets
  NAMESPACE vgzo::
  DESTINATION ${VGZO_INSTALL_CMAKEDIR}
  COMPONENT development)

# Where the canvas and imaging libraries were found, when not built here: the
# package and vgzo.pc send their users there first.
set(VGZO_OUTSIDE_LIBRARY_DIRS "")
if(NOT VGZO_USE_STANDINS)
  foreach(library IN ITEMS ${VGZO_VG_LIBRARY} ${VGZO_ZO_LIBRARY})
    get_filename_component(library_dir "${library}" DIRECTORY)
    list(APPEND VGZO_OUTSIDE_LIBRARY_DIRS ${library_dir})
  endforeach()
  list(REMOVE_DUPLICATES VGZO_OUTSIDE_LIBRARY_DIRS)
endif()
set(VGZO_OUTSIDE_LIBRARY_DIRS_QUOTED "")
foreach(dir IN LISTS VGZO_OUTSIDE_LIBRARY_DIRS)
  string(APPEND VGZO_OUTSIDE_LIBRARY_DIRS_QUOTED "\"${dir}\" ")
endforeach()

# The config file finds its own prefix from where it lies, so the package is
# relocatable; the library folder is passed as a path so that an absolute
# CMAKE_INSTALL_LIBDIR works too.
set(VGZO_PACKAGE_LIBDIR ${CMAKE_INSTALL_LIBDIR})
configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/vgzoConfig.cmake.in
  ${PROJECT_BINARY_DIR}/vgzoConfig.cmake
  INSTALL_DESTINATION ${VGZO_INSTALL_CMAKEDIR}
  PATH_VARS VGZO_PACKAGE_LIBDIR)
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/vgzoConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES
    ${PROJECT_BINARY_DIR}/vgzoConfig.cmake
    ${PROJECT_BINARY_DIR}/vgzoConfigVersion.cmake
    ${PROJECT_SOURCE_DIR}/cmake/FindVgzoOutsideLibraries.cmake
  DESTINATION ${VGZO_INSTALL_CMAKEDIR}
  COMPONENT development)

# pkg-config: vgzo.pc names the prefix in absolute paths, and the prefix is
# known only at install time (cmake --install --prefix may change it), so the
# file is written then, straight into its destination, and recorded in the
# install manifest like any other installed file.
set(vgzo_static OFF)
if(VGZO_LIBRARY_TYPE STREQUAL "STATIC")
  set(vgzo_static ON)
endif()
install(CODE "
  set(vgzo_pc_template [[${CMAKE_CURRENT_LIST_DIR}/vgzo.pc.in]])
  set(vgzo_pc_name [[${PROJECT_NAME}]])
  set(vgzo_pc_description [[${PROJECT_DESCRIPTION}]])
  set(vgzo_pc_version [[${PROJECT_VERSION}]])
  set(vgzo_pc_libdir [[${CMAKE_INSTALL_LIBDIR}]])
  set(vgzo_pc_includedir [[${CMAKE_INSTALL_INCLUDEDIR}]])
  set(vgzo_pc_outside_dirs [[${VGZO_OUTSIDE_LIBRARY_DIRS}]])
  set(vgzo_pc_static [[${vgzo_static}]])
  include([[${CMAKE_CURRENT_LIST_DIR}/pkgconfig.cmake]])
" COMPONENT development)
