// SPDX-License-Identifier: MIT
// What the bridge adds to a drawing or reading call: each Put family and Get
// through the bridge against the same canvas call made directly.  The image
// is drawn into an empty area so that the canvas's own work stays small.
#include <benchmark/benchmark.h>

#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

namespace {

struct Fixture {
    vgCanvas *canvas = vgCanvasCreate(16, 16);
    zoImage *rgb = zoImageCreateRGB(4, 4, 0);
    zoImage *rgba = zoImageCreateRGB(4, 4, 1);
    zoImage *indexed = zoImageCreateIndexed(4, 4, ZO_COLOR_SPACE_INDEXED1);
    ~Fixture() {
        zoImageFree(indexed);
        zoImageFree(rgba);
        zoImageFree(rgb);
        vgCanvasDestroy(canvas);
    }
};

Fixture &fixture() {
    static Fixture f;
    return f;
}

// An empty area: the canvas returns at once, so the call's cost shows.
constexpr int32_t kW = 0;
constexpr int32_t kH = 0;

void BM_PutRgb_Bridge(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        vgCanvasPutZoImage(f.canvas, f.rgb, 1, 2, kW, kH);
        benchmark::ClobberMemory();
    }
}
void BM_PutRgb_Direct(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        vgCanvasPutImageRectRGB(f.canvas, f.rgb->width, f.rgb->height, f.rgb->planes[0],
                                f.rgb->planes[1], f.rgb->planes[2], 1, 2, kW, kH, 0, 0, 0, 0);
        benchmark::ClobberMemory();
    }
}
void BM_vgfPutRgba_Bridge(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        vgfCanvasPutZoImage(f.canvas, f.rgba, 1.5, 2.5, kW, kH);
        benchmark::ClobberMemory();
    }
}
void BM_vgfPutRgba_Direct(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        vgfCanvasPutImageRectRGBA(f.canvas, f.rgba->width, f.rgba->height, f.rgba->planes[0],
                                  f.rgba->planes[1], f.rgba->planes[2], f.rgba->planes[3], 1.5, 2.5,
                                  kW, kH, 0, 0, 0, 0);
        benchmark::ClobberMemory();
    }
}
void BM_qmPutMap_Bridge(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        qmCanvasPutZoImage(f.canvas, f.indexed, 1.5, 2.5, kW, kH);
        benchmark::ClobberMemory();
    }
}
void BM_qmPutMap_Direct(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        qmCanvasPutImageRectMap(f.canvas, f.indexed->width, f.indexed->height, f.indexed->planes[0],
                                f.indexed->palette, 1.5, 2.5, kW, kH, 0, 0, 0, 0);
        benchmark::ClobberMemory();
    }
}
// Get reads a 4 x 4 area: the image's own size.
void BM_Get_Bridge(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        vgCanvasGetZoImage(f.canvas, f.rgb, 3, 3);
        benchmark::ClobberMemory();
    }
}
void BM_Get_Direct(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        vgCanvasGetImageRGB(f.canvas, f.rgb->planes[0], f.rgb->planes[1], f.rgb->planes[2], 3, 3,
                            f.rgb->width, f.rgb->height);
        benchmark::ClobberMemory();
    }
}
void BM_qmGet_Bridge(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        qmCanvasGetZoImage(f.canvas, f.rgb, 3.0, 3.0);
        benchmark::ClobberMemory();
    }
}
void BM_qmGet_Direct(benchmark::State &state) {
    Fixture &f = fixture();
    for (auto _ : state) {
        qmCanvasGetImageRGB(f.canvas, f.rgb->planes[0], f.rgb->planes[1], f.rgb->planes[2], 3.0,
                            3.0, f.rgb->width, f.rgb->height);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_PutRgb_Bridge);
BENCHMARK(BM_PutRgb_Direct);
BENCHMARK(BM_vgfPutRgba_Bridge);
BENCHMARK(BM_vgfPutRgba_Direct);
BENCHMARK(BM_qmPutMap_Bridge);
BENCHMARK(BM_qmPutMap_Direct);
BENCHMARK(BM_Get_Bridge);
BENCHMARK(BM_Get_Direct);
BENCHMARK(BM_qmGet_Bridge);
BENCHMARK(BM_qmGet_Direct);
