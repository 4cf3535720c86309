# SPDX-License-Identifier: MIT
# Run by cpack for each archive it makes (CPACK_PROJECT_CONFIG_FILE).  For the
# source archive it puts the files git tracks into a folder of their own and
# has cpack pack that folder, so that the archive holds exactly those: nothing
# from a build folder, nothing untracked.  Outside a git checkout (an unpacked
# source archive, say) every file is the release's, but for build folders.
cmake_policy(VERSION 3.18...4.3)
if(CPACK_INSTALL_CMAKE_PROJECTS OR NOT CPACK_INSTALLED_DIRECTORIES)
  return() # a binary archive: made from the install rules
endif()

set(vgzo_stage ${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/source-files)
file(REMOVE_RECURSE ${vgzo_stage})
file(MAKE_DIRECTORY ${vgzo_stage})
set(vgzo_files "")
if(CPACK_VGZO_GIT AND EXISTS ${CPACK_VGZO_SOURCE_DIR}/.git)
  execute_process(
    COMMAND ${CPACK_VGZO_GIT} -C ${CPACK_VGZO_SOURCE_DIR} -c core.quotePath=false ls-files
    OUTPUT_VARIABLE vgzo_files RESULT_VARIABLE vgzo_status)
  if(NOT vgzo_status EQUAL 0)
    message(FATAL_ERROR "git ls-files failed in ${CPACK_VGZO_SOURCE_DIR}")
  endif()
  string(REPLACE "\n" ";" vgzo_files "${vgzo_files}")
else()
  file(GLOB_RECURSE vgzo_files LIST_DIRECTORIES false RELATIVE ${CPACK_VGZO_SOURCE_DIR}
       ${CPACK_VGZO_SOURCE_DIR}/*)
  list(FILTER vgzo_files EXCLUDE REGEX "^(build|_CPack_Packages)/|/CMakeFiles/|CMakeCache\\.txt$")
endif()
foreach(vgzo_file IN LISTS vgzo_files)
  if(vgzo_file AND EXISTS ${CPACK_VGZO_SOURCE_DIR}/${vgzo_file})
    get_filename_component(vgzo_folder "${vgzo_file}" DIRECTORY)
    file(COPY ${CPACK_VGZO_SOURCE_DIR}/${vgzo_file} DESTINATION ${vgzo_stage}/${vgzo_folder})
  endif()
endforeach()
set(CPACK_INSTALLED_DIRECTORIES ${vgzo_stage} /)
set(CPACK_IGNORE_FILES "")
