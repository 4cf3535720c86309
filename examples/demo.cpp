// A small client of the bridge: it makes a canvas over an image's own planes,
// draws an RGB, an RGBA and an indexed image on it in the three coordinate
// families, reads an area back, sets a fill pattern and a stipple, and writes
// the image as a PPM picture.  One line per step.
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

namespace {

constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 240;

void fill_rgb(zoImage *image, int32_t i, uint8_t r, uint8_t g, uint8_t b) {
    image->planes[0][i] = r;
    image->planes[1][i] = g;
    image->planes[2][i] = b;
}

// A colour ramp: red across, green down, blue constant.
zoImage *make_gradient(int32_t size) {
    zoImage *image = zoImageCreateRGB(size, size, 0);
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            fill_rgb(image, y * size + x, static_cast<uint8_t>(x * 255 / (size - 1)),
                     static_cast<uint8_t>(y * 255 / (size - 1)), 160);
        }
    }
    return image;
}

// A yellow disc whose alpha fades out towards its rim.
zoImage *make_disc(int32_t size) {
    zoImage *image = zoImageCreateRGB(size, size, 1);
    const double centre = (size - 1) / 2.0;
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            const int32_t i = y * size + x;
            const double distance = std::hypot(x - centre, y - centre) / centre;
            fill_rgb(image, i, 255, 220, 40);
            image->planes[3][i] = static_cast<uint8_t>(distance >= 1 ? 0 : 255 * (1 - distance));
        }
    }
    return image;
}

// A four-colour checkerboard of colour space 3, which also serves as a mask.
zoImage *make_checkerboard(int32_t width, int32_t height) {
    zoImage *image = zoImageCreateIndexed(width, height, ZO_COLOR_SPACE_INDEXED3);
    image->palette[0] = vgEncodeColor(30, 30, 90);
    image->palette[1] = vgEncodeColor(240, 240, 255);
    image->palette[2] = vgEncodeColor(200, 40, 40);
    image->palette[3] = vgEncodeColor(40, 160, 60);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            image->planes[0][y * width + x] = static_cast<uint8_t>((x + y) % 2 + 2 * (y % 2));
        }
    }
    return image;
}

bool write_ppm(const zoImage *image, const char *path) {
    std::FILE *file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", image->width, image->height);
    for (int32_t i = 0; i < image->pixel_count; ++i) {
        const uint8_t pixel[3] = {image->planes[0][i], image->planes[1][i], image->planes[2][i]};
        std::fwrite(pixel, 1, sizeof pixel, file);
    }
    return std::fclose(file) == 0;
}

// The images the demo draws, freed together.
struct Images {
    zoImage *gradient = make_gradient(64);
    zoImage *disc = make_disc(96);
    zoImage *checkerboard = make_checkerboard(8, 6);
    zoImage *area = zoImageCreateRGB(48, 48, 0);
    Images() = default;
    Images(const Images &) = delete;
    Images &operator=(const Images &) = delete;
    ~Images() {
        zoImageFree(area);
        zoImageFree(checkerboard);
        zoImageFree(disc);
        zoImageFree(gradient);
    }
};

// The picture the canvas draws into, with a resolution of 72 dots per inch.
zoImage *make_picture() {
    zoImage *picture = zoImageCreateRGB(kWidth, kHeight, 0);
    zoImageSetAttribString(picture, "ResolutionUnit", "DPI");
    const double dpi = 72;
    zoImageSetAttribReal(picture, "XResolution", &dpi, 1);
    return picture;
}

void draw_in_three_families(vgCanvas *canvas, const Images &images) {
    vgCanvasPutZoImage(canvas, images.gradient, 10, 10, 180, 130);
    std::puts("vg:  drew a 64x64 RGB gradient into 10,10 180x130");
    vgfCanvasPutZoImage(canvas, images.disc, 120.5, 60.25, 120.0, 120.0);
    std::puts("vgf: blended a 96x96 RGBA disc into 120.5,60.25 120x120");
    qmCanvasPutZoImage(canvas, images.checkerboard, 200.0, 20.0, 100.0, 75.0);
    std::puts("qm:  drew an 8x6 indexed checkerboard at 200,20 (lower left) 100x75");
}

void read_back(vgCanvas *canvas, zoImage *area) {
    vgCanvasGetZoImage(canvas, area, 130, 70);
    vgCanvasPutZoImage(canvas, area, 20, 170, 96, 60);
    std::printf("get: read 48x48 at 130,70 (first pixel %u,%u,%u) and drew it again at 20,170\n",
                area->planes[0][0], area->planes[1][0], area->planes[2][0]);
}

// Returns whether the canvas kept both fills.
bool set_fills(vgCanvas *canvas, const Images &images) {
    vgCanvasPatternZoImage(canvas, images.gradient);
    vgCanvasStippleZoImage(canvas, images.checkerboard);
    int32_t pattern_w = 0;
    int32_t pattern_h = 0;
    int32_t stipple_w = 0;
    int32_t stipple_h = 0;
    const vgColor *pattern = vgCanvasGetPattern(canvas, &pattern_w, &pattern_h);
    const uint8_t *stipple = vgCanvasGetStipple(canvas, &stipple_w, &stipple_h);
    std::printf("fill: pattern %dx%d (first colour 0x%08X), stipple %dx%d from the image's plane\n",
                pattern_w, pattern_h, pattern != nullptr ? pattern[0] : 0U, stipple_w, stipple_h);
    return pattern != nullptr && stipple == images.checkerboard->planes[0];
}

} // namespace

int main(int argc, char **argv) {
    const char *path = argc > 1 ? argv[1] : "demo.ppm";
    zoImage *picture = make_picture();
    vgCanvas *canvas = vgCanvasCreateWithContext(vgContextZoImage(), picture);
    if (canvas == nullptr) {
        std::puts("could not make a canvas over the image");
        zoImageFree(picture);
        return 1;
    }
    std::printf("image canvas: %dx%d over the image's own planes, %.5g pixels/mm\n",
                vgCanvasWidth(canvas), vgCanvasHeight(canvas), vgCanvasResolution(canvas));

    const Images images;
    draw_in_three_families(canvas, images);
    read_back(canvas, images.area);
    const bool fills_kept = set_fills(canvas, images);
    vgCanvasDestroy(canvas); // before the picture whose planes it draws into

    const bool written = write_ppm(picture, path);
    std::printf("%s %s\n", written ? "wrote" : "could not write", path);
    zoImageFree(picture);
    return written && fills_kept ? 0 : 1;
}
