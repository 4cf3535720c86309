# SPDX-License-Identifier: MIT
# Cross build for Windows x64 with MinGW-w64 (Debian's g++-mingw-w64-x86-64-posix).
# The programs and tests run under Wine through cmake/toolchains/wine-run, which
# keeps a private Wine prefix in the build folder.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(triple x86_64-w64-mingw32)
# The posix thread model: the stand-ins and tests use std::thread and
# std::mutex, which the win32 model of this compiler lacks.
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_OBJDUMP ${triple}-objdump)

include(${CMAKE_CURRENT_LIST_DIR}/sysroot.cmake)

# The compiler's own runtimes (libgcc, libstdc++, winpthread) are linked into
# every binary, so that nothing needs libstdc++-6.dll, libgcc_s_seh-1.dll or
# libwinpthread-1.dll at run time.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)

# The prefix lies in the build folder: nothing outside it is written.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${CMAKE_BINARY_DIR}/wine-prefix)
