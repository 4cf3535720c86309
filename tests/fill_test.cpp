// SPDX-License-Identifier: MIT
// Fill pattern and stipple mask from an image, on a working canvas.
#include <algorithm>
#include <initializer_list>
#include <limits>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "support/broken_records.h"
#include "support/traced_test.h"

namespace {

using namespace support;
using testkit::Canvas;

// A byte image of width x height pixels; any space but RGB has a palette of
// 256 entries.
TestImage make_image(int32_t width, int32_t height, int32_t color_space, int32_t has_alpha = 0) {
    return TestImage(
        {.width = width, .height = height, .color_space = color_space, .has_alpha = has_alpha});
}

void set(std::span<uint8_t> samples, std::initializer_list<uint8_t> values) {
    std::copy(values.begin(), values.end(), samples.begin());
}

// Whether a record is the pattern call for this canvas and size; the array's
// address is the library's own.
bool is_pattern_call(const standin::TraceRecord &record, vgCanvas *canvas, int32_t width,
                     int32_t height) {
    const auto expected = standin::call("vgCanvasPattern", canvas, width, height);
    return record.function == expected.function && record.arguments.size() == 4 &&
           std::equal(expected.arguments.begin(), expected.arguments.end(),
                      record.arguments.begin());
}

class FillTest : public TracedTest {
protected:
    Canvas canvas{vgCanvasCreate(4, 4)};
    int32_t width = -1;
    int32_t height = -1;

    // The pattern the canvas kept, and its size in width and height.
    std::vector<vgColor> pattern() {
        const vgColor *colors = vgCanvasGetPattern(canvas.get(), &width, &height);
        if (colors == nullptr) {
            return {};
        }
        return {colors, colors + static_cast<std::ptrdiff_t>(width) * height};
    }
};

TEST_F(FillTest, CanvasesThatFailTheSignatureTestGetNoCall) {
    TestImage stipple_image = make_image(2, 2, ZO_COLOR_SPACE_INDEXED3);
    TestImage rgb_image = make_image(2, 2, ZO_COLOR_SPACE_RGB);
    alignas(16) unsigned char wrong[][16] = {{'X', 'X'}, {'V', 'X'}, {'G', 'V'}, {'v', 'g'}, {}};
    for (auto &bytes : wrong) {
        auto *canvas_record = reinterpret_cast<vgCanvas *>(bytes);
        vgCanvasPatternZoImage(canvas_record, rgb_image.get());
        vgCanvasStippleZoImage(canvas_record, stipple_image.get());
    }
    vgCanvasPatternZoImage(nullptr, rgb_image.get());
    vgCanvasStippleZoImage(nullptr, stipple_image.get());
    EXPECT_EQ(vgTraceRecords(), std::vector<standin::TraceRecord>{});
}

TEST_F(FillTest, RgbImageIsEncodedPixelByPixelInOrder) {
    TestImage image = make_image(2, 1, ZO_COLOR_SPACE_RGB);
    set(image.samples(0), {255, 0});
    set(image.samples(2), {0, 255});
    vgCanvasPatternZoImage(canvas.get(), image.get());

    const auto calls = vgTraceRecords();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], standin::call("vgEncodeColor", uint8_t{255}, uint8_t{0}, uint8_t{0}));
    EXPECT_EQ(calls[1], standin::call("vgEncodeColor", uint8_t{0}, uint8_t{0}, uint8_t{255}));
    EXPECT_TRUE(is_pattern_call(calls[2], canvas.get(), 2, 1)) << calls[2];
    EXPECT_EQ(pattern(), (std::vector{vgEncodeColor(255, 0, 0), vgEncodeColor(0, 0, 255)}));
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 1);
}

TEST_F(FillTest, RgbaImageIsEncodedWithItsAlpha) {
    TestImage image = make_image(1, 2, ZO_COLOR_SPACE_RGB, 7);
    set(image.samples(0), {200, 1});
    set(image.samples(1), {201, 2});
    set(image.samples(2), {202, 3});
    set(image.samples(3), {128, 255});
    vgCanvasPatternZoImage(canvas.get(), image.get());

    const auto calls = vgTraceRecords();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], standin::call("vgEncodeColorAlpha", uint8_t{200}, uint8_t{201},
                                      uint8_t{202}, uint8_t{128}));
    EXPECT_EQ(calls[1], standin::call("vgEncodeColorAlpha", uint8_t{1}, uint8_t{2}, uint8_t{3},
                                      uint8_t{255}));
    EXPECT_EQ(pattern(), (std::vector{vgEncodeColorAlpha(200, 201, 202, 128),
                                      vgEncodeColorAlpha(1, 2, 3, 255)}));
}

// has_alpha counts as set whenever it is not 0, negative values included.
TEST_F(FillTest, AnyNonZeroAlphaFlagEncodesWithTheAlphaPlane) {
    for (const int32_t has_alpha :
         {1, -1, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        TestImage image = make_image(1, 1, ZO_COLOR_SPACE_RGB, has_alpha);
        set(image.samples(0), {10});
        set(image.samples(1), {20});
        set(image.samples(2), {30});
        set(image.samples(3), {40});
        vgTraceClear();
        vgCanvasPatternZoImage(canvas.get(), image.get());
        const auto calls = vgTraceRecords();
        ASSERT_EQ(calls.size(), 2u) << "has_alpha " << has_alpha;
        EXPECT_EQ(calls[0], standin::call("vgEncodeColorAlpha", uint8_t{10}, uint8_t{20},
                                          uint8_t{30}, uint8_t{40}))
            << "has_alpha " << has_alpha;
        EXPECT_EQ(pattern(), std::vector{vgEncodeColorAlpha(10, 20, 30, 40)})
            << "has_alpha " << has_alpha;
    }
}

TEST_F(FillTest, IndexedImageTakesPaletteColoursWhateverItsAlphaFlag) {
    for (int32_t color_space : {1, 2, 3}) {
        for (int32_t has_alpha : {0, 1}) {
            TestImage image = make_image(3, 1, color_space, has_alpha);
            set(image.samples(0), {0, 1, 0});
            image.palette()[0] = 0x11223344u;
            image.palette()[1] = 0x55667788u;
            vgTraceClear();
            vgCanvasPatternZoImage(canvas.get(), image.get());
            EXPECT_EQ(vgTraceCount(), 1u); // the pattern call alone: no encoding
            EXPECT_EQ(pattern(), (std::vector<vgColor>{0x11223344u, 0x55667788u, 0x11223344u}))
                << "colour space " << color_space << ", has_alpha " << has_alpha;
        }
    }
}

TEST_F(FillTest, UnhandledColourSpaceSetsAnAllZeroPattern) {
    for (int32_t color_space : {4, -1, 99}) {
        TestImage image = make_image(3, 2, color_space, 1);
        std::ranges::fill(image.palette(), 0xFFFFFFFFu);
        std::ranges::fill(image.samples(0), uint8_t{0xFF});
        vgTraceClear();
        vgCanvasPatternZoImage(canvas.get(), image.get());
        EXPECT_EQ(vgTraceCount(), 1u);
        EXPECT_EQ(pattern(), std::vector<vgColor>(6, 0u)) << "colour space " << color_space;
        EXPECT_EQ(width, 3);
        EXPECT_EQ(height, 2);
    }
}

TEST_F(FillTest, EmptyImageStillSetsItsSize) {
    TestImage image = make_image(0, 5, ZO_COLOR_SPACE_RGB);
    vgCanvasPatternZoImage(canvas.get(), image.get());
    const auto calls = vgTraceRecords();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(is_pattern_call(calls[0], canvas.get(), 0, 5)) << calls[0];
    EXPECT_EQ(pattern(), std::vector<vgColor>{});
}

// A record whose pixel_count falls short of width x height converts what it
// has, and the canvas still gets width x height entries to read, the rest 0.
TEST_F(FillTest, ShortPixelCountStillCoversTheWholePattern) {
    struct Short {
        int32_t width, height, pixel_count;
    };
    for (const Short s : {Short{3, 2, 2}, {1, 5, 3}, {5, 1, 3}, {1, 64, 3}, {64, 1, 3}}) {
        TestImage image({.width = s.width,
                         .height = s.height,
                         .color_space = ZO_COLOR_SPACE_INDEXED1,
                         .pixel_count = s.pixel_count});
        std::ranges::fill(image.samples(0), uint8_t{1});
        image.palette()[1] = 0xABCDEF01u;
        vgCanvasPatternZoImage(canvas.get(), image.get());
        std::vector<vgColor> expected(static_cast<std::size_t>(s.width * s.height), 0);
        std::fill_n(expected.begin(), s.pixel_count, 0xABCDEF01u);
        EXPECT_EQ(pattern(), expected) << s.width << " x " << s.height << ", " << s.pixel_count;
    }
}

// A size the canvas refuses is still handed on, with the pixel_count entries.
TEST_F(FillTest, NegativeSideIsHandedOnAsItIs) {
    TestImage image({.width = -2, .height = 3, .pixel_count = 6});
    vgCanvasPatternZoImage(canvas.get(), image.get());
    const auto calls = vgTraceRecords();
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_TRUE(is_pattern_call(calls[6], canvas.get(), -2, 3)) << calls[6];
}

// Width above 0 with a height of 0 or less, and the other way round: the size
// is handed on as it is, with the pixel_count entries converted.
TEST_F(FillTest, SideOfZeroOrLessIsHandedOnWithThePixelCountConverted) {
    struct Size {
        int32_t width, height, pixel_count;
    };
    for (const Size s : {Size{3, 0, 0},
                         {3, -2, 0},
                         {3, -2, 6},
                         {3, std::numeric_limits<int32_t>::min(), 2},
                         {0, 3, 0},
                         {-2, 3, 4}}) {
        TestImage image({.width = s.width,
                         .height = s.height,
                         .pixel_count = s.pixel_count,
                         .exact_planes = true});
        vgTraceClear();
        vgCanvasPatternZoImage(canvas.get(), image.get());
        const auto calls = vgTraceRecords();
        ASSERT_EQ(calls.size(), static_cast<std::size_t>(s.pixel_count) + 1)
            << s.width << " x " << s.height << ", " << s.pixel_count;
        EXPECT_TRUE(is_pattern_call(calls.back(), canvas.get(), s.width, s.height)) << calls.back();
    }
}

TEST_F(FillTest, BrokenOrOversizedRecordsSetNothing) {
    struct Broken {
        const char *what;
        int32_t width, height, pixel_count;
    };
    const Broken broken[] = {
        {"negative pixel count", 2, 2, -4},
        {"most negative pixel count", 2, 2, std::numeric_limits<int32_t>::min()},
        // Would need 2^62 bytes: refused before anything is allocated.
        {"area beyond any pixel count", std::numeric_limits<int32_t>::max(), 1 << 29, 0},
    };
    for (const Broken &b : broken) {
        TestImage image({.width = b.width,
                         .height = b.height,
                         .pixel_count = b.pixel_count,
                         .plane_samples = 1});
        vgCanvasPatternZoImage(canvas.get(), image.get());
        EXPECT_EQ(vgTraceCount(), 0u) << b.what;
        EXPECT_EQ(vgCanvasGetPattern(canvas.get(), &width, &height), nullptr) << b.what;
    }
}

#if defined(__GLIBC__)
// Every pattern call gives its array back: the heap in use stays where it
// was, whatever the path (converted, all zero, no entries).  The address
// sanitizer and valgrind have their own allocators and see leaks themselves.
TEST_F(FillTest, PatternArrayIsReleasedOnEveryPath) {
    vgTraceEnable(0);
    TestImage rgb = make_image(64, 64, ZO_COLOR_SPACE_RGB);
    TestImage unhandled = make_image(64, 64, 4);
    TestImage empty = make_image(0, 64, ZO_COLOR_SPACE_RGB);
    auto in_use = [] {
        const struct mallinfo2 info = mallinfo2();
        return info.uordblks + info.hblkhd;
    };
    for (const TestImage *image : {&rgb, &unhandled, &empty}) {
        vgCanvasPatternZoImage(canvas.get(), image->get()); // the canvas's copy settles
        const std::size_t before = in_use();
        for (int i = 0; i < 100; ++i) {
            vgCanvasPatternZoImage(canvas.get(), image->get());
        }
        EXPECT_LT(in_use(), before + std::size_t{64} * 64 * sizeof(vgColor))
            << "width " << image->get()->width;
    }
}
#endif

TEST_F(FillTest, OtherSampleTypesSetNeitherPatternNorStipple) {
    for (int32_t color_space : {0, 1, 3, 4}) {
        TestImage image({.width = 2, .height = 2, .color_space = color_space, .sample_type = 1});
        vgCanvasPatternZoImage(canvas.get(), image.get());
        vgCanvasStippleZoImage(canvas.get(), image.get());
    }
    EXPECT_EQ(vgTraceCount(), 0u);
    EXPECT_EQ(vgCanvasGetPattern(canvas.get(), &width, &height), nullptr);
    EXPECT_EQ(vgCanvasGetStipple(canvas.get(), &width, &height), nullptr);
}

TEST_F(FillTest, StippleIsTheImagesOwnPlane) {
    TestImage image = make_image(3, 2, ZO_COLOR_SPACE_INDEXED3);
    vgCanvasStippleZoImage(canvas.get(), image.get());
    EXPECT_EQ(vgTraceRecords(),
              std::vector{standin::call("vgCanvasStipple", canvas.get(), 3, 2, image.plane(0))});
    EXPECT_EQ(vgCanvasGetStipple(canvas.get(), &width, &height), image.plane(0));
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
}

// What the pattern makes a pattern of, and what it ignores: converting reads
// only the planes, and a working canvas copies every entry it is handed and
// fills with them.  Each image format the pattern converts, and one it sets all
// zero.
const Handling kPatternHandling[] = {
    {Record::whole, true},
    {Record::zero_height, true},
    {Record::negative_width, true},
    {Record::null_image, false},
    {Record::null_planes_array, false},
    {Record::short_planes, true}, // converts pixel_count pixels, the rest 0
    {Record::negative_pixel_count, false},
    {Record::area_beyond_32_bits, false}, // more entries than any pixel_count
};

class PatternRecordTest : public TracedTest, public ::testing::WithParamInterface<Handling> {};

TEST_P(PatternRecordTest, IsMadeOfWholeRecordsOnly) {
    const Handling &handling = GetParam();
    for (const ImageShape &format : {ImageShape{}, ImageShape{.has_alpha = 1},
                                     ImageShape{.color_space = 1}, ImageShape{.color_space = 4}}) {
        RecordUnderTest image(handling.record, format);
        const Canvas canvas(vgCanvasCreate(8, 8));
        const uint64_t before = image.content_hash();
        vgTraceClear();
        vgCanvasPatternZoImage(canvas.get(), image.get());
        vgCanvasFillRect(canvas.get(), 0, 0, 8, 8, 0xFF000000u);
        if (handling.handed_on) {
            EXPECT_TRUE(called("vgCanvasPattern")) << "colour space " << format.color_space;
        } else {
            EXPECT_EQ(vgTraceCount(), 0u)
                << "colour space " << format.color_space << ", has_alpha " << format.has_alpha;
        }
        EXPECT_EQ(image.content_hash(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Records, PatternRecordTest, ::testing::ValuesIn(kPatternHandling),
                         [](const auto &info) { return std::string(name(info.param.record)); });

// A record lacking a plane or the palette the pattern takes its colours from
// is ignored; a part it does not read may be missing.
struct MissingPart {
    const char *name;
    ImageShape format;
    int plane; // the plane set to null, or -1 for the palette
    bool handed_on;
};

void PrintTo(const MissingPart &part, std::ostream *out) {
    *out << part.name;
}

const MissingPart kMissingParts[] = {
    {"redPlane", {}, 0, false},
    {"greenPlane", {}, 1, false},
    {"bluePlane", {}, 2, false},
    {"alphaPlane", {.has_alpha = 1}, 3, false},
    {"alphaPlaneOfANegativeFlag", {.has_alpha = -1}, 3, false},
    {"redPlaneWithAlpha", {.has_alpha = 1}, 0, false},
    {"indexPlane", {.color_space = 2}, 0, false},
    {"palette", {.color_space = 2}, -1, false},
    {"paletteOfRgb", {}, -1, true},
    {"planeOfUnconvertedSpace", {.color_space = 4}, 0, true},
    {"paletteOfUnconvertedSpace", {.color_space = 4}, -1, true},
};

class PatternMissingPartTest : public TracedTest,
                               public ::testing::WithParamInterface<MissingPart> {};

TEST_P(PatternMissingPartTest, IsIgnoredOnlyIfItWouldBeRead) {
    const MissingPart &part = GetParam();
    ImageShape shape = part.format;
    shape.exact_planes = true;
    TestImage image(shape);
    testkit::fill_with_noise(image);
    if (part.plane < 0) {
        image.record().palette = nullptr;
    } else {
        image.record().planes[part.plane] = nullptr;
    }
    const Canvas canvas(vgCanvasCreate(8, 8));
    vgCanvasPatternZoImage(canvas.get(), image.get());
    if (part.handed_on) {
        EXPECT_TRUE(called("vgCanvasPattern"));
    } else {
        EXPECT_EQ(vgTraceCount(), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Parts, PatternMissingPartTest, ::testing::ValuesIn(kMissingParts),
                         [](const auto &info) { return std::string(info.param.name); });

// What the stipple hands on: only records whose index plane holds the image,
// which a working canvas keeps and fills through.
class StippleRecordTest : public TracedTest, public ::testing::WithParamInterface<Handling> {};

TEST_P(StippleRecordTest, KeepsOnlyWholeRecords) {
    const Handling &handling = GetParam();
    RecordUnderTest image(handling.record, {.color_space = ZO_COLOR_SPACE_INDEXED3});
    const Canvas canvas(vgCanvasCreate(8, 8));
    vgCanvasStippleZoImage(canvas.get(), image.get());
    vgCanvasFillRect(canvas.get(), 0, 0, 8, 8, 0xFF000000u);
    EXPECT_EQ(vgTraceCount(), handling.handed_on ? 1u : 0u);
    vgCanvasStipple(canvas.get(), 0, 0, nullptr); // the canvas lets go of the plane
}

INSTANTIATE_TEST_SUITE_P(Records, StippleRecordTest, ::testing::ValuesIn(kPlaneHandling),
                         [](const auto &info) { return std::string(name(info.param.record)); });

TEST_F(FillTest, StippleNeedsColourSpaceThree) {
    for (int32_t color_space : {0, 1, 2, 4, -3}) {
        TestImage image = make_image(2, 2, color_space);
        vgCanvasStippleZoImage(canvas.get(), image.get());
    }
    EXPECT_EQ(vgTraceCount(), 0u);
    EXPECT_EQ(vgCanvasGetStipple(canvas.get(), &width, &height), nullptr);
}

} // namespace
