# SPDX-License-Identifier: MIT
# Cross build for Linux riscv64 (Debian's g++-riscv64-linux-gnu), tests under
# qemu-riscv64.
set(triple riscv64-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu-cross.cmake)
