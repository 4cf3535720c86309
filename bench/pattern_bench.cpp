// Pattern conversion per pixel: the bridge against a plain loop making the
// same per-pixel calls into the canvas library, with the same allocation and
// the same pattern call.  Both hold 4 bytes per pixel during the call only.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

namespace {

enum Kind { kRgb, kRgba, kIndexed };

zoImage *make_image(Kind kind, int32_t size) {
    zoImage *image = kind == kIndexed ? zoImageCreateIndexed(size, size, ZO_COLOR_SPACE_INDEXED1)
                                      : zoImageCreateRGB(size, size, kind == kRgba);
    for (int32_t i = 0; i < image->pixel_count; ++i) {
        image->planes[0][i] = static_cast<uint8_t>(i);
    }
    return image;
}

// The same work written out by hand: allocate, encode pixel by pixel, set.
void plain_loop(vgCanvas *canvas, const zoImage *image, Kind kind) {
    auto *colors = static_cast<vgColor *>(
        std::calloc(static_cast<std::size_t>(image->pixel_count), sizeof(vgColor)));
    uint8_t *const *p = image->planes;
    for (int32_t i = 0; i < image->pixel_count; ++i) {
        switch (kind) {
        case kRgb:
            colors[i] = vgEncodeColor(p[0][i], p[1][i], p[2][i]);
            break;
        case kRgba:
            colors[i] = vgEncodeColorAlpha(p[0][i], p[1][i], p[2][i], p[3][i]);
            break;
        case kIndexed:
            colors[i] = image->palette[p[0][i]];
            break;
        }
    }
    vgCanvasPattern(canvas, image->width, image->height, colors);
    std::free(colors);
}

template <bool through_bridge> void BM_Pattern(benchmark::State &state) {
    const auto kind = static_cast<Kind>(state.range(0));
    const auto size = static_cast<int32_t>(state.range(1));
    zoImage *image = make_image(kind, size);
    vgCanvas *canvas = vgCanvasCreate(1, 1);
    for (auto _ : state) {
        if constexpr (through_bridge) {
            vgCanvasPatternZoImage(canvas, image);
        } else {
            plain_loop(canvas, image, kind);
        }
    }
    const double pixels = static_cast<double>(size) * size;
    state.counters["time_per_pixel"] =
        benchmark::Counter(pixels * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["array_bytes_per_pixel"] = sizeof(vgColor);
    vgCanvasDestroy(canvas);
    zoImageFree(image);
}

void arguments(benchmark::internal::Benchmark *b) {
    b->ArgNames({"kind", "size"})->Unit(benchmark::kMillisecond);
    for (int64_t kind : {kRgb, kRgba, kIndexed}) {
        for (int64_t size : {1024, 4096}) {
            b->Args({kind, size});
        }
    }
}

} // namespace

BENCHMARK(BM_Pattern<true>)->Name("Pattern/bridge")->Apply(arguments);
BENCHMARK(BM_Pattern<false>)->Name("Pattern/plain_loop")->Apply(arguments);
