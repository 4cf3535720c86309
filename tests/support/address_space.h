// SPDX-License-Identifier: MIT
// The process's address space, for the tests that limit it (RLIMIT_AS) so
// that memory cannot be had: how much is mapped, and whether all of that is
// the program's own.
#ifndef VGZO_TESTS_ADDRESS_SPACE_H
#define VGZO_TESTS_ADDRESS_SPACE_H

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace support {

// Bytes mapped into the process, all mappings together.
inline std::size_t mapped_bytes() {
    std::ifstream maps("/proc/self/maps");
    std::size_t total = 0;
    std::uintptr_t start = 0;
    std::uintptr_t end = 0;
    char dash = 0;
    std::string rest;
    while (maps >> std::hex >> start >> dash >> end && std::getline(maps, rest)) {
        total += end - start;
    }
    return total;
}

// Whether the process's mappings are its own to count: the address
// sanitizer keeps freed memory mapped for a while, and valgrind maps for its
// own use.
inline bool mappings_are_the_programs() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return false;
#else
    const char *preload = std::getenv("LD_PRELOAD");
    return preload == nullptr || std::strstr(preload, "vgpreload") == nullptr;
#endif
}

} // namespace support

#endif // VGZO_TESTS_ADDRESS_SPACE_H
