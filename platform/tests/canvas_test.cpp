// SPDX-License-Identifier: MIT
// The canvas stand-in's drawing: placement in the three coordinate families,
// nearest-neighbour scaling, clipping, blending, read-back, fills.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "testkit.h"

namespace {

using testkit::Canvas;

constexpr int32_t kSize = 8;
constexpr vgColor kBlack = 0xFF000000u;
constexpr vgColor kRed = 0xFFFF0000u;

// A 2 x 2 source: red, green / blue, white.
const uint8_t kRed2x2[] = {255, 0, 0, 255};
const uint8_t kGreen2x2[] = {0, 255, 0, 255};
const uint8_t kBlue2x2[] = {0, 0, 255, 255};

vgColor rgb(uint8_t r, uint8_t g, uint8_t b) {
    return 0xFF000000u | uint32_t{r} << 16 | uint32_t{g} << 8 | b;
}

// Which canvas pixels are not black, as a picture of '.' and '#'.
std::vector<std::string> drawn(const vgCanvas *canvas) {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < vgCanvasHeight(canvas); ++y) {
        std::string row;
        for (int32_t x = 0; x < vgCanvasWidth(canvas); ++x) {
            row += vgCanvasPixel(canvas, x, y) == kBlack ? '.' : '#';
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(CanvasStandIn, ScalesByNearestNeighbourIntoThePlace) {
    Canvas canvas(vgCanvasCreate(kSize, kSize));
    vgCanvasPutImageRectRGB(canvas.get(), 2, 2, kRed2x2, kGreen2x2, kBlue2x2, 2, 3, 4, 4, 0, 0, 0,
                            0);
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 2, 3), kRed);
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 3, 4), kRed);
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 5, 3), rgb(0, 255, 0));
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 2, 6), rgb(0, 0, 255));
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 5, 6), rgb(255, 255, 255));
    EXPECT_EQ(drawn(canvas.get()),
              (std::vector<std::string>{"........", "........", "........", "..####..", "..####..",
                                        "..####..", "..####..", "........"}));
}

// One placement in each family; every one must land on the same pixels.
struct Placement {
    const char *name;
    void (*put)(vgCanvas *);
};

const Placement kPlacements[] = {
    {"vg",
     [](vgCanvas *c) {
         vgCanvasPutImageRectRGB(c, 2, 2, kRed2x2, kGreen2x2, kBlue2x2, 1, 2, 3, 2, 0, 0, 0, 0);
     }},
    // Halves round away from zero: 0.5 -> 1, 2.5 -> 3, 1.5 -> 2.
    {"vgfHalves",
     [](vgCanvas *c) {
         vgfCanvasPutImageRectRGB(c, 2, 2, kRed2x2, kGreen2x2, kBlue2x2, 0.5, 1.5, 2.5, 1.5, 0, 0,
                                  0, 0);
     }},
    {"vgfFractions",
     [](vgCanvas *c) {
         vgfCanvasPutImageRectRGB(c, 2, 2, kRed2x2, kGreen2x2, kBlue2x2, 1.25, 1.75, 3.4, 2.3, 0, 0,
                                  0, 0);
     }},
    // qm: y up from the bottom to the area's lower edge: 8 - 2 - 2 = 4.
    {"qm",
     [](vgCanvas *c) {
         qmCanvasPutImageRectRGB(c, 2, 2, kRed2x2, kGreen2x2, kBlue2x2, 1, 4, 3, 2, 0, 0, 0, 0);
     }},
};

class CanvasPlacement : public ::testing::TestWithParam<Placement> {};

TEST_P(CanvasPlacement, LandsOnTheSamePixels) {
    Canvas canvas(vgCanvasCreate(kSize, kSize));
    GetParam().put(canvas.get());
    EXPECT_EQ(drawn(canvas.get()),
              (std::vector<std::string>{"........", "........", ".###....", ".###....", "........",
                                        "........", "........", "........"}));
}

INSTANTIATE_TEST_SUITE_P(Families, CanvasPlacement, ::testing::ValuesIn(kPlacements),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CanvasStandIn, ClipsToTheCanvasAndIgnoresWhatItCannotUse) {
    Canvas canvas(vgCanvasCreate(kSize, kSize));
    vgCanvasPutImageRectRGB(canvas.get(), 2, 2, kRed2x2, kGreen2x2, kBlue2x2, -1, 6, 3, 4, 0, 0, 0,
                            0);
    EXPECT_EQ(drawn(canvas.get())[6], "##......");
    EXPECT_EQ(drawn(canvas.get())[7], "##......");

    Canvas untouched(vgCanvasCreate(kSize, kSize));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    vgCanvasPutImageRectRGB(untouched.get(), 2, 2, kRed2x2, kGreen2x2, kBlue2x2, 0, 0, 0, 4, 0, 0,
                            0, 0);
    vgCanvasPutImageRectRGB(untouched.get(), 2, 2, kRed2x2, nullptr, kBlue2x2, 0, 0, 4, 4, 0, 0, 0,
                            0);
    vgCanvasPutImageRectRGB(untouched.get(), 0, 2, kRed2x2, kGreen2x2, kBlue2x2, 0, 0, 4, 4, 0, 0,
                            0, 0);
    vgfCanvasPutImageRectRGB(untouched.get(), 2, 2, kRed2x2, kGreen2x2, kBlue2x2, nan, 0, 4, 4, 0,
                             0, 0, 0);
    vgfCanvasPutImageRectRGB(untouched.get(), 2, 2, kRed2x2, kGreen2x2, kBlue2x2, 3e9, 0, 4, 4, 0,
                             0, 0, 0);
    EXPECT_EQ(drawn(untouched.get()), drawn(Canvas(vgCanvasCreate(kSize, kSize)).get()));
}

TEST(CanvasStandIn, SourceRectangleIsCutToTheImage) {
    Canvas canvas(vgCanvasCreate(kSize, kSize));
    // Only the right column of the source (green, white), stretched over 2 x 2.
    vgCanvasPutImageRectRGB(canvas.get(), 2, 2, kRed2x2, kGreen2x2, kBlue2x2, 0, 0, 2, 2, 1, -5, 9,
                            9);
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 0, 0), rgb(0, 255, 0));
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 1, 0), rgb(0, 255, 0));
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 0, 1), rgb(255, 255, 255));
}

TEST(CanvasStandIn, BlendsByAlphaRoundingToNearest) {
    Canvas canvas(vgCanvasCreate(2, 2));
    const uint8_t white[] = {255, 255, 255, 255};
    vgCanvasPutImageRectRGB(canvas.get(), 2, 2, white, white, white, 0, 0, 2, 2, 0, 0, 0, 0);
    const uint8_t black[] = {0, 0, 0, 0};
    const uint8_t alpha[] = {0, 255, 128, 1};
    vgCanvasPutImageRectRGBA(canvas.get(), 2, 2, black, black, black, alpha, 0, 0, 2, 2, 0, 0, 0,
                             0);
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 0, 0), rgb(255, 255, 255)); // transparent
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 1, 0), kBlack);             // opaque
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 0, 1), rgb(127, 127, 127)); // (127 * 255 + 127) / 255
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 1, 1), rgb(254, 254, 254));
}

TEST(CanvasStandIn, MapTakesThePaletteColourAndItsAlpha) {
    Canvas canvas(vgCanvasCreate(3, 1));
    const uint8_t index[] = {2, 0, 1};
    const vgColor palette[] = {0xFF0A141Eu, 0x00FFFFFFu, 0xFFC86432u};
    vgCanvasPutImageRectMap(canvas.get(), 3, 1, index, palette, 0, 0, 3, 1, 0, 0, 0, 0);
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 0, 0), 0xFFC86432u);
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 1, 0), 0xFF0A141Eu);
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 2, 0), kBlack); // alpha 0: unchanged
}

TEST(CanvasStandIn, GetReadsTheAreaAndZeroOutside) {
    Canvas canvas(vgCanvasCreate(4, 4));
    vgCanvasPutImageRectRGB(canvas.get(), 2, 2, kRed2x2, kGreen2x2, kBlue2x2, 0, 0, 2, 2, 0, 0, 0,
                            0);
    std::array<uint8_t, 4> red{9, 9, 9, 9};
    std::array<uint8_t, 4> green{9, 9, 9, 9};
    std::array<uint8_t, 4> blue{9, 9, 9, 9};
    vgCanvasGetImageRGB(canvas.get(), red.data(), green.data(), blue.data(), -1, 0, 2, 2);
    EXPECT_EQ(red, (std::array<uint8_t, 4>{0, 255, 0, 0}));
    EXPECT_EQ(blue, (std::array<uint8_t, 4>{0, 0, 0, 255}));
    // qm: the lower left corner at y = 2 is the canvas's line 4 - 2 - 2 = 0.
    qmCanvasGetImageRGB(canvas.get(), red.data(), green.data(), blue.data(), 0, 2, 2, 2);
    EXPECT_EQ(red, (std::array<uint8_t, 4>{255, 0, 0, 255}));
}

TEST(CanvasStandIn, PatternIsCopiedAndStippleKept) {
    Canvas canvas(vgCanvasCreate(1, 1));
    std::vector<vgColor> colors{1, 2, 3, 4, 5, 6};
    vgCanvasPattern(canvas.get(), 3, 2, colors.data());
    colors.assign(6, 0);
    int32_t width = 0;
    int32_t height = 0;
    const vgColor *kept = vgCanvasGetPattern(canvas.get(), &width, &height);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(std::vector<vgColor>(kept, kept + 6), (std::vector<vgColor>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);

    const uint8_t mask[] = {1, 0};
    vgCanvasStipple(canvas.get(), 2, 1, mask);
    EXPECT_EQ(vgCanvasGetStipple(canvas.get(), &width, &height), mask);
    vgCanvasPattern(canvas.get(), -1, 2, colors.data()); // ignored
    EXPECT_EQ(vgCanvasGetPattern(canvas.get(), &width, &height), kept);
}

TEST(CanvasStandIn, FillTilesThePatternThroughTheStipple) {
    Canvas canvas(vgCanvasCreate(4, 2));
    const vgColor tile[] = {kRed, rgb(0, 0, 255)};
    vgCanvasPattern(canvas.get(), 2, 1, tile);
    vgCanvasFillRect(canvas.get(), -1, 0, 9, 1, rgb(0, 255, 0));
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 0, 0), kRed);
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 3, 0), rgb(0, 0, 255));
    EXPECT_EQ(vgCanvasPixel(canvas.get(), 0, 1), kBlack);

    const uint8_t mask[] = {1, 0};
    vgCanvasPattern(canvas.get(), 0, 0, nullptr); // no colours: the fill's own
    vgCanvasStipple(canvas.get(), 2, 1, mask);
    vgCanvasFillRect(canvas.get(), 0, 1, 4, 1, rgb(0, 255, 0));
    EXPECT_EQ(drawn(canvas.get())[1], "#.#.");
}

// Disposal takes a live canvas of the stand-in's own and nothing else: a
// canvas disposed of already (a second disposal) or a record made elsewhere
// is left unread, so the address sanitizer sees no use after free, and a
// record that merely begins with "VG" is not freed.
struct Disposal {
    const char *name;
    void (*dispose_of)();
};

void PrintTo(const Disposal &disposal, std::ostream *out) {
    *out << disposal.name;
}

// Planes for a canvas of the RGB image kind, and the creation text naming them.
std::array<uint8_t, 4> kind_samples[3];
std::string kind_text() {
    char text[128];
    std::snprintf(text, sizeof text, "2x2 %p %p %p", static_cast<void *>(kind_samples[0].data()),
                  static_cast<void *>(kind_samples[1].data()),
                  static_cast<void *>(kind_samples[2].data()));
    return text;
}

const Disposal kDisposals[] = {
    {"twice",
     [] {
         vgCanvas *canvas = vgCanvasCreate(2, 2);
         ASSERT_NE(canvas, nullptr);
         vgCanvasDestroy(canvas);
         vgCanvasDestroy(canvas);
     }},
    {"twiceOfAKind",
     [] {
         std::string text = kind_text();
         vgCanvas *canvas = vgCanvasCreateWithContext(vgContextImageRGB(), text.data());
         ASSERT_NE(canvas, nullptr);
         vgCanvasDestroy(canvas);
         vgCanvasDestroy(canvas);
     }},
    {"recordMadeElsewhere",
     [] {
         alignas(16) unsigned char record[256] = {'V', 'G'};
         vgCanvasDestroy(reinterpret_cast<vgCanvas *>(record));
         EXPECT_EQ(record[0], 'V');
         EXPECT_EQ(record[1], 'G');
     }},
    {"null", [] { vgCanvasDestroy(nullptr); }},
};

class CanvasDisposal : public ::testing::TestWithParam<Disposal> {};

TEST_P(CanvasDisposal, OfAnythingButALiveCanvasIsHarmless) {
    GetParam().dispose_of();
}

INSTANTIATE_TEST_SUITE_P(Records, CanvasDisposal, ::testing::ValuesIn(kDisposals),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CanvasStandIn, EncodesColoursAsAlphaRedGreenBlue) {
    EXPECT_EQ(vgEncodeColor(0x12, 0x34, 0x56), 0xFF123456u);
    EXPECT_EQ(vgEncodeColorAlpha(0x12, 0x34, 0x56, 0x78), 0x78123456u);
}

} // namespace
