# SPDX-License-Identifier: MIT
# Every manual page is lint-clean and renders:
#   cmake -DMANDOC=mandoc -DMAN_DIR=vgzo/man -P tests/manual/manual_lint.cmake
# mandoc -T lint -W warning finds nothing (but, on a link page, its one notice
# on the link form itself), and the page rendered for a terminal has a
# SYNOPSIS heading.
get_filename_component(MAN_DIR ${MAN_DIR} ABSOLUTE)
file(GLOB pages RELATIVE ${MAN_DIR} ${MAN_DIR}/man3/*.3)
if(NOT pages)
  message(FATAL_ERROR "no manual pages in ${MAN_DIR}/man3")
endif()
# Rendered for a terminal, bold is a character, a backspace and it again.
string(ASCII 8 backspace)
set(failures "")
foreach(page IN LISTS pages)
  # From the manual's folder, so that a link page's ".so man3/..." is found.
  execute_process(COMMAND ${MANDOC} -T lint -W warning ${page} WORKING_DIRECTORY ${MAN_DIR}
                  OUTPUT_VARIABLE messages ERROR_VARIABLE messages)
  string(REGEX REPLACE "[^\n]*: WARNING: \\.so is fragile, better use ln\\(1\\): so [^\n]*\n?" ""
         messages "${messages}")
  if(messages)
    list(APPEND failures "${messages}")
  endif()
  execute_process(COMMAND ${MANDOC} -T utf8 ${page} WORKING_DIRECTORY ${MAN_DIR}
                  OUTPUT_VARIABLE rendered RESULT_VARIABLE status)
  string(REGEX REPLACE ".${backspace}" "" rendered "${rendered}")
  if(NOT status EQUAL 0 OR NOT rendered MATCHES "\nSYNOPSIS\n")
    list(APPEND failures "${page} does not render with a SYNOPSIS")
  endif()
endforeach()
if(failures)
  list(JOIN failures "\n" failures)
  message(FATAL_ERROR "${failures}")
endif()
list(LENGTH pages count)
message(STATUS "${count} manual pages: lint clean, each rendered with a SYNOPSIS")
