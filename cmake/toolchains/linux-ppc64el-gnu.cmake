# SPDX-License-Identifier: MIT
# Cross build for Linux ppc64el, 64-bit POWER little-endian (Debian's
# g++-powerpc64le-linux-gnu), tests under qemu-ppc64le.
set(triple powerpc64le-linux-gnu)
set(processor ppc64le)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu-cross.cmake)
