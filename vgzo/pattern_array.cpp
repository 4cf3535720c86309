// SPDX-License-Identifier: MIT
// Where a pattern's colour array lives.
//
// The array is written once, read once by the canvas library and dropped, so
// for a large pattern the cost is not the conversion but getting the memory:
// above glibc's largest recycling size (32 MiB on 64-bit systems) every calloc
// is a fresh mapping, faulted in 4 KiB at a time, and those faults cost more
// than the conversion itself.  A mapping of our own, aligned to 2 MiB and
// advised with MADV_HUGEPAGE, is faulted 2 MiB at a time instead.
//
// Why 32 MiB: below it, glibc hands a repeated request the block it freed
// last time, already faulted in, and zeroing that beats a fresh mapping even
// with huge pages (palette lookup, ns a pixel, calloc against huge mapping:
// 4 MiB 0.44 against 0.53, 16 MiB 0.70 against 0.94); without huge pages for
// the process a fresh mapping would cost 2.3 there.  From 32 MiB on calloc
// maps afresh every time (2.3 to 2.7) and the huge mapping costs 1.0, or the
// same as calloc when huge pages are off.  So from 32 MiB on the own mapping
// never loses, and below it the heap is the better bet.
#include "pattern_array_p.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vgzo {

namespace {

#if defined(__linux__) && defined(MADV_HUGEPAGE)

// A fresh anonymous mapping of `bytes` rounded up to whole huge pages, starting
// on a huge-page boundary, or null.  The kernel hands it out zeroed.  The
// rounding lets the last, partly used huge page be one as well.
vgColor *map_huge_aligned(std::size_t bytes, std::size_t &mapped) {
    const std::size_t reserved = huge_mapping_size(bytes);
    if (reserved == 0) {
        return nullptr;
    }
    void *mapping =
        mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        return nullptr;
    }
    return keep_huge_pages(static_cast<unsigned char *>(mapping), bytes, munmap, mapped);
}

void unmap(vgColor *colors, std::size_t mapped) {
    munmap(colors, mapped);
}

#else

// Without the advice there is nothing to gain over the heap.
vgColor *map_huge_aligned(std::size_t, std::size_t &) {
    return nullptr;
}

void unmap(vgColor *, std::size_t) {}

#endif

} // namespace

std::size_t huge_mapping_size(std::size_t bytes) noexcept {
    if (bytes > SIZE_MAX - 2 * kHugePageBytes) {
        return 0;
    }
    return ((bytes + kHugePageBytes - 1) & ~(kHugePageBytes - 1)) + kHugePageBytes;
}

HugePageCut cut_huge_mapping(std::uintptr_t base, std::size_t bytes) noexcept {
    const std::size_t misalignment = base % kHugePageBytes;
    const std::size_t head = misalignment == 0 ? 0 : kHugePageBytes - misalignment;
    const std::size_t length = huge_mapping_size(bytes) - kHugePageBytes;
    return {head, length, kHugePageBytes - head};
}

#if defined(__linux__) && defined(MADV_HUGEPAGE)

vgColor *keep_huge_pages(unsigned char *base, std::size_t bytes, UnmapFunction give_back,
                         std::size_t &mapped) noexcept {
    const HugePageCut cut = cut_huge_mapping(reinterpret_cast<std::uintptr_t>(base), bytes);
    unsigned char *const aligned = base + cut.head;
    // The cut always leaves a tail: the mapping is one huge page longer than
    // the array's pages.
    if ((cut.head != 0 && give_back(base, cut.head) != 0) ||
        give_back(aligned + cut.length, cut.tail) != 0) {
        // Not expected for a mapping of our own; if it happens, give all of
        // it back (unmapping the part already gone is harmless).
        give_back(base, cut.head + cut.length + cut.tail);
        return nullptr;
    }
    // Only advice: without huge pages the mapping is as good as calloc's.
    madvise(aligned, cut.length, MADV_HUGEPAGE);
    mapped = cut.length;
    return static_cast<vgColor *>(static_cast<void *>(aligned));
}

#endif

PatternArray::PatternArray(std::size_t entries) noexcept : entries_(entries) {
    if (entries > SIZE_MAX / sizeof(vgColor)) {
        return;
    }
    const std::size_t bytes = entries * sizeof(vgColor);
    if (bytes >= kLargePatternArrayBytes) {
        colors_ = map_huge_aligned(bytes, mapped_bytes_);
        if (colors_ != nullptr) {
            return; // a fresh mapping: already zero
        }
    }
    // calloc zeroes, or knows the memory to be zero already.
    colors_ = static_cast<vgColor *>(std::calloc(entries, sizeof(vgColor)));
}

PatternArray::~PatternArray() {
    if (mapped_bytes_ != 0) {
        unmap(colors_, mapped_bytes_);
    } else {
        std::free(colors_);
    }
}

} // namespace vgzo
