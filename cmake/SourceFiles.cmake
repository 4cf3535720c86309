# SPDX-License-Identifier: MIT
# Run by cpack for each archive it makes (CPACK_PROJECT_CONFIG_FILE).  For the
# source archive it has the files git tracks, and only those, copied into the
# folder cpack packs, so that the archive holds exactly those: nothing from a
# build folder, nothing untracked.  Outside a git checkout (an unpacked
# source archive, say) every file is the release's, but for build folders.
# The archive is the same, byte for byte, each time it is made from one
# commit: SourceTree.cmake gives every file and folder the commit's time
# and plain modes, and SOURCE_DATE_EPOCH keeps the time of packing out of
# the gzip header.
cmake_policy(VERSION 3.18...4.3)
if(CPACK_INSTALL_CMAKE_PROJECTS OR NOT CPACK_INSTALLED_DIRECTORIES)
  return() # a binary archive: made from the install rules
endif()

set(vgzo_files "")
set(vgzo_epoch "$ENV{SOURCE_DATE_EPOCH}")
if(CPACK_VGZO_GIT AND EXISTS ${CPACK_VGZO_SOURCE_DIR}/.git)
  execute_process(
    COMMAND ${CPACK_VGZO_GIT} -C ${CPACK_VGZO_SOURCE_DIR} -c core.quotePath=false ls-files
    OUTPUT_VARIABLE vgzo_files RESULT_VARIABLE vgzo_status)
  if(NOT vgzo_status EQUAL 0)
    message(FATAL_ERROR "git ls-files failed in ${CPACK_VGZO_SOURCE_DIR}")
  endif()
  string(REPLACE "\n" ";" vgzo_files "${vgzo_files}")
  if(NOT vgzo_epoch)
    execute_process(
      COMMAND ${CPACK_VGZO_GIT} -C ${CPACK_VGZO_SOURCE_DIR} log -1 --format=%ct
      OUTPUT_VARIABLE vgzo_epoch OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
else()
  file(GLOB_RECURSE vgzo_files LIST_DIRECTORIES false RELATIVE ${CPACK_VGZO_SOURCE_DIR}
       ${CPACK_VGZO_SOURCE_DIR}/*)
  list(FILTER vgzo_files EXCLUDE REGEX "^(build|_CPack_Packages)/|/CMakeFiles/|CMakeCache\\.txt$")
endif()
if(NOT vgzo_epoch)
  # An unpacked release: its files carry the time they were packed with.
  file(TIMESTAMP ${CPACK_VGZO_SOURCE_DIR}/CMakeLists.txt vgzo_epoch "%s" UTC)
endif()
set(ENV{SOURCE_DATE_EPOCH} ${vgzo_epoch})

# SourceTree.cmake, run by cpack as an install script, copies the files into
# the folder cpack packs.  It does so, rather than cpack copying a folder
# (CPACK_INSTALLED_DIRECTORIES), because cpack would make the folders anew,
# with the time of packing.
set(CPACK_VGZO_FILES ${vgzo_files})
set(CPACK_INSTALL_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/SourceTree.cmake)
set(CPACK_INSTALLED_DIRECTORIES "")
set(CPACK_IGNORE_FILES "")
