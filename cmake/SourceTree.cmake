# SPDX-License-Identifier: MIT
# Run by cpack as an install script for the source archive (see
# SourceFiles.cmake): copies the files of CPACK_VGZO_FILES from the source
# folder into the folder cpack packs, CMAKE_INSTALL_PREFIX here, and gives
# every file and folder the same time, SOURCE_DATE_EPOCH's, and plain modes
# (0755 for folders and executables, 0644 for the rest), so that neither
# the checkout nor the packing shows in the archive.
foreach(vgzo_file IN LISTS CPACK_VGZO_FILES)
  if(vgzo_file AND EXISTS ${CPACK_VGZO_SOURCE_DIR}/${vgzo_file})
    get_filename_component(vgzo_folder "${vgzo_file}" DIRECTORY)
    file(COPY ${CPACK_VGZO_SOURCE_DIR}/${vgzo_file}
         DESTINATION ${CMAKE_INSTALL_PREFIX}/${vgzo_folder})
  endif()
endforeach()

# string(TIMESTAMP) gives SOURCE_DATE_EPOCH's time when it is set; touch
# reads it in the time zone of its environment, hence UTC there too.
string(TIMESTAMP vgzo_stamp "%Y%m%d%H%M.%S" UTC)
file(GLOB_RECURSE vgzo_paths LIST_DIRECTORIES true ${CMAKE_INSTALL_PREFIX}/*)
execute_process(COMMAND chmod -R u=rwX,go=rX ${CMAKE_INSTALL_PREFIX}
                RESULT_VARIABLE vgzo_status)
if(vgzo_status EQUAL 0)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0 touch -t ${vgzo_stamp} ${vgzo_paths}
                  RESULT_VARIABLE vgzo_status)
endif()
if(NOT vgzo_status EQUAL 0)
  message(FATAL_ERROR "could not set the modes and times of the files in ${CMAKE_INSTALL_PREFIX}")
endif()
