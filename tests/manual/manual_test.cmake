# SPDX-License-Identifier: MIT
# The manual pages of vgzo/man/man3 say what vgzo.h says: they are what
# vgzo/man/generate_pages.py makes of its comments, mandoc reads them without
# a warning, and each SYNOPSIS compiles against the header.  Without python3
# or mandoc (found in vgzo/CMakeLists.txt) the check that needs it is left
# out, in one configure line.
set(vgzo_man_dir ${PROJECT_SOURCE_DIR}/vgzo/man)
add_test(NAME manual_synopsis
  COMMAND ${CMAKE_COMMAND} -DMAN_DIR=${vgzo_man_dir} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
          "-DEXPORTS=${VGZO_EXPORTS}" -DCC=${CMAKE_C_COMPILER}
          -DWORK=${CMAKE_CURRENT_BINARY_DIR}/manual_synopsis
          -P ${CMAKE_CURRENT_LIST_DIR}/manual_synopsis.cmake)
set(vgzo_manual_tests manual_synopsis)

find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  add_test(NAME manual_made_from_header
    COMMAND ${Python3_EXECUTABLE} ${vgzo_man_dir}/generate_pages.py --check)
  list(APPEND vgzo_manual_tests manual_made_from_header)
else()
  message(STATUS "vgzo: no python3: the test that the manual pages are made from vgzo.h is "
                 "left out")
endif()

if(VGZO_MANDOC)
  add_test(NAME manual_lint
    COMMAND ${CMAKE_COMMAND} -DMANDOC=${VGZO_MANDOC} -DMAN_DIR=${vgzo_man_dir}
            -P ${CMAKE_CURRENT_LIST_DIR}/manual_lint.cmake)
  list(APPEND vgzo_manual_tests manual_lint)
endif()
set_property(TEST ${vgzo_manual_tests} APPEND PROPERTY LABELS script)
