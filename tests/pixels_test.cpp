// SPDX-License-Identifier: MIT
// Real pixels, end to end: what the bridge draws or reads is exactly what the
// canvas library's own call with the image's planes draws or reads.  Which
// call each family and image gets, argument by argument, is put_test's and
// get_test's; what the calls do is the canvas library's (its stand-in's are
// checked in platform/tests).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_image.h"
#include "testkit.h"
#include "vgzo/vgzo.h"

namespace {

using testkit::Canvas;
using testkit::TestImage;

constexpr int32_t kSize = 8;

// Every pixel of a canvas.
std::vector<vgColor> pixels(const vgCanvas *canvas) {
    std::vector<vgColor> all;
    for (int32_t y = 0; y < kSize; ++y) {
        for (int32_t x = 0; x < kSize; ++x) {
            all.push_back(vgCanvasPixel(canvas, x, y));
        }
    }
    return all;
}

// The direct call for each image format, at x 1, y 2, 5 x 3.
struct Format {
    const char *name;
    int32_t color_space;
    int32_t has_alpha;
    void (*direct)(vgCanvas *, const zoImage *, uint8_t *const *);
};

const Format kFormats[] = {
    {"rgb", 0, 0,
     [](vgCanvas *c, const zoImage *, uint8_t *const *p) {
         vgCanvasPutImageRectRGB(c, 3, 2, p[0], p[1], p[2], 1, 2, 5, 3, 0, 0, 0, 0);
     }},
    {"rgba", 0, 1,
     [](vgCanvas *c, const zoImage *, uint8_t *const *p) {
         vgCanvasPutImageRectRGBA(c, 3, 2, p[0], p[1], p[2], p[3], 1, 2, 5, 3, 0, 0, 0, 0);
     }},
    {"indexed", 2, 0,
     [](vgCanvas *c, const zoImage *i, uint8_t *const *p) {
         vgCanvasPutImageRectMap(c, 3, 2, p[0], i->palette, 1, 2, 5, 3, 0, 0, 0, 0);
     }},
};

void PrintTo(const Format &format, std::ostream *out) {
    *out << format.name;
}

class PixelTest : public ::testing::TestWithParam<Format> {};

TEST_P(PixelTest, BridgeDrawsWhatTheDirectCallDraws) {
    const Format &format = GetParam();
    TestImage image({.width = 3,
                     .height = 2,
                     .color_space = format.color_space,
                     .has_alpha = format.has_alpha});
    testkit::fill_with_noise(image);
    Canvas through_bridge(vgCanvasCreate(kSize, kSize));
    Canvas direct(vgCanvasCreate(kSize, kSize));
    vgCanvasPutZoImage(through_bridge.get(), image.get(), 1, 2, 5, 3);
    format.direct(direct.get(), image.get(), image.get()->planes);
    EXPECT_EQ(pixels(through_bridge.get()), pixels(direct.get()));
    EXPECT_NE(pixels(through_bridge.get()), pixels(Canvas(vgCanvasCreate(kSize, kSize)).get()))
        << "nothing was drawn";
}

INSTANTIATE_TEST_SUITE_P(Formats, PixelTest, ::testing::ValuesIn(kFormats),
                         [](const auto &info) { return std::string(info.param.name); });

// Reading back: the bridge reads what the canvas's own get reads, at the
// image's own size, in both families.
TEST(GetPixels, BridgeReadsWhatTheDirectCallReads) {
    Canvas canvas(vgCanvasCreate(kSize, kSize));
    TestImage drawn({.width = 3, .height = 2, .color_space = 2});
    testkit::fill_with_noise(drawn);
    vgCanvasPutZoImage(canvas.get(), drawn.get(), 0, 0, kSize, kSize);

    for (bool qm : {false, true}) {
        TestImage read({.width = 3, .height = 2});
        TestImage expected({.width = 3, .height = 2});
        if (qm) {
            qmCanvasGetZoImage(canvas.get(), read.get(), 4.5, 1);
            qmCanvasGetImageRGB(canvas.get(), expected.plane(0), expected.plane(1),
                                expected.plane(2), 4.5, 1, 3, 2);
        } else {
            vgCanvasGetZoImage(canvas.get(), read.get(), 4, 1);
            vgCanvasGetImageRGB(canvas.get(), expected.plane(0), expected.plane(1),
                                expected.plane(2), 4, 1, 3, 2);
        }
        EXPECT_EQ(read.content_hash(), expected.content_hash()) << (qm ? "qm" : "vg");
        EXPECT_NE(read.content_hash(), TestImage({.width = 3, .height = 2}).content_hash());
    }
}

} // namespace
