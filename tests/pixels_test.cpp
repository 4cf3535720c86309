// Real pixels: images drawn through the bridge on a working canvas, and
// canvas areas read back into images.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

namespace {

constexpr int32_t kCanvasSize = 8;

struct CanvasDeleter {
    void operator()(vgCanvas *canvas) const { vgCanvasDestroy(canvas); }
};
struct ImageDeleter {
    void operator()(zoImage *image) const { zoImageFree(image); }
};
using Canvas = std::unique_ptr<vgCanvas, CanvasDeleter>;
using Image = std::unique_ptr<zoImage, ImageDeleter>;

constexpr vgColor kBlack = 0xFF000000u;
constexpr vgColor rgb(uint8_t r, uint8_t g, uint8_t b) {
    return 0xFF000000u | uint32_t{r} << 16 | uint32_t{g} << 8 | b;
}

void set_pixel(zoImage *image, int32_t i, uint8_t r, uint8_t g, uint8_t b) {
    image->planes[0][i] = r;
    image->planes[1][i] = g;
    image->planes[2][i] = b;
}

// A 2 x 2 RGB image: red, green / blue, white.
Image quad_image(int32_t has_alpha) {
    Image image(zoImageCreateRGB(2, 2, has_alpha));
    set_pixel(image.get(), 0, 255, 0, 0);
    set_pixel(image.get(), 1, 0, 255, 0);
    set_pixel(image.get(), 2, 0, 0, 255);
    set_pixel(image.get(), 3, 255, 255, 255);
    return image;
}

// One family's Put with a placement given in top-left pixel terms; qm places
// by the lower left corner with y up.
struct Family {
    const char *name;
    void (*put)(vgCanvas *, const zoImage *, int32_t x, int32_t y, int32_t w, int32_t h);
};

void PrintTo(const Family &family, std::ostream *out) {
    *out << family.name;
}

const Family kFamilies[] = {
    {"vg", [](vgCanvas *c, const zoImage *i, int32_t x, int32_t y, int32_t w,
              int32_t h) { vgCanvasPutZoImage(c, i, x, y, w, h); }},
    {"vgf", [](vgCanvas *c, const zoImage *i, int32_t x, int32_t y, int32_t w,
               int32_t h) { vgfCanvasPutZoImage(c, i, x + 0.25, y - 0.25, w + 0.4, h - 0.4); }},
    {"qm", [](vgCanvas *c, const zoImage *i, int32_t x, int32_t y, int32_t w,
              int32_t h) { qmCanvasPutZoImage(c, i, x, kCanvasSize - y - h, w, h); }},
};

class PixelTest : public ::testing::TestWithParam<Family> {
protected:
    Canvas canvas{vgCanvasCreate(kCanvasSize, kCanvasSize)};
    const Family &family = GetParam();

    vgColor at(int32_t x, int32_t y) const { return vgCanvasPixel(canvas.get(), x, y); }
};

TEST_P(PixelTest, RgbImageLandsScaledAtItsPlace) {
    Image image = quad_image(0);
    family.put(canvas.get(), image.get(), 2, 3, 4, 4); // each pixel becomes 2 x 2
    EXPECT_EQ(at(2, 3), rgb(255, 0, 0));
    EXPECT_EQ(at(5, 3), rgb(0, 255, 0));
    EXPECT_EQ(at(3, 6), rgb(0, 0, 255));
    EXPECT_EQ(at(5, 6), rgb(255, 255, 255));
    EXPECT_EQ(at(1, 3), kBlack);
    EXPECT_EQ(at(2, 2), kBlack);
    EXPECT_EQ(at(6, 7), kBlack);
}

TEST_P(PixelTest, RgbaImageBlendsByItsAlpha) {
    Image under = quad_image(0);
    family.put(canvas.get(), under.get(), 0, 0, 2, 2);
    Image over(zoImageCreateRGB(2, 2, 1));
    for (int32_t i = 0; i < 4; ++i) {
        set_pixel(over.get(), i, 0, 0, 0);
    }
    const uint8_t alphas[] = {0, 255, 128, 0};
    std::copy(std::begin(alphas), std::end(alphas), over->planes[3]);
    family.put(canvas.get(), over.get(), 0, 0, 2, 2);
    EXPECT_EQ(at(0, 0), rgb(255, 0, 0)); // transparent: unchanged
    EXPECT_EQ(at(1, 0), kBlack);         // opaque black
    EXPECT_EQ(at(0, 1), rgb(0, 0, 127)); // half way to black
    EXPECT_EQ(at(1, 1), rgb(255, 255, 255));
}

TEST_P(PixelTest, IndexedImageTakesItsPaletteColours) {
    Image image(zoImageCreateIndexed(3, 1, ZO_COLOR_SPACE_INDEXED2));
    image->palette[0] = rgb(10, 20, 30);
    image->palette[7] = rgb(200, 100, 50);
    const uint8_t indices[] = {7, 0, 7};
    std::copy(std::begin(indices), std::end(indices), image->planes[0]);
    family.put(canvas.get(), image.get(), 4, 4, 3, 1);
    EXPECT_EQ(at(4, 4), rgb(200, 100, 50));
    EXPECT_EQ(at(5, 4), rgb(10, 20, 30));
    EXPECT_EQ(at(6, 4), rgb(200, 100, 50));
    EXPECT_EQ(at(7, 4), kBlack);
}

TEST_P(PixelTest, ImageOfOtherSampleTypeLeavesTheCanvasBlack) {
    Image image = quad_image(0);
    image->sample_type = 1;
    family.put(canvas.get(), image.get(), 0, 0, kCanvasSize, kCanvasSize);
    for (int32_t y = 0; y < kCanvasSize; ++y) {
        for (int32_t x = 0; x < kCanvasSize; ++x) {
            ASSERT_EQ(at(x, y), kBlack);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, PixelTest, ::testing::ValuesIn(kFamilies),
                         [](const auto &info) { return std::string(info.param.name); });

// Reading back: what was drawn comes back in the image's planes.
TEST(GetPixels, DrawnImageReadsBackIntoAnRgbImage) {
    Canvas canvas(vgCanvasCreate(kCanvasSize, kCanvasSize));
    Image drawn = quad_image(0);
    vgCanvasPutZoImage(canvas.get(), drawn.get(), 5, 1, 2, 2);

    Image read(zoImageCreateRGB(2, 2, 0));
    vgCanvasGetZoImage(canvas.get(), read.get(), 5, 1);
    for (int plane = 0; plane < 3; ++plane) {
        EXPECT_TRUE(std::equal(drawn->planes[plane], drawn->planes[plane] + 4, read->planes[plane]))
            << "plane " << plane;
    }

    Image read_qm(zoImageCreateRGB(2, 2, 0));
    qmCanvasGetZoImage(canvas.get(), read_qm.get(), 5, kCanvasSize - 1 - 2);
    for (int plane = 0; plane < 3; ++plane) {
        EXPECT_TRUE(
            std::equal(drawn->planes[plane], drawn->planes[plane] + 4, read_qm->planes[plane]))
            << "plane " << plane;
    }
}

TEST(GetPixels, IndexedImageKeepsItsIndicesAndPalette) {
    Canvas canvas(vgCanvasCreate(kCanvasSize, kCanvasSize));
    Image drawn = quad_image(0);
    vgCanvasPutZoImage(canvas.get(), drawn.get(), 0, 0, kCanvasSize, kCanvasSize);
    Image indexed(zoImageCreateIndexed(2, 2, ZO_COLOR_SPACE_INDEXED1));
    indexed->planes[0][3] = 9;
    vgCanvasGetZoImage(canvas.get(), indexed.get(), 0, 0);
    EXPECT_EQ(indexed->planes[0][0], 0);
    EXPECT_EQ(indexed->planes[0][3], 9);
}

} // namespace
