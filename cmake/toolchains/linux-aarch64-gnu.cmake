# SPDX-License-Identifier: MIT
# Cross build for Linux aarch64 (Debian's g++-aarch64-linux-gnu), tests under
# qemu-aarch64.
set(triple aarch64-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu-cross.cmake)
