# SPDX-License-Identifier: MIT
# Cross build for Linux s390x, a big-endian target (Debian's
# g++-s390x-linux-gnu), tests under qemu-s390x.
set(triple s390x-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu-cross.cmake)
