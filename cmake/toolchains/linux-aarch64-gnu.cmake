# SPDX-License-Identifier: MIT
# Cross build for Linux aarch64 with Debian's g++-aarch64-linux-gnu.  The
# programs and tests run under qemu-user with the cross sysroot as its library
# prefix.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(triple aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${triple}-gcc)
set(CMAKE_CXX_COMPILER ${triple}-g++)
set(CMAKE_READELF ${triple}-readelf)

# Libraries, headers and packages are looked for in the cross sysroot first
# and then in CMAKE_PREFIX_PATH as given, so that a prefix of cross-built
# libraries (the canvas and imaging libraries, say) is found where it lies.
# Host programs only: the build runs them here.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/${triple})
