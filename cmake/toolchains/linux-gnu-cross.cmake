# SPDX-License-Identifier: MIT
# Cross build for a Debian Linux target, with Debian's g++-<triple> cross
# compiler.  The includer sets `triple` (aarch64-linux-gnu,
# powerpc64le-linux-gnu, ...) and, where it is not the triple's first word,
# `processor`: the machine's name as `uname -m` prints it there (ppc64le for
# Debian's ppc64el), which is also the name of its qemu-user emulator.  The
# programs and tests run under that emulator, with the cross sysroot
# /usr/<triple> as its library prefix.
if(NOT processor)
  string(REGEX MATCH "^[^-]+" processor "${triple}")
endif()
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${processor})

set(CMAKE_C_COMPILER ${triple}-gcc)
set(CMAKE_CXX_COMPILER ${triple}-g++)
set(CMAKE_READELF ${triple}-readelf)

include(${CMAKE_CURRENT_LIST_DIR}/sysroot.cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${processor} -L /usr/${triple})
