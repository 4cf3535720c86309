# SPDX-License-Identifier: MIT
# GoogleTest for the tests: the installed package, or, for cross builds, which
# cannot link the host's copy, built here with the cross toolchain from the
# sources in VGZO_GTEST_SOURCE_DIR (Debian's libgtest-dev ships them in
# /usr/src/googletest).  Either way the tests link GTest::gtest_main.
# Included by every folder with tests: GoogleTest's CMake module keeps state
# per folder.

set(VGZO_GTEST_SOURCE_DIR "" CACHE PATH
    "GoogleTest sources to build the tests with, instead of an installed GoogleTest")
if(TARGET GTest::gtest_main)
  # Found or built by a folder before.
elseif(VGZO_GTEST_SOURCE_DIR)
  set(BUILD_GMOCK OFF CACHE BOOL "GoogleMock is not used")
  set(INSTALL_GTEST OFF CACHE BOOL "GoogleTest is not installed with vgzo")
  add_subdirectory(${VGZO_GTEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main) # GoogleTest 1.11 and later make it themselves
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED GLOBAL)
endif()
include(GoogleTest)

# Registers every test of a GoogleTest program with CTest, each run in a
# process of its own.  Discovery runs the program when CTest starts; under
# Wine the first run also makes the Wine prefix, which takes seconds.
function(vgzo_discover_tests target)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 ${ARGN})
endfunction()
