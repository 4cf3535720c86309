// SPDX-License-Identifier: MIT
// The pattern array's own arithmetic, on its own (built into this test from
// the library's source): how a large array's mapping is sized and cut to a
// huge-page boundary wherever the kernel places it, which a kernel that
// already aligns large mappings never shows, and the sizes it refuses.
#include <gtest/gtest.h>

#include <cstdint>

#include "pattern_array_p.h"

namespace {

using vgzo::cut_huge_mapping;
using vgzo::huge_mapping_size;
using vgzo::kHugePageBytes;

constexpr std::size_t kPage = 4096;

TEST(PatternArrayMapping, HoldsWholeHugePagesAndOneMoreToAlign) {
    struct Size {
        std::size_t bytes, reserved;
    };
    for (const Size s : {Size{1, 2 * kHugePageBytes},
                         {kHugePageBytes, 2 * kHugePageBytes},
                         {kHugePageBytes + 1, 3 * kHugePageBytes},
                         {32 * kHugePageBytes - 4, 33 * kHugePageBytes},
                         {SIZE_MAX - 2 * kHugePageBytes, 0 + (SIZE_MAX & ~(kHugePageBytes - 1))},
                         {SIZE_MAX - 2 * kHugePageBytes + 1, 0}}) {
        EXPECT_EQ(huge_mapping_size(s.bytes), s.reserved) << s.bytes << " bytes";
    }
}

TEST(PatternArrayMapping, IsCutToAHugePageBoundaryWhereverItLies) {
    const std::uintptr_t aligned = std::uintptr_t{0x7f0000000000};
    for (const std::uintptr_t base : {aligned, aligned + kPage, aligned + kHugePageBytes - kPage,
                                      aligned + kHugePageBytes / 2}) {
        for (const std::size_t bytes : {std::size_t{1}, kHugePageBytes + 1, 17 * kHugePageBytes}) {
            const auto cut = cut_huge_mapping(base, bytes);
            EXPECT_EQ((base + cut.head) % kHugePageBytes, 0u) << base << ", " << bytes;
            EXPECT_LT(cut.head, kHugePageBytes);
            EXPECT_GE(cut.length, bytes);
            EXPECT_LT(cut.length - bytes, kHugePageBytes);
            EXPECT_EQ(cut.length % kHugePageBytes, 0u);
            EXPECT_EQ(cut.head + cut.length + cut.tail, huge_mapping_size(bytes));
        }
    }
}

TEST(PatternArray, RefusesWhatTheAddressSpaceCannotHold) {
    EXPECT_FALSE(vgzo::PatternArray(SIZE_MAX / sizeof(vgColor) + 1).usable());
    EXPECT_FALSE(vgzo::PatternArray(SIZE_MAX / sizeof(vgColor) / 4).usable());
    const vgzo::PatternArray none(0);
    EXPECT_TRUE(none.usable()); // no entries is no failure, whatever data() is
}

} // namespace
