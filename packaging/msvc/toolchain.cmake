# SPDX-License-Identifier: MIT
# A CMake project built for Microsoft's ABI without the Windows SDK or a C
# runtime: clang for x86_64-pc-windows-msvc, linked by lld-link, with the
# stdio.h of include/ and an entry point of the client's own (entry.c).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET x86_64-pc-windows-msvc)
# No C runtime to link a test program against: the compiler is known to work.
set(CMAKE_C_COMPILER_WORKS ON)
set(CMAKE_C_FLAGS_INIT "-ffreestanding -fno-stack-protector -I${CMAKE_CURRENT_LIST_DIR}/include")
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-fuse-ld=lld -nostdlib -Wl,/entry:client_entry -Wl,/subsystem:console")
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "No C runtime" FORCE)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
