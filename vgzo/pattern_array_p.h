// SPDX-License-Identifier: MIT
// The temporary array of encoded colours a pattern is converted into.
#ifndef VGZO_PATTERN_ARRAY_P_H
#define VGZO_PATTERN_ARRAY_P_H

#include <cstddef>
#include <cstdint>

#include "vg.h"

namespace vgzo {

// Arrays of at least this many bytes come from a mapping of their own backed
// by huge pages where the system has them (see pattern_array.cpp for why
// this size).
inline constexpr std::size_t kLargePatternArrayBytes = std::size_t{32} << 20;

// A large array's mapping: its whole huge pages, on a huge-page boundary,
// cut out of a mapping one huge page longer wherever the kernel placed that.
inline constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

struct HugePageCut {
    std::size_t head;   // bytes to give back before the array's pages
    std::size_t length; // the array's pages: `bytes` rounded up to whole huge pages
    std::size_t tail;   // bytes to give back after them
};

// The mapping to ask for to hold `bytes` this way, or 0 when it would not fit
// the address space.
std::size_t huge_mapping_size(std::size_t bytes) noexcept;
// How that mapping, placed at `base`, is cut (for a size it accepts).
HugePageCut cut_huge_mapping(std::uintptr_t base, std::size_t bytes) noexcept;

#if defined(__linux__)
// munmap, or a stand-in for it: 0 when the pages are given back.
using UnmapFunction = int (*)(void *start, std::size_t length);
// Keeps the whole huge pages of that mapping, fresh at `base`, gives the
// rest back with `give_back`, advises the kernel to back them with huge pages
// and sets `mapped` to their length.  Their start, or null when a part could
// not be given back: then all of the mapping is given back and `mapped` is
// left alone.
vgColor *keep_huge_pages(unsigned char *base, std::size_t bytes, UnmapFunction give_back,
                         std::size_t &mapped) noexcept;
#endif

// An all-zero array of encoded colours, owned for the length of one pattern
// call and released when it goes out of scope.
class PatternArray {
public:
    explicit PatternArray(std::size_t entries) noexcept;
    ~PatternArray();
    PatternArray(const PatternArray &) = delete;
    PatternArray &operator=(const PatternArray &) = delete;

    // False when the memory could not be had.  An array of no entries is
    // always usable, even when its data() is null.
    bool usable() const noexcept { return colors_ != nullptr || entries_ == 0; }
    vgColor *data() const noexcept { return colors_; }

private:
    vgColor *colors_ = nullptr;
    std::size_t entries_;
    std::size_t mapped_bytes_ = 0; // non-zero: colors_ begins a mapping of this length
};

} // namespace vgzo

#endif // VGZO_PATTERN_ARRAY_P_H
