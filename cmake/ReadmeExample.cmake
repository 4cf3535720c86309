# SPDX-License-Identifier: MIT
# The README's first program, the client that the tests and every packaging
# check build: vgzo_readme_example(FILE) writes the first C block after
# "## Getting started" of README.md into FILE (only when it changed, so that
# what is built from it is not rebuilt for nothing), and configures anew when
# the README changes.
function(vgzo_readme_example file)
  set(readme ${PROJECT_SOURCE_DIR}/README.md)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${readme})
  file(READ ${readme} text)
  string(FIND "${text}" "## Getting started" getting_started)
  string(SUBSTRING "${text}" ${getting_started} -1 text)
  if(getting_started EQUAL -1 OR NOT text MATCHES "```c\n(.*)")
    message(FATAL_ERROR "README.md has no C block after \"## Getting started\"")
  endif()
  string(FIND "${CMAKE_MATCH_1}" "```" block_end)
  string(SUBSTRING "${CMAKE_MATCH_1}" 0 ${block_end} program)
  set(old "")
  if(EXISTS ${file})
    file(READ ${file} old)
  endif()
  if(NOT old STREQUAL program)
    file(WRITE ${file} "${program}")
  endif()
endfunction()
