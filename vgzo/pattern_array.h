// SPDX-License-Identifier: MIT
// The temporary array of encoded colours a pattern is converted into.
#ifndef VGZO_PATTERN_ARRAY_H
#define VGZO_PATTERN_ARRAY_H

#include <cstddef>

#include "vg.h"

namespace vgzo {

// Arrays of at least this many bytes come from a mapping of their own backed
// by huge pages where the system has them (see pattern_array.cpp for why
// this size).
inline constexpr std::size_t kLargePatternArrayBytes = std::size_t{32} << 20;

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
    std::size_t entries_ = 0;
    std::size_t mapped_bytes_ = 0; // non-zero: colors_ begins a mapping of this length
};

} // namespace vgzo

#endif // VGZO_PATTERN_ARRAY_H
