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

include(${CMAKE_CURRENT_LIST_DIR}/sysroot.cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/${triple})
