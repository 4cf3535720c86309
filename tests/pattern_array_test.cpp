// SPDX-License-Identifier: MIT
// The pattern array on its own (built into this test from the library's
// source): how a large array's mapping is sized and cut to a huge-page
// boundary wherever the kernel places it, which a kernel that already aligns
// large mappings never shows, what is given back when a cut fails, and the
// sizes and memory it refuses.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#include <sys/resource.h>
#endif

#include "pattern_array_p.h"
#include "support/address_space.h"
#include "support/fresh_process.h"

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

#if defined(__linux__) && defined(MADV_HUGEPAGE)
struct Unmapped {
    std::size_t offset, length; // from the mapping's start
    bool operator==(const Unmapped &) const = default;
};

// A stand-in for munmap that gives nothing back: it records each call and
// fails the one it is told to.
struct RecordingUnmap {
    static inline const unsigned char *mapping = nullptr;
    static inline std::vector<Unmapped> calls;
    static inline std::size_t failing_call = 0; // counted from 1; 0 for none

    static int unmap(void *start, std::size_t length) {
        const auto offset = static_cast<std::size_t>(static_cast<unsigned char *>(start) - mapping);
        calls.push_back({offset, length});
        return calls.size() == failing_call ? -1 : 0;
    }
};

// An array of two huge pages and a byte: four huge pages mapped, three kept.
// Aligned, the margin given back is all after them; one page past a
// boundary, all of it but that page is before them.  A failed cut gives back
// all four huge pages.
TEST(PatternArrayMapping, KeepsItsHugePagesOrGivesAllOfItBack) {
    constexpr std::size_t kBytes = 2 * kHugePageBytes + 1;
    constexpr std::size_t kKept = 3 * kHugePageBytes;
    constexpr std::size_t kAll = 4 * kHugePageBytes;
    constexpr std::size_t kHead = kHugePageBytes - kPage; // one page past a boundary
    constexpr std::size_t kNothingKept = SIZE_MAX;
    struct Cut {
        const char *name;
        std::size_t misalignment, failing_call;
        std::vector<Unmapped> unmapped;
        std::size_t kept_at;
    };
    const Cut cuts[] = {
        {"aligned", 0, 0, {{kKept, kHugePageBytes}}, 0},
        {"onePagePast", kPage, 0, {{0, kHead}, {kHead + kKept, kPage}}, kHead},
        {"alignedTailFails", 0, 1, {{kKept, kHugePageBytes}, {0, kAll}}, kNothingKept},
        {"headFails", kPage, 1, {{0, kHead}, {0, kAll}}, kNothingKept},
        {"tailFails", kPage, 2, {{0, kHead}, {kHead + kKept, kPage}, {0, kAll}}, kNothingKept},
    };
    ASSERT_EQ(huge_mapping_size(kBytes), kAll);
    // Room for the mapping at each of those places, so that the advice given
    // to the pages kept touches nothing else of the process.
    void *room = mmap(nullptr, kAll + kHugePageBytes, PROT_NONE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(room, MAP_FAILED);
    const std::size_t to_boundary =
        (kHugePageBytes - reinterpret_cast<std::uintptr_t>(room) % kHugePageBytes) % kHugePageBytes;
    for (const Cut &cut : cuts) {
        SCOPED_TRACE(cut.name);
        unsigned char *const mapping =
            static_cast<unsigned char *>(room) + to_boundary + cut.misalignment;
        RecordingUnmap::mapping = mapping;
        RecordingUnmap::calls.clear();
        RecordingUnmap::failing_call = cut.failing_call;
        std::size_t mapped = 0;
        const vgColor *kept = vgzo::keep_huge_pages(mapping, kBytes, RecordingUnmap::unmap, mapped);
        EXPECT_EQ(RecordingUnmap::calls, cut.unmapped);
        if (cut.kept_at == kNothingKept) {
            EXPECT_EQ(kept, nullptr);
            EXPECT_EQ(mapped, 0u);
        } else {
            EXPECT_EQ(static_cast<const void *>(kept), mapping + cut.kept_at);
            EXPECT_EQ(mapped, kKept);
        }
    }
    munmap(room, kAll + kHugePageBytes);
}
#endif

TEST(PatternArray, RefusesWhatTheAddressSpaceCannotHold) {
    // More bytes than size_t counts, too many to round up to whole huge
    // pages, and a mapping or heap block larger than any address space.
    for (const std::size_t entries :
         {SIZE_MAX / sizeof(vgColor) + 1, (SIZE_MAX - 2 * kHugePageBytes) / sizeof(vgColor) + 1,
          SIZE_MAX / sizeof(vgColor) / 4}) {
        EXPECT_FALSE(vgzo::PatternArray(entries).usable()) << entries << " entries";
    }
    const vgzo::PatternArray none(0);
    EXPECT_TRUE(none.usable()); // no entries is no failure, whatever data() is
}

#if defined(__linux__)
// An array of no entries is usable even when calloc gives it no memory, as
// some C libraries' calloc of nothing always does: here the heap is spent,
// with the address space limited to what the process maps and small blocks
// taken until none is left.  Not under an emulator, a sanitizer or valgrind,
// which map for their own use within the same limit.
TEST(PatternArray, OfNoEntriesIsUsableWhenTheHeapIsSpent) {
#if defined(VGZO_TESTS_EMULATED)
    GTEST_SKIP() << "an emulator maps for itself within the process's limit";
#endif
    if (!support::mappings_are_the_programs()) {
        GTEST_SKIP() << "a sanitizer or valgrind maps for itself within the process's limit";
    }
    support::in_fresh_process([] {
        rlimit limit{};
        ASSERT_EQ(getrlimit(RLIMIT_AS, &limit), 0);
        const rlimit unlimited = limit;
        limit.rlim_cur = support::mapped_bytes();
        ASSERT_EQ(setrlimit(RLIMIT_AS, &limit), 0);
        // The blocks taken, each holding the one taken before; at most 128 MiB
        // of them, should the limit not hold.
        void *spent = nullptr;
        for (int blocks = 0; blocks < (1 << 22); ++blocks) {
            void *block = std::malloc(sizeof spent);
            if (block == nullptr) {
                break;
            }
            *static_cast<void **>(block) = spent;
            spent = block;
        }
        bool usable = false;
        bool without_data = false;
        {
            const vgzo::PatternArray none(0);
            usable = none.usable();
            without_data = none.data() == nullptr;
        }
        while (spent != nullptr) {
            void *next = *static_cast<void **>(spent);
            std::free(spent);
            spent = next;
        }
        ASSERT_EQ(setrlimit(RLIMIT_AS, &unlimited), 0);
        EXPECT_TRUE(without_data) << "the heap was not spent";
        EXPECT_TRUE(usable);
    });
}
#endif

} // namespace
