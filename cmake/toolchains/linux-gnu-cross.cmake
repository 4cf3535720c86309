# SPDX-License-Identifier: MIT
# Cross build for a Debian Linux target, with Debian's g++-<triple> cross
# compiler; the includer sets `triple` (aarch64-linux-gnu, s390x-linux-gnu,
# ...) and nothing else.  The programs and tests run under qemu-user for the
# triple's processor, with the cross sysroot /usr/<triple> as its library
# prefix.
string(REGEX MATCH "^[^-]+" processor "${triple}")
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${processor})

set(CMAKE_C_COMPILER ${triple}-gcc)
set(CMAKE_CXX_COMPILER ${triple}-g++)
set(CMAKE_READELF ${triple}-readelf)

include(${CMAKE_CURRENT_LIST_DIR}/sysroot.cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${processor} -L /usr/${triple})
