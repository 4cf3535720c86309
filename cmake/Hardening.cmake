# SPDX-License-Identifier: MIT
# Hardening of every target of vgzo's folders on Linux, as distributions
# build their packages: stack protector, fortified C library calls in
# optimised builds, control-flow protection on x86-64, read-only relocations
# bound at load time.  Each is added only where the user's or the
# distribution's own flags (CFLAGS, LDFLAGS, or the compiler's defaults for
# fortification) do not already say something about it, so theirs always win.
option(VGZO_HARDEN "Build with the usual hardening flags (Linux)" ON)
if(NOT VGZO_HARDEN OR NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

string(TOUPPER "${CMAKE_BUILD_TYPE}" _vgzo_config)
set(_vgzo_compile_flags "${CMAKE_C_FLAGS} ${CMAKE_CXX_FLAGS} ${CMAKE_C_FLAGS_${_vgzo_config}} ${CMAKE_CXX_FLAGS_${_vgzo_config}}")
set(_vgzo_link_flags "${CMAKE_SHARED_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS}")

if(NOT _vgzo_compile_flags MATCHES "-f(no-)?stack-protector")
  add_compile_options(-fstack-protector-strong)
endif()

# Fortification needs optimisation and says nothing under the sanitizers,
# which check the same calls themselves.  Some compilers define it already.
include(CheckCSourceCompiles)
set(CMAKE_REQUIRED_FLAGS -O2)
set(CMAKE_REQUIRED_QUIET ON)
check_c_source_compiles([=[
#ifdef _FORTIFY_SOURCE
#error the compiler fortifies already
#endif
int main(void) { return 0; }
]=] VGZO_COMPILER_LEAVES_FORTIFY_UNSET)
unset(CMAKE_REQUIRED_FLAGS)
unset(CMAKE_REQUIRED_QUIET)
if(NOT _vgzo_compile_flags MATCHES "_FORTIFY_SOURCE" AND VGZO_COMPILER_LEAVES_FORTIFY_UNSET
   AND NOT VGZO_SANITIZED)
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()

if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$"
   AND NOT _vgzo_compile_flags MATCHES "-fcf-protection")
  add_compile_options(-fcf-protection)
endif()

if(NOT _vgzo_link_flags MATCHES "relro")
  add_link_options(LINKER:-z,relro)
endif()
if(NOT _vgzo_link_flags MATCHES "-z[, ]*now|bindnow")
  add_link_options(LINKER:-z,now)
endif()
unset(_vgzo_config)
unset(_vgzo_compile_flags)
unset(_vgzo_link_flags)
