# SPDX-License-Identifier: MIT
# Sanitizers for the whole build tree, and the one answer to "is this build
# sanitized?" that every folder reads.
#
# VGZO_SANITIZE (a preset sets it) is a list of -fsanitize= names, applied to
# every target of vgzo's folders so that the stand-ins, the library and the
# tests are all instrumented alike.  VGZO_SANITIZED is ON when the build is
# sanitized, by VGZO_SANITIZE or by the user's own -fsanitize flags.
# VGZO_SANITIZER_TEST_ENVIRONMENT holds the runtime options every test runs
# with in such a build (see TestFramework.cmake).
set(VGZO_SANITIZE "" CACHE STRING "Sanitizers for every target of vgzo, e.g. address;undefined")

set(VGZO_SANITIZED OFF)
if(VGZO_SANITIZE OR "${CMAKE_C_FLAGS} ${CMAKE_CXX_FLAGS}" MATCHES "-fsanitize=")
  set(VGZO_SANITIZED ON)
endif()

if(VGZO_SANITIZE)
  list(JOIN VGZO_SANITIZE "," _vgzo_sanitizers)
  add_compile_options(-fsanitize=${_vgzo_sanitizers} -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_vgzo_sanitizers})
  unset(_vgzo_sanitizers)
endif()

# Stop at the first finding, with a stack; let an allocation that cannot be
# had return null, since the library's answer to that is under test.
set(VGZO_SANITIZER_TEST_ENVIRONMENT "")
if(VGZO_SANITIZED)
  set(VGZO_SANITIZER_TEST_ENVIRONMENT
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1:allocator_may_return_null=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:allocator_may_return_null=1")
endif()
