# SPDX-License-Identifier: MIT
# What every folder with tests includes: GoogleTest, and the environment its
# tests run in.
#
# GoogleTest is the installed package or, for cross builds, which cannot link
# the host's copy, built here with the cross toolchain from the sources in
# VGZO_GTEST_SOURCE_DIR (Debian's libgtest-dev ships them in
# /usr/src/googletest).  Either way the tests link GTest::gtest_main.
# Included by every folder with tests: GoogleTest's CMake module keeps state
# per folder.

# A cross build takes Debian's sources by default, where they are.
set(vgzo_gtest_source_default "")
if(CMAKE_CROSSCOMPILING AND EXISTS /usr/src/googletest/CMakeLists.txt)
  set(vgzo_gtest_source_default /usr/src/googletest)
endif()
set(VGZO_GTEST_SOURCE_DIR "${vgzo_gtest_source_default}" CACHE PATH
    "GoogleTest sources to build the tests with, instead of an installed GoogleTest")
if(TARGET GTest::gtest_main)
  # Found or built by a folder before.
elseif(VGZO_GTEST_SOURCE_DIR)
  # Static, whatever BUILD_SHARED_LIBS says of vgzo: the tests link the
  # compiler's runtimes statically, which a GoogleTest DLL would bring again.
  function(vgzo_add_googletest)
    set(BUILD_SHARED_LIBS OFF)
    set(BUILD_GMOCK OFF CACHE BOOL "GoogleMock is not used")
    set(INSTALL_GTEST OFF CACHE BOOL "GoogleTest is not installed with vgzo")
    add_subdirectory(${VGZO_GTEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endfunction()
  vgzo_add_googletest()
  if(NOT TARGET GTest::gtest_main) # GoogleTest 1.11 and later make it themselves
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED GLOBAL)
endif()
include(GoogleTest)

# The environment of a test is part of the test: whoever runs it, through a
# preset or a plain `ctest --test-dir`, runs it alike.  Every test of a folder
# that includes this file gets the sanitizer options of the build (none
# without sanitizers), set when the folder's CMakeLists.txt has run.
function(vgzo_apply_test_environment)
  get_property(tests DIRECTORY PROPERTY TESTS)
  if(tests AND VGZO_SANITIZER_TEST_ENVIRONMENT)
    set_property(TEST ${tests} APPEND PROPERTY ENVIRONMENT ${VGZO_SANITIZER_TEST_ENVIRONMENT})
  endif()
endfunction()
cmake_language(DEFER CALL vgzo_apply_test_environment)

# Marks every test this folder has added so far with the label "script": a
# test that runs a script or a nested build rather than a program of ours,
# which CI's memory check leaves out (ctest -LE script).
function(vgzo_label_script_tests)
  get_property(tests DIRECTORY PROPERTY TESTS)
  if(tests)
    set_property(TEST ${tests} APPEND PROPERTY LABELS script)
  endif()
endfunction()

# Registers every test of a GoogleTest program with CTest, each run in a
# process of its own, in the sanitizer options' environment and the one given
# after ENVIRONMENT.  Discovery runs the program when CTest starts; under
# Wine the first run also makes the Wine prefix, which takes seconds.
function(vgzo_discover_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "ENVIRONMENT")
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       TEST_LIST ${target}_TESTS ${arg_UNPARSED_ARGUMENTS})
  # The tests exist only once CTest has run the discovery script, so the
  # environment is set by a script of ours that CTest runs after it.  (Passed
  # through gtest_discover_tests' PROPERTIES, a list of variables would be
  # split into separate properties.)
  set(environment ${arg_ENVIRONMENT} ${VGZO_SANITIZER_TEST_ENVIRONMENT})
  # The program and its environment, for test_programs.txt (see there).
  list(JOIN environment " " environment_words)
  set_property(GLOBAL APPEND PROPERTY VGZO_TEST_PROGRAMS
               "$<TARGET_FILE:${target}> ${environment_words}")
  if(environment)
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_environment.cmake)
    file(CONFIGURE OUTPUT ${script} CONTENT [=[
if(@target@_TESTS)
  set_tests_properties(${@target@_TESTS} PROPERTIES ENVIRONMENT [==[@environment@]==])
endif()
]=] @ONLY)
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
  endif()
endfunction()

# test_programs.txt in the build folder: every GoogleTest program, one a line,
# followed by the environment its tests run in, for whoever runs the programs
# whole (CI runs each once with its tests shuffled).  Written once the whole
# tree is read.  A multi-config build has one list per configuration, whose
# programs differ: test_programs-Debug.txt, test_programs-Release.txt, ...
function(vgzo_write_test_programs)
  get_property(programs GLOBAL PROPERTY VGZO_TEST_PROGRAMS)
  list(JOIN programs "\n" programs)
  get_property(multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
  set(list_file ${PROJECT_BINARY_DIR}/test_programs.txt)
  if(multi_config)
    set(list_file ${PROJECT_BINARY_DIR}/test_programs-$<CONFIG>.txt)
  endif()
  file(GENERATE OUTPUT ${list_file} CONTENT "${programs}\n")
endfunction()
get_property(vgzo_test_programs_listed GLOBAL PROPERTY VGZO_TEST_PROGRAMS_LISTED)
if(NOT vgzo_test_programs_listed)
  set_property(GLOBAL PROPERTY VGZO_TEST_PROGRAMS_LISTED ON)
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL vgzo_write_test_programs)
endif()
