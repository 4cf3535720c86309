// Fill pattern and stipple mask from an image, on a working canvas.
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "support/records.h"
#include "support/trace.h"

namespace {

using trace::call;

struct CanvasDeleter {
    void operator()(vgCanvas *canvas) const { vgCanvasDestroy(canvas); }
};
using Canvas = std::unique_ptr<vgCanvas, CanvasDeleter>;

// A byte image with real planes of pixel_count samples and a 256-entry
// palette, built by hand so that any field can be set.
struct TestImage {
    std::vector<uint8_t> samples[4];
    uint8_t *planes[4];
    std::vector<vgColor> palette = std::vector<vgColor>(256);
    zoImage image{};

    TestImage(int32_t width, int32_t height, int32_t color_space, int32_t has_alpha = 0) {
        for (int i = 0; i < 4; ++i) {
            samples[i].resize(static_cast<std::size_t>(width) * height);
            planes[i] = samples[i].data();
        }
        image.width = width;
        image.height = height;
        image.color_space = color_space;
        image.has_alpha = has_alpha;
        image.pixel_count = width * height;
        image.planes = planes;
        image.palette = palette.data();
    }
};

std::vector<vgColor> kept_pattern(const vgCanvas *canvas, int32_t &width, int32_t &height) {
    const vgColor *colors = vgCanvasGetPattern(canvas, &width, &height);
    if (colors == nullptr) {
        return {};
    }
    return {colors, colors + static_cast<std::ptrdiff_t>(width) * height};
}

// The trace line of the pattern call, whose array address the test cannot know.
std::string pattern_call_prefix(const vgCanvas *canvas, int32_t width, int32_t height) {
    std::string line = call("vgCanvasPattern", canvas, width, height, 0);
    return line.substr(0, line.size() - 2); // up to the array argument
}

class FillTest : public trace::TracedTest {
protected:
    Canvas canvas{vgCanvasCreate(4, 4)};
    int32_t width = -1;
    int32_t height = -1;

    std::vector<vgColor> pattern() { return kept_pattern(canvas.get(), width, height); }
};

TEST_F(FillTest, CanvasesThatFailTheSignatureTestGetNoCall) {
    TestImage stipple_image(2, 2, ZO_COLOR_SPACE_INDEXED3);
    TestImage rgb_image(2, 2, ZO_COLOR_SPACE_RGB);
    alignas(16) unsigned char wrong[][16] = {{'X', 'X'}, {'V', 'X'}, {'G', 'V'}, {'v', 'g'}, {}};
    for (auto &bytes : wrong) {
        auto *canvas_record = reinterpret_cast<vgCanvas *>(bytes);
        vgCanvasPatternZoImage(canvas_record, &rgb_image.image);
        vgCanvasStippleZoImage(canvas_record, &stipple_image.image);
    }
    vgCanvasPatternZoImage(nullptr, &rgb_image.image);
    vgCanvasStippleZoImage(nullptr, &stipple_image.image);
    EXPECT_EQ(trace::vg_calls(), std::vector<std::string>{});
}

TEST_F(FillTest, RgbImageIsEncodedPixelByPixelInOrder) {
    TestImage image(2, 1, ZO_COLOR_SPACE_RGB);
    image.samples[0] = {255, 0};
    image.samples[1] = {0, 0};
    image.samples[2] = {0, 255};
    vgCanvasPatternZoImage(canvas.get(), &image.image);

    const auto calls = trace::vg_calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], call("vgEncodeColor", uint8_t{255}, uint8_t{0}, uint8_t{0}));
    EXPECT_EQ(calls[1], call("vgEncodeColor", uint8_t{0}, uint8_t{0}, uint8_t{255}));
    EXPECT_EQ(calls[2].rfind(pattern_call_prefix(canvas.get(), 2, 1), 0), 0u) << calls[2];
    EXPECT_EQ(pattern(), (std::vector{vgEncodeColor(255, 0, 0), vgEncodeColor(0, 0, 255)}));
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 1);
}

TEST_F(FillTest, RgbaImageIsEncodedWithItsAlpha) {
    TestImage image(1, 2, ZO_COLOR_SPACE_RGB, 7);
    image.samples[0] = {200, 1};
    image.samples[1] = {201, 2};
    image.samples[2] = {202, 3};
    image.samples[3] = {128, 255};
    vgCanvasPatternZoImage(canvas.get(), &image.image);

    const auto calls = trace::vg_calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0],
              call("vgEncodeColorAlpha", uint8_t{200}, uint8_t{201}, uint8_t{202}, uint8_t{128}));
    EXPECT_EQ(calls[1],
              call("vgEncodeColorAlpha", uint8_t{1}, uint8_t{2}, uint8_t{3}, uint8_t{255}));
    EXPECT_EQ(pattern(), (std::vector{vgEncodeColorAlpha(200, 201, 202, 128),
                                      vgEncodeColorAlpha(1, 2, 3, 255)}));
}

TEST_F(FillTest, IndexedImageTakesPaletteColoursWhateverItsAlphaFlag) {
    for (int32_t color_space : {1, 2, 3}) {
        for (int32_t has_alpha : {0, 1}) {
            TestImage image(3, 1, color_space, has_alpha);
            image.samples[0] = {0, 1, 0};
            image.palette[0] = 0x11223344u;
            image.palette[1] = 0x55667788u;
            vgTraceClear();
            vgCanvasPatternZoImage(canvas.get(), &image.image);
            EXPECT_EQ(vgTraceCount(), 1u); // the pattern call alone: no encoding
            EXPECT_EQ(pattern(), (std::vector<vgColor>{0x11223344u, 0x55667788u, 0x11223344u}))
                << "colour space " << color_space << ", has_alpha " << has_alpha;
        }
    }
}

TEST_F(FillTest, UnhandledColourSpaceSetsAnAllZeroPattern) {
    for (int32_t color_space : {4, -1, 99}) {
        TestImage image(3, 2, color_space, 1);
        std::fill(image.palette.begin(), image.palette.end(), 0xFFFFFFFFu);
        std::fill(image.samples[0].begin(), image.samples[0].end(), 0xFF);
        vgTraceClear();
        vgCanvasPatternZoImage(canvas.get(), &image.image);
        EXPECT_EQ(vgTraceCount(), 1u);
        EXPECT_EQ(pattern(), std::vector<vgColor>(6, 0u)) << "colour space " << color_space;
        EXPECT_EQ(width, 3);
        EXPECT_EQ(height, 2);
    }
}

TEST_F(FillTest, EmptyImageStillSetsItsSize) {
    TestImage image(0, 5, ZO_COLOR_SPACE_RGB);
    vgCanvasPatternZoImage(canvas.get(), &image.image);
    const auto calls = trace::vg_calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind(pattern_call_prefix(canvas.get(), 0, 5), 0), 0u) << calls[0];
    EXPECT_EQ(pattern(), std::vector<vgColor>{});
}

// A record whose pixel_count falls short of width x height converts what it
// has, and the canvas still gets width x height entries to read.
TEST_F(FillTest, ShortPixelCountStillCoversTheWholePattern) {
    TestImage image(3, 2, ZO_COLOR_SPACE_INDEXED1);
    image.image.pixel_count = 2;
    image.samples[0] = {1, 1, 1, 1, 1, 1};
    image.palette[1] = 0xABCDEF01u;
    vgCanvasPatternZoImage(canvas.get(), &image.image);
    EXPECT_EQ(pattern(), (std::vector<vgColor>{0xABCDEF01u, 0xABCDEF01u, 0, 0, 0, 0}));
}

TEST_F(FillTest, BrokenOrOversizedRecordsSetNothing) {
    struct Broken {
        const char *what;
        int32_t width, height, pixel_count;
    };
    const Broken broken[] = {
        {"negative pixel count", 2, 2, -4},
        {"most negative pixel count", 2, 2, std::numeric_limits<int32_t>::min()},
        // Needs 2^62 bytes: the allocation fails and nothing may be handed on.
        {"allocation that cannot succeed", std::numeric_limits<int32_t>::max(), 1 << 29, 0},
    };
    for (const Broken &b : broken) {
        TestImage image(1, 1, ZO_COLOR_SPACE_RGB);
        image.image.width = b.width;
        image.image.height = b.height;
        image.image.pixel_count = b.pixel_count;
        vgCanvasPatternZoImage(canvas.get(), &image.image);
        EXPECT_EQ(vgTraceCount(), 0u) << b.what;
        EXPECT_EQ(vgCanvasGetPattern(canvas.get(), &width, &height), nullptr) << b.what;
    }
}

TEST_F(FillTest, OtherSampleTypesSetNeitherPatternNorStipple) {
    for (int32_t color_space : {0, 1, 3, 4}) {
        TestImage image(2, 2, color_space);
        image.image.sample_type = 1;
        vgCanvasPatternZoImage(canvas.get(), &image.image);
        vgCanvasStippleZoImage(canvas.get(), &image.image);
    }
    EXPECT_EQ(vgTraceCount(), 0u);
    EXPECT_EQ(vgCanvasGetPattern(canvas.get(), &width, &height), nullptr);
    EXPECT_EQ(vgCanvasGetStipple(canvas.get(), &width, &height), nullptr);
}

TEST_F(FillTest, StippleIsTheImagesOwnPlane) {
    TestImage image(3, 2, ZO_COLOR_SPACE_INDEXED3);
    vgCanvasStippleZoImage(canvas.get(), &image.image);
    EXPECT_EQ(trace::vg_calls(),
              std::vector{call("vgCanvasStipple", canvas.get(), 3, 2, image.planes[0])});
    EXPECT_EQ(vgCanvasGetStipple(canvas.get(), &width, &height), image.planes[0]);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
}

TEST_F(FillTest, StippleNeedsColourSpaceThree) {
    for (int32_t color_space : {0, 1, 2, 4, -3}) {
        TestImage image(2, 2, color_space);
        vgCanvasStippleZoImage(canvas.get(), &image.image);
    }
    EXPECT_EQ(vgTraceCount(), 0u);
    EXPECT_EQ(vgCanvasGetStipple(canvas.get(), &width, &height), nullptr);
}

} // namespace
