// SPDX-License-Identifier: MIT
// Cost of making a canvas over an image: the bridge builds the creation text
// (with the resolution) and hands it to the RGB image kind, which parses it.
#include <benchmark/benchmark.h>

#include "testkit.h"
#include "vgzo/vgzo.h"

namespace {

zoImage *image_with_resolution(int32_t has_alpha) {
    zoImage *image = zoImageCreateRGB(640, 480, has_alpha);
    zoImageSetAttribString(image, "ResolutionUnit", "DPI");
    const double dpi = 72;
    zoImageSetAttribReal(image, "XResolution", &dpi, 1);
    return image;
}

// The context's create_canvas alone, on a record that is reused.
void BM_CreateCanvasCall(benchmark::State &state) {
    zoImage *image = image_with_resolution(static_cast<int32_t>(state.range(0)));
    const vgContext *context = vgContextZoImage();
    testkit::FakeCanvas record; // the stand-in ignores it
    for (auto _ : state) {
        context->create_canvas(record.get(), image);
        benchmark::ClobberMemory();
    }
    zoImageFree(image);
}

// A whole canvas made and disposed of through the canvas library.
void BM_CreateAndDestroyCanvas(benchmark::State &state) {
    zoImage *image = image_with_resolution(static_cast<int32_t>(state.range(0)));
    const vgContext *context = vgContextZoImage();
    for (auto _ : state) {
        vgCanvas *canvas = vgCanvasCreateWithContext(context, image);
        benchmark::DoNotOptimize(canvas);
        vgCanvasDestroy(canvas);
    }
    zoImageFree(image);
}

} // namespace

BENCHMARK(BM_CreateCanvasCall)->ArgName("alpha")->Arg(0)->Arg(1);
BENCHMARK(BM_CreateAndDestroyCanvas)->ArgName("alpha")->Arg(0)->Arg(1);
