# SPDX-License-Identifier: MIT
# Release archives, made by CPack from the install rules, each with a .sha256
# file (the sha256sum line) beside it, named from the project's version:
#   --target package_source   vgzo-<version>.tar.gz, the tracked source files
#   --target package          vgzo-<version>-Linux-<processor>.tar.gz, or
#                             vgzo-<version>-win64.zip from the Windows build:
#                             the library (stripped), headers, CMake package,
#                             vgzo.pc, manual pages and documents; no stand-in.
# Only for vgzo as the top-level project: CPack is the including project's
# otherwise.
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "The vgzo authors")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
else()
  set(CPACK_GENERATOR TGZ)
  set(CPACK_PACKAGE_FILE_NAME
      ${PROJECT_NAME}-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
endif()
# The runtime and development components alone: the stand-ins' component is
# never part of a release, whatever VGZO_INSTALL_STANDINS says.
set(CPACK_INSTALL_CMAKE_PROJECTS
    ${PROJECT_BINARY_DIR} ${PROJECT_NAME} runtime /
    ${PROJECT_BINARY_DIR} ${PROJECT_NAME} development /)

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION})
# The source archive holds exactly the files git tracks; SourceFiles.cmake,
# run by cpack, works out which.  These are for it.
set(CPACK_VGZO_SOURCE_DIR ${PROJECT_SOURCE_DIR})
find_package(Git QUIET)
set(CPACK_VGZO_GIT "${GIT_EXECUTABLE}")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/SourceFiles.cmake)

include(CPack)
