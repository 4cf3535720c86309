# SPDX-License-Identifier: MIT
# Runs the demo (under EMULATOR, a space-separated command, when given) twice:
# once writing WORK/demo.png, which CHECK must find complete and equal to
# REFERENCE in every pixel (RENEW is the command that writes REFERENCE anew),
# and once told to write into a folder that does not exist, where it must fail
# with one line and leave no file behind.
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

execute_process(COMMAND ${emulator} ${DEMO} ${WORK}/demo.png RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the demo exited with ${status}")
endif()
execute_process(COMMAND ${emulator} ${CHECK} ${WORK}/demo.png ${REFERENCE} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the picture is not as drawn or not the README's.  If the change is "
                      "meant, look at ${WORK}/demo.png and write the README's anew: ${RENEW}")
endif()
file(GLOB leftovers ${WORK}/*.part)
if(leftovers)
  message(FATAL_ERROR "temporary files left: ${leftovers}")
endif()

execute_process(COMMAND ${emulator} ${DEMO} ${WORK}/missing/demo.png
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
string(STRIP "${errors}" errors)
string(REGEX MATCHALL "\n" lines "${errors}")
if(status EQUAL 0 OR errors STREQUAL "" OR lines)
  message(FATAL_ERROR "an unwritable picture gave status ${status} and: ${errors}")
endif()
if(EXISTS ${WORK}/missing)
  message(FATAL_ERROR "the demo made a folder or file it could not write")
endif()
message(STATUS "unwritable picture: ${errors}")
