// SPDX-License-Identifier: MIT
// What the bridge adds to a drawing or reading call: one benchmark, run for
// every coordinate family and image format through the bridge and as the
// canvas call the bridge makes, made directly.  The image is drawn into an
// empty area (0 x 0 at 1, 2), so that the canvas returns at once and the
// call's own cost shows; a Get reads the image's own 4 x 4.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

namespace {

using Call = void (*)(vgCanvas *, zoImage *);

template <auto Put> void bridge_put(vgCanvas *canvas, zoImage *image) {
    Put(canvas, image, 1, 2, 0, 0);
}
template <auto Get> void bridge_get(vgCanvas *canvas, zoImage *image) {
    Get(canvas, image, 1, 2);
}

// The canvas calls, with the image's planes taken as the bridge takes them.
template <auto Rgb> void direct_rgb(vgCanvas *canvas, zoImage *image) {
    uint8_t *const *p = image->planes;
    Rgb(canvas, image->width, image->height, p[0], p[1], p[2], 1, 2, 0, 0, 0, 0, 0, 0);
}
template <auto Rgba> void direct_rgba(vgCanvas *canvas, zoImage *image) {
    uint8_t *const *p = image->planes;
    Rgba(canvas, image->width, image->height, p[0], p[1], p[2], p[3], 1, 2, 0, 0, 0, 0, 0, 0);
}
template <auto Map> void direct_map(vgCanvas *canvas, zoImage *image) {
    Map(canvas, image->width, image->height, image->planes[0], image->palette, 1, 2, 0, 0, 0, 0, 0,
        0);
}
template <auto Get> void direct_get(vgCanvas *canvas, zoImage *image) {
    uint8_t *const *p = image->planes;
    Get(canvas, p[0], p[1], p[2], 1, 2, image->width, image->height);
}

// A family's bridge call and, by image format (RGB, RGB with alpha,
// indexed), the canvas call it stands for; a Get reads RGB images alone.
struct Family {
    const char *name;
    Call bridge;
    std::array<Call, 3> direct;
};
const std::array<Family, 5> kFamilies{{
    {"Put/vg",
     bridge_put<vgCanvasPutZoImage>,
     {direct_rgb<vgCanvasPutImageRectRGB>, direct_rgba<vgCanvasPutImageRectRGBA>,
      direct_map<vgCanvasPutImageRectMap>}},
    {"Put/vgf",
     bridge_put<vgfCanvasPutZoImage>,
     {direct_rgb<vgfCanvasPutImageRectRGB>, direct_rgba<vgfCanvasPutImageRectRGBA>,
      direct_map<vgfCanvasPutImageRectMap>}},
    {"Put/qm",
     bridge_put<qmCanvasPutZoImage>,
     {direct_rgb<qmCanvasPutImageRectRGB>, direct_rgba<qmCanvasPutImageRectRGBA>,
      direct_map<qmCanvasPutImageRectMap>}},
    {"Get/vg", bridge_get<vgCanvasGetZoImage>, {direct_get<vgCanvasGetImageRGB>}},
    {"Get/qm", bridge_get<qmCanvasGetZoImage>, {direct_get<qmCanvasGetImageRGB>}},
}};

void BM_Call(benchmark::State &state, Call call, vgCanvas *canvas, zoImage *image) {
    for (auto _ : state) {
        call(canvas, image);
        benchmark::ClobberMemory();
    }
}

} // namespace

int main(int argc, char **argv) {
    vgCanvas *canvas = vgCanvasCreate(16, 16);
    const std::array<zoImage *, 3> images{zoImageCreateRGB(4, 4, 0), zoImageCreateRGB(4, 4, 1),
                                          zoImageCreateIndexed(4, 4, ZO_COLOR_SPACE_INDEXED1)};
    const std::array<const char *, 3> formats{"rgb", "rgba", "indexed"};
    for (const Family &family : kFamilies) {
        for (std::size_t format = 0; format < images.size(); ++format) {
            if (family.direct[format] == nullptr) {
                continue;
            }
            const std::string name = std::string(family.name) + "/" + formats[format];
            benchmark::RegisterBenchmark((name + "/bridge").c_str(), BM_Call, family.bridge, canvas,
                                         images[format]);
            benchmark::RegisterBenchmark((name + "/direct").c_str(), BM_Call, family.direct[format],
                                         canvas, images[format]);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (zoImage *image : images) {
        zoImageFree(image);
    }
    vgCanvasDestroy(canvas);
    return 0;
}
