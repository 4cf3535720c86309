# SPDX-License-Identifier: MIT
# The shared library's ABI baseline, libvgzo.abi beside this file, written by
# libabigail's abidw from a native g++ build with debug information: the
# target vgzo_abi_baseline writes it anew, on purpose, when a release changes
# the ABI.  Where such a build and abidw are at hand, VGZO_ABI_BASELINE names
# the file for the test abi_compatible; otherwise it is empty.
set(VGZO_ABI_BASELINE "" PARENT_SCOPE)
find_program(VGZO_ABIDW abidw DOC "libabigail's abidw, for the ABI baseline")
if(WIN32 OR CMAKE_CROSSCOMPILING OR VGZO_SANITIZED OR NOT VGZO_LIBRARY_TYPE STREQUAL "SHARED"
   OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU" OR NOT CMAKE_BUILD_TYPE MATCHES "RelWithDebInfo|Debug")
  message(STATUS "Not in this build: the ABI baseline and abi_compatible (the baseline is of "
                 "a native g++ build of the shared library with debug information)")
  return()
endif()
if(NOT VGZO_ABIDW)
  message(STATUS "No libabigail (abigail-tools): the ABI baseline and abi_compatible are left out")
  return()
endif()
set(baseline ${CMAKE_CURRENT_LIST_DIR}/libvgzo.abi)
add_custom_target(vgzo_abi_baseline
  COMMAND ${VGZO_ABIDW} --headers-dir ${CMAKE_CURRENT_SOURCE_DIR} --drop-private-types
          --no-corpus-path --no-comp-dir-path --no-show-locs
          --out-file ${baseline} $<TARGET_FILE:vgzo>
  DEPENDS vgzo
  COMMENT "Writing the ABI baseline ${baseline}"
  VERBATIM)
set(VGZO_ABI_BASELINE ${baseline} PARENT_SCOPE)
