// SPDX-License-Identifier: MIT
// Pattern conversion per pixel: the bridge against a plain loop making the
// same per-pixel calls into the canvas library, with a plain calloc'd array
// and the same pattern call.  Both hold 4 bytes per pixel during the call
// only.  For every image format and size the two run back to back, so that both meet
// the allocator in the same state; bench/performance tabulates and plots them.
//
//   pattern_bench [--thp-off] [Google Benchmark flags]
//
// --thp-off turns transparent huge pages off for the whole process first
// (Linux), to show what the bridge costs where the system has none to give.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#if defined(__linux__)
#include <sys/prctl.h>
#endif

#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

namespace {

enum Format { kRgb, kRgba, kIndexed };

struct Size {
    int32_t width;
    int32_t height;
};

zoImage *make_image(Format format, Size size) {
    zoImage *image = format == kIndexed
                         ? zoImageCreateIndexed(size.width, size.height, ZO_COLOR_SPACE_INDEXED1)
                         : zoImageCreateRGB(size.width, size.height, format == kRgba);
    for (int32_t i = 0; i < image->pixel_count; ++i) {
        image->planes[0][i] = static_cast<uint8_t>(i);
    }
    return image;
}

// The same work written out by hand: allocate, encode pixel by pixel, set.
void plain_loop(vgCanvas *canvas, const zoImage *image, Format format) {
    auto *colors = static_cast<vgColor *>(
        std::calloc(static_cast<std::size_t>(image->pixel_count), sizeof(vgColor)));
    uint8_t *const *p = image->planes;
    for (int32_t i = 0; i < image->pixel_count; ++i) {
        switch (format) {
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

void run_pattern(benchmark::State &state, Format format, Size size, bool through_bridge) {
    zoImage *image = make_image(format, size);
    vgCanvas *canvas = vgCanvasCreate(1, 1);
    for (auto _ : state) {
        if (through_bridge) {
            vgCanvasPatternZoImage(canvas, image);
        } else {
            plain_loop(canvas, image, format);
        }
    }
    const double pixels = static_cast<double>(size.width) * size.height;
    state.counters["time_per_pixel"] =
        benchmark::Counter(pixels * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["array_bytes_per_pixel"] = sizeof(vgColor);
    vgCanvasDestroy(canvas);
    zoImageFree(image);
}

void register_benchmarks() {
    const struct {
        Format format;
        const char *name;
    } formats[] = {{kRgb, "rgb"}, {kRgba, "rgba"}, {kIndexed, "indexed"}};
    const Size sizes[] = {{256, 256}, {1024, 1024}, {2048, 2048}, {4096, 4096}, {8192, 4096}};
    for (const auto &format : formats) {
        for (const Size size : sizes) {
            const std::string name = std::string("Pattern/") + format.name + "/" +
                                     std::to_string(size.width) + "x" + std::to_string(size.height);
            for (const bool through_bridge : {true, false}) {
                benchmark::RegisterBenchmark(
                    (name + (through_bridge ? "/bridge" : "/plain_loop")).c_str(),
                    [image_format = format.format, size, through_bridge](benchmark::State &state) {
                        run_pattern(state, image_format, size, through_bridge);
                    })
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
}

// Removes --thp-off from the arguments; true if it was there.
bool take_thp_off_flag(int &argc, char **argv) {
    bool found = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--thp-off") == 0) {
            found = true;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return found;
}

} // namespace

int main(int argc, char **argv) {
    if (take_thp_off_flag(argc, argv)) {
#if defined(__linux__)
        if (prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0) != 0) {
            std::perror("prctl(PR_SET_THP_DISABLE)");
            return 1;
        }
        benchmark::AddCustomContext("transparent_huge_pages", "disabled for the process");
#else
        benchmark::AddCustomContext("transparent_huge_pages", "not on this system");
#endif
    }
    register_benchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
