// SPDX-License-Identifier: MIT
// Where a large pattern's array lives: from the library's threshold on, a
// huge-page mapping of its own, given back before the call returns.  Either
// side of the threshold the pattern is the same, exact to the bit.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "support/address_space.h"
#include "support/fresh_process.h"
#include "support/traced_test.h"
#include "vgzo/pattern_array_p.h"

namespace {

using namespace support;
using testkit::Canvas;

constexpr std::size_t kThreshold = vgzo::kLargePatternArrayBytes / sizeof(vgColor);

struct Format {
    const char *name;
    int32_t color_space;
    int32_t has_alpha;
};

struct Size {
    const char *name;
    int32_t width;
    int32_t height;
    bool large;
};

const Format kFormats[] = {{"rgb", 0, 0}, {"rgba", 0, 1}, {"indexed", 2, 0}, {"unconverted", 4, 0}};
// Just below the threshold, and past it by no whole number of huge pages.
const Size kSizes[] = {{"below", 2048, 4095, false}, {"past", 4099, 2049, true}};

// The pattern the image must give, worked out pixel by pixel.
std::vector<vgColor> expected_pattern(const zoImage *image) {
    std::vector<vgColor> colors(static_cast<std::size_t>(image->width) * image->height, 0);
    uint8_t *const *p = image->planes;
    for (int32_t i = 0; i < image->pixel_count; ++i) {
        if (image->color_space == ZO_COLOR_SPACE_RGB) {
            colors[i] = image->has_alpha != 0
                            ? vgEncodeColorAlpha(p[0][i], p[1][i], p[2][i], p[3][i])
                            : vgEncodeColor(p[0][i], p[1][i], p[2][i]);
        } else if (image->color_space == ZO_COLOR_SPACE_INDEXED2) {
            colors[i] = image->palette[p[0][i]];
        }
    }
    return colors;
}

class LargePatternTest : public ::testing::TestWithParam<std::tuple<Format, Size>> {};

TEST_P(LargePatternTest, IsTheSameEitherSideOfTheThreshold) {
    const auto &[format, size] = GetParam();
    ASSERT_EQ(std::size_t(size.width) * size.height >= kThreshold, size.large);
    TestImage image({.width = size.width,
                     .height = size.height,
                     .color_space = format.color_space,
                     .has_alpha = format.has_alpha});
    testkit::fill_with_noise(image);
    const Canvas canvas(vgCanvasCreate(1, 1));
    vgCanvasPatternZoImage(canvas.get(), image.get());
    int32_t width = 0;
    int32_t height = 0;
    const vgColor *kept = vgCanvasGetPattern(canvas.get(), &width, &height);
    ASSERT_NE(kept, nullptr);
    ASSERT_EQ(width, size.width);
    ASSERT_EQ(height, size.height);
    EXPECT_TRUE(std::vector<vgColor>(kept, kept + std::ptrdiff_t{width} * height) ==
                expected_pattern(image.get()));
}

INSTANTIATE_TEST_SUITE_P(FormatsAndSizes, LargePatternTest,
                         ::testing::Combine(::testing::ValuesIn(kFormats),
                                            ::testing::ValuesIn(kSizes)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

#if defined(__linux__) && defined(MADV_HUGEPAGE)
// The array handed to the canvas starts on a huge page, and neither it nor
// any of the mapping it was cut from is mapped once the call has returned.
// pixel_count falls short, so the fresh mapping's own zeros make up the rest
// of the pattern.  From exactly the threshold on.
TEST(LargePatternMemory, IsAHugePageMappingGoneWhenTheCallReturns) {
    for (const Size size : {Size{"at", 4096, 2048, true}, kSizes[1]}) {
        SCOPED_TRACE(size.name);
        const std::size_t bytes = std::size_t(size.width) * size.height * sizeof(vgColor);
        ASSERT_GE(bytes, vgzo::kLargePatternArrayBytes);
        TestImage image(
            {.width = size.width, .height = size.height, .color_space = 2, .pixel_count = 1000});
        testkit::fill_with_noise(image);
        const std::size_t before = mapped_bytes();
        {
            const testkit::TraceSession trace; // an indexed pattern traces one call
            const Canvas canvas(vgCanvasCreate(1, 1));
            vgCanvasPatternZoImage(canvas.get(), image.get());
            const auto calls = vgTraceRecords();
            ASSERT_EQ(calls.size(), 1u);
            // Before anything else may be mapped where the array was.
            auto *array =
                static_cast<unsigned char *>(const_cast<void *>(calls[0].arguments[3].pointer()));
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(array) % vgzo::kHugePageBytes, 0u);
            const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
            unsigned char resident = 0;
            for (std::size_t at = 0; at < bytes; at += page) {
                errno = 0;
                ASSERT_EQ(mincore(array + at, page, &resident), -1) << "mapped at byte " << at;
                ASSERT_EQ(errno, ENOMEM);
            }
            const vgColor *kept = vgCanvasGetPattern(canvas.get(), nullptr, nullptr);
            const std::vector<vgColor> expected = expected_pattern(image.get());
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), kept));
        }
        if (mappings_are_the_programs()) {
            EXPECT_LT(mapped_bytes(), before + vgzo::kHugePageBytes) << "a mapping was kept";
        }
    }
}

// A pattern whose array cannot be had sets nothing: with the address space
// limited to a little more than the process maps, a 16384 x 8192 pattern
// (512 MiB of colours) is neither a mapping nor heap memory, and the canvas
// keeps the pattern it had.  Not under an emulator or valgrind, which map
// for their own use within the same limit.
TEST(LargePatternMemory, ThatCannotBeHadSetsNothing) {
#if defined(VGZO_TESTS_EMULATED)
    GTEST_SKIP() << "an emulator maps for itself within the process's limit";
#endif
    if (!mappings_are_the_programs()) {
        GTEST_SKIP() << "a sanitizer or valgrind maps for itself within the process's limit";
    }
    support::in_fresh_process([] {
        const Canvas canvas(vgCanvasCreate(4, 4));
        const vgColor before = 0x12345678u;
        vgCanvasPattern(canvas.get(), 1, 1, &before);
        TestImage image({.width = 16384, .height = 8192, .color_space = 2, .pixel_count = 16});
        rlimit limit{};
        ASSERT_EQ(getrlimit(RLIMIT_AS, &limit), 0);
        const rlimit unlimited = limit;
        limit.rlim_cur = mapped_bytes() + (std::size_t{64} << 20);
        ASSERT_EQ(setrlimit(RLIMIT_AS, &limit), 0);
        vgCanvasPatternZoImage(canvas.get(), image.get());
        ASSERT_EQ(setrlimit(RLIMIT_AS, &unlimited), 0);
        int32_t width = 0;
        int32_t height = 0;
        const vgColor *kept = vgCanvasGetPattern(canvas.get(), &width, &height);
        EXPECT_TRUE(width == 1 && height == 1 && kept[0] == before) << width << " x " << height;
    });
}
#endif

} // namespace
