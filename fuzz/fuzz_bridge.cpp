// libFuzzer target: decodes images and a list of operations from the input,
// runs every export of the library against the stand-in canvas and imaging
// libraries, and checks each call against what the library promises, read
// from the stand-ins' call traces and accessors.  A broken promise traps, so
// libFuzzer keeps the input.
//
// One input: up to three images, the size of a real canvas, then up to
// sixteen operations, each naming its image and the canvas it works on.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_image.h"
#include "input_reader.h"
#include "trace_lines.h"
#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

namespace {

using fuzz::broken;
using fuzz::call;
using fuzz::FuzzImage;
using fuzz::InputReader;
using fuzz::require;
using fuzz::require_call;
using fuzz::require_lines;

constexpr std::size_t kMaxImages = 3;
constexpr int kMaxOperations = 16;
constexpr int32_t kMaxCanvasSide = 32;

// ---------------------------------------------------------------------------
// What an image is, as the library classifies it.

bool has_byte_samples(const zoImage &image) {
    return image.sample_type == ZO_SAMPLE_UINT8;
}

bool is_rgb_bytes(const zoImage &image) {
    return has_byte_samples(image) && image.color_space == ZO_COLOR_SPACE_RGB;
}

bool is_indexed(const zoImage &image) {
    return image.color_space >= ZO_COLOR_SPACE_INDEXED1 &&
           image.color_space <= ZO_COLOR_SPACE_INDEXED3;
}

bool has_alpha(const zoImage &image) {
    return image.has_alpha != 0;
}

// ---------------------------------------------------------------------------
// Canvases an operation works on.

// A record that fails the "VG" test, so nothing may be read past its first
// bytes; fills and stipples must leave it alone.
struct FakeCanvas {
    alignas(16) unsigned char bytes[16] = {};
    vgCanvas *get() { return reinterpret_cast<vgCanvas *>(bytes); }
};

struct Target {
    vgCanvas *canvas;
    bool live; // non-null and beginning with "VG"
};

// ---------------------------------------------------------------------------
// The image canvas context.

// vgContextZoImage: the same record on every call, fetching the RGB image
// kind on the first call only (the stand-in's kind has its operations[0]).
const vgContext *image_canvas_context() {
    static const vgContext *const first = vgContextZoImage();
    require(first != nullptr, "vgContextZoImage returns a record");
    fuzz::clear_traces();
    const vgContext *again = vgContextZoImage();
    require(again == first, "vgContextZoImage returns the same address every call",
            fuzz::arg(first) + " then " + fuzz::arg(again));
    require_lines("vgContextZoImage fetches the RGB image kind on its first call only",
                  fuzz::take_vg_lines(), {});
    return again;
}

// ---------------------------------------------------------------------------
// Put, in the three coordinate families.

// The one call Put makes for the image, or none when the image is ignored.
template <typename Coord>
std::optional<std::string> expected_put(const char *family, vgCanvas *canvas, const zoImage &image,
                                        Coord x, Coord y, Coord w, Coord h) {
    if (!has_byte_samples(image)) {
        return std::nullopt;
    }
    const std::string name = std::string(family) + "CanvasPutImageRect";
    uint8_t *const *p = image.planes;
    const int32_t zero = 0;
    if (image.color_space == ZO_COLOR_SPACE_RGB && has_alpha(image)) {
        return call(name + "RGBA", canvas, image.width, image.height, p[0], p[1], p[2], p[3], x, y,
                    w, h, zero, zero, zero, zero);
    }
    if (image.color_space == ZO_COLOR_SPACE_RGB) {
        return call(name + "RGB", canvas, image.width, image.height, p[0], p[1], p[2], x, y, w, h,
                    zero, zero, zero, zero);
    }
    if (is_indexed(image)) {
        return call(name + "Map", canvas, image.width, image.height, p[0], image.palette, x, y, w,
                    h, zero, zero, zero, zero);
    }
    return std::nullopt;
}

void put_vg(InputReader &in, Target target, FuzzImage &image) {
    const int32_t x = in.biased_i32();
    const int32_t y = in.biased_i32();
    const int32_t w = in.biased_i32();
    const int32_t h = in.biased_i32();
    vgCanvasPutZoImage(target.canvas, &image.record, x, y, w, h);
    require_call("vgCanvasPutZoImage: one call by colour space, coordinates unchanged",
                 fuzz::take_vg_lines(),
                 expected_put("vg", target.canvas, image.record, x, y, w, h));
}

// The two double-coordinate families differ only in the export and its name.
using DoublePut = void (*)(vgCanvas *, const zoImage *, double, double, double, double);

void put_double(InputReader &in, Target target, FuzzImage &image, DoublePut put,
                const char *family) {
    const double x = in.biased_f64();
    const double y = in.biased_f64();
    const double w = in.biased_f64();
    const double h = in.biased_f64();
    put(target.canvas, &image.record, x, y, w, h);
    require_call(std::string(family) + "CanvasPutZoImage: one call by colour space, coordinates "
                                       "unchanged",
                 fuzz::take_vg_lines(),
                 expected_put(family, target.canvas, image.record, x, y, w, h));
}

void put_vgf(InputReader &in, Target target, FuzzImage &image) {
    put_double(in, target, image, vgfCanvasPutZoImage, "vgf");
}

void put_qm(InputReader &in, Target target, FuzzImage &image) {
    put_double(in, target, image, qmCanvasPutZoImage, "qm");
}

// ---------------------------------------------------------------------------
// Get, in the vg and qm families: only RGB byte images, at their own size.

template <typename Coord>
std::optional<std::string> expected_get(const char *name, vgCanvas *canvas, const zoImage &image,
                                        Coord x, Coord y) {
    if (!is_rgb_bytes(image)) {
        return std::nullopt;
    }
    uint8_t *const *p = image.planes;
    return call(name, canvas, p[0], p[1], p[2], x, y, image.width, image.height);
}

void get_vg(InputReader &in, Target target, FuzzImage &image) {
    const int32_t x = in.biased_i32();
    const int32_t y = in.biased_i32();
    vgCanvasGetZoImage(target.canvas, &image.record, x, y);
    require_call("vgCanvasGetZoImage: RGB byte images only, at the image's own size",
                 fuzz::take_vg_lines(),
                 expected_get("vgCanvasGetImageRGB", target.canvas, image.record, x, y));
}

void get_qm(InputReader &in, Target target, FuzzImage &image) {
    const double x = in.biased_f64();
    const double y = in.biased_f64();
    qmCanvasGetZoImage(target.canvas, &image.record, x, y);
    require_call("qmCanvasGetZoImage: RGB byte images only, at the image's own size",
                 fuzz::take_vg_lines(),
                 expected_get("qmCanvasGetImageRGB", target.canvas, image.record, x, y));
}

// ---------------------------------------------------------------------------
// Pattern.

// Encoded colours in the canvas library's layout, 0xAARRGGBB.
vgColor encoded(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
    return vgColor{alpha} << 24 | vgColor{red} << 16 | vgColor{green} << 8 | blue;
}

// Entry i of the pattern: converted for i < pixel_count, zero after it.
vgColor expected_entry(const zoImage &image, int64_t i) {
    if (i >= image.pixel_count) {
        return 0;
    }
    uint8_t *const *p = image.planes;
    if (image.color_space == ZO_COLOR_SPACE_RGB) {
        return encoded(p[0][i], p[1][i], p[2][i], has_alpha(image) ? p[3][i] : uint8_t{255});
    }
    if (is_indexed(image)) {
        return image.palette[p[0][i]];
    }
    return 0;
}

// The encoding calls, one per pixel of an RGB image, then the pattern call
// with the image's size and an array that may be null only when empty.
void require_pattern_calls(const std::vector<std::string> &lines, vgCanvas *canvas,
                           const zoImage &image) {
    std::vector<std::string> want;
    if (image.color_space == ZO_COLOR_SPACE_RGB) {
        uint8_t *const *p = image.planes;
        for (int32_t i = 0; i < image.pixel_count; ++i) {
            want.push_back(has_alpha(image)
                               ? call("vgEncodeColorAlpha", p[0][i], p[1][i], p[2][i], p[3][i])
                               : call("vgEncodeColor", p[0][i], p[1][i], p[2][i]));
        }
    }
    std::string prefix = call("vgCanvasPattern", canvas, image.width, image.height);
    prefix.back() = ','; // the array's address follows, unknown here
    const bool shaped = !lines.empty() && lines.back().rfind(prefix, 0) == 0;
    const bool empty = image.pixel_count == 0 && fuzz::area(image) == 0;
    const bool has_array =
        shaped &&
        lines.back() != prefix + " " + fuzz::arg(static_cast<const void *>(nullptr)) + ")";
    if (shaped && (has_array || empty)) {
        want.push_back(lines.back());
    } else {
        want.push_back(prefix + " <array of max(pixel_count, width x height) entries>)");
    }
    require_lines("vgCanvasPatternZoImage: one encoding per RGB pixel, then one pattern call",
                  lines, want);
}

// The canvas keeps width x height entries, matching the image.
void require_kept_pattern(const vgCanvas *canvas, const zoImage &image) {
    int32_t width = -1;
    int32_t height = -1;
    const vgColor *colors = vgCanvasGetPattern(canvas, &width, &height);
    require(colors != nullptr && width == image.width && height == image.height,
            "the pattern set has the image's width and height",
            std::to_string(width) + "x" + std::to_string(height));
    const int64_t entries = int64_t{width} * height;
    for (int64_t i = 0; i < entries; ++i) {
        const vgColor want = expected_entry(image, i);
        require(colors[i] == want, "pattern entry matches the image's pixel",
                "entry " + std::to_string(i) + ": " + std::to_string(colors[i]) + ", expected " +
                    std::to_string(want));
    }
}

void pattern(InputReader & /*unused*/, Target target, FuzzImage &image) {
    const zoImage &record = image.record;
    vgCanvasPatternZoImage(target.canvas, &record);
    const std::vector<std::string> lines = fuzz::take_vg_lines();
    if (!target.live || !has_byte_samples(record) || record.pixel_count < 0) {
        require_lines("vgCanvasPatternZoImage ignores a dead canvas, other sample types and a "
                      "negative pixel_count",
                      lines, {});
        return;
    }
    require_pattern_calls(lines, target.canvas, record);
    if (record.width >= 0 && record.height >= 0) { // else the canvas keeps nothing
        require_kept_pattern(target.canvas, record);
    }
}

// ---------------------------------------------------------------------------
// Stipple.

void stipple(InputReader & /*unused*/, Target target, FuzzImage &image) {
    const zoImage &record = image.record;
    vgCanvasStippleZoImage(target.canvas, &record);
    const bool taken =
        target.live && has_byte_samples(record) && record.color_space == ZO_COLOR_SPACE_INDEXED3;
    std::optional<std::string> want;
    if (taken) {
        want =
            call("vgCanvasStipple", target.canvas, record.width, record.height, record.planes[0]);
    }
    require_call("vgCanvasStippleZoImage: colour space 3 bytes on a live canvas, own plane",
                 fuzz::take_vg_lines(), want);
    if (!taken || record.width < 0 || record.height < 0) {
        return; // the canvas keeps no mask of a negative size
    }
    int32_t width = -1;
    int32_t height = -1;
    const uint8_t *mask = vgCanvasGetStipple(target.canvas, &width, &height);
    require(mask == record.planes[0] && width == record.width && height == record.height,
            "the stipple kept is the image's planes[0] itself, at the image's size",
            fuzz::arg(mask) + " " + std::to_string(width) + "x" + std::to_string(height));
}

// ---------------------------------------------------------------------------
// Canvas creation through the image canvas context.

// Pixels per millimetre: none without a unit or for an x resolution of
// exactly 0; per inch when the unit starts with exactly "DPI", else per
// centimetre.
double expected_resolution(const FuzzImage &image) {
    if (!image.unit || image.x_resolution == 0) {
        return 0;
    }
    const bool per_inch = std::strncmp(image.unit->c_str(), "DPI", 3) == 0;
    return per_inch ? image.x_resolution / 25.4 : image.x_resolution / 10;
}

std::string format_resolution(double resolution) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", resolution);
    return text;
}

// "<w>x<h> <red> <green> <blue>[ <alpha>][ -r<resolution>][ -a]"
std::string expected_creation_text(const FuzzImage &image) {
    const zoImage &record = image.record;
    std::string text = std::to_string(record.width) + "x" + std::to_string(record.height);
    const int planes = has_alpha(record) ? 4 : 3;
    for (int i = 0; i < planes; ++i) {
        text += " " + fuzz::arg(record.planes[i]);
    }
    const double resolution = expected_resolution(image);
    if (resolution != 0) {
        text += " -r" + format_resolution(resolution);
    }
    if (has_alpha(record)) {
        text += " -a";
    }
    return text;
}

// The resolution the RGB image kind reads back from the text, or none when
// its grammar (a finite, unsigned, representable real) refuses the text.
std::optional<double> resolution_read_back(double resolution) {
    if (resolution == 0) {
        return 0.0;
    }
    const std::string text = format_resolution(resolution);
    char *end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (text[0] == '-' || *end != '\0' || errno == ERANGE || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The unit is always asked for; the x resolution only when there is a unit.
void require_attribute_queries(const FuzzImage &image) {
    std::vector<std::string> want{
        call("zoImageGetAttribString", &image.record, std::string_view("ResolutionUnit"))};
    if (image.unit) {
        want.push_back(call("zoImageGetAttribReal", &image.record, std::string_view("XResolution"),
                            int32_t{0}));
    }
    require_lines("image canvas: reads ResolutionUnit, then XResolution element 0 if a unit",
                  fuzz::take_zo_lines(), want);
}

// The one call to the RGB kind with the creation text.  The record of a
// canvas that was not set up is gone, so then only the text is compared.
void require_creation_call(const vgCanvas *canvas, const std::string &text) {
    const std::vector<std::string> lines = fuzz::take_vg_lines();
    const std::string quoted = fuzz::arg(std::string_view(text));
    std::string want;
    if (canvas != nullptr) {
        want = call("rgb_image_create_canvas", static_cast<const void *>(canvas),
                    std::string_view(text));
    } else if (lines.size() == 1 && lines[0].size() > quoted.size() + 1 &&
               lines[0].rfind("rgb_image_create_canvas(", 0) == 0 &&
               lines[0].compare(lines[0].size() - quoted.size() - 1, std::string::npos,
                                quoted + ")") == 0) {
        want = lines[0];
    } else {
        want = "rgb_image_create_canvas(<canvas>, " + quoted + ")";
    }
    require_lines("image canvas: one RGB kind creation with the image's text", lines, {want});
}

// The canvas exists exactly when the text is one the RGB kind accepts, and
// then draws into the image's own planes at the image's size.
void require_canvas_over_image(const vgCanvas *canvas, const FuzzImage &image) {
    const zoImage &record = image.record;
    const std::optional<double> resolution = resolution_read_back(expected_resolution(image));
    const bool acceptable = record.width > 0 && record.height > 0 && resolution.has_value();
    require((canvas != nullptr) == acceptable, "image canvas is made exactly for a valid text",
            expected_creation_text(image));
    if (canvas == nullptr) {
        return;
    }
    require(vgCanvasWidth(canvas) == record.width && vgCanvasHeight(canvas) == record.height,
            "image canvas has the image's size");
    for (int i = 0; i < 3; ++i) {
        require(vgCanvasPlane(canvas, i) == record.planes[i],
                "image canvas plane " + std::to_string(i) + " is the image's own plane");
    }
    const uint8_t *alpha = has_alpha(record) ? record.planes[3] : nullptr;
    require(vgCanvasPlane(canvas, 3) == alpha, "image canvas alpha plane only with has_alpha");
    require(vgCanvasResolution(canvas) == *resolution, "image canvas resolution",
            std::to_string(vgCanvasResolution(canvas)));
}

// Returns the new canvas, or null.
vgCanvas *create_image_canvas(FuzzImage &image) {
    const vgContext *context = image_canvas_context();
    vgCanvas *canvas = vgCanvasCreateWithContext(context, &image.record);
    if (!is_rgb_bytes(image.record)) {
        require(canvas == nullptr, "no image canvas over an image that is not RGB bytes");
        require_lines("image canvas: no attribute read for an image that is not RGB bytes",
                      fuzz::take_zo_lines(), {});
        require_lines("image canvas: no canvas call for an image that is not RGB bytes",
                      fuzz::take_vg_lines(), {});
        return nullptr;
    }
    require_attribute_queries(image);
    require_creation_call(canvas, expected_creation_text(image));
    require_canvas_over_image(canvas, image);
    return canvas;
}

// ---------------------------------------------------------------------------
// One input's images, canvases and operations.

class Session {
public:
    explicit Session(InputReader &in);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    void run_operation(InputReader &in);

private:
    Target read_target(InputReader &in);
    FuzzImage &read_image_choice(InputReader &in);

    std::vector<std::unique_ptr<FuzzImage>> images_; // outlive every canvas below
    vgCanvas *real_canvas_ = nullptr;
    std::vector<vgCanvas *> image_canvases_;
    FakeCanvas fake_;
};

Session::Session(InputReader &in) {
    const std::size_t count = 1 + in.byte() % kMaxImages;
    for (std::size_t i = 0; i < count; ++i) {
        images_.push_back(fuzz::read_image(in));
    }
    const int32_t width = 1 + in.byte() % kMaxCanvasSide;
    const int32_t height = 1 + in.byte() % kMaxCanvasSide;
    real_canvas_ = vgCanvasCreate(width, height);
    require(real_canvas_ != nullptr, "the stand-in makes a small canvas");
}

Session::~Session() {
    for (vgCanvas *canvas : image_canvases_) {
        vgCanvasDestroy(canvas);
    }
    vgCanvasDestroy(real_canvas_);
}

// Null, a record without the signature, an image canvas or the real canvas.
Target Session::read_target(InputReader &in) {
    static constexpr std::array<std::array<unsigned char, 2>, 7> kSignatures{
        {{'X', 'X'}, {'V', 'X'}, {'G', 'V'}, {'v', 'g'}, {0, 0}, {'V', 0}, {'X', 'G'}}};
    switch (in.byte() % 6) {
    case 0:
        return {nullptr, false};
    case 1: {
        const auto signature = in.pick(kSignatures);
        fake_.bytes[0] = signature[0];
        fake_.bytes[1] = signature[1];
        return {fake_.get(), false};
    }
    case 2:
    case 3:
        if (!image_canvases_.empty()) {
            return {image_canvases_[in.byte() % image_canvases_.size()], true};
        }
        [[fallthrough]];
    default:
        return {real_canvas_, true};
    }
}

FuzzImage &Session::read_image_choice(InputReader &in) {
    return *images_[in.byte() % images_.size()];
}

using Operation = void (*)(InputReader &, Target, FuzzImage &);
constexpr std::array<Operation, 7> kOperations{put_vg, put_vgf, put_qm, get_vg,
                                               get_qm, pattern, stipple};

void Session::run_operation(InputReader &in) {
    const std::size_t choice = in.byte() % (kOperations.size() + 1);
    FuzzImage &image = read_image_choice(in);
    fuzz::clear_traces();
    if (choice == kOperations.size()) {
        if (vgCanvas *canvas = create_image_canvas(image)) {
            image_canvases_.push_back(canvas);
        }
        return;
    }
    const Target target = read_target(in);
    kOperations[choice](in, target, image);
    require_lines("only canvas creation reads attributes", fuzz::take_zo_lines(), {});
}

// The record handed out is the bridge's own kind: its own create_canvas, and
// the RGB image kind's operations[0] copied over by the first call.
void require_context_record(const vgContext *context) {
    const vgContext *rgb = vgContextImageRGB();
    require(context->create_canvas != nullptr && context->create_canvas != rgb->create_canvas,
            "the image canvas kind has its own create_canvas");
    require(context->operations[0] == rgb->operations[0],
            "the image canvas kind carries the RGB image kind's operations[0]");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int * /*unused*/, char *** /*unused*/) {
    vgTraceEnable(1);
    zoTraceEnable(1);
    require_context_record(image_canvas_context()); // the first call fetches the RGB kind
    fuzz::clear_traces();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    InputReader in(data, size);
    {
        Session session(in);
        const int operations = in.byte() % (kMaxOperations + 1);
        for (int i = 0; i < operations; ++i) {
            session.run_operation(in);
        }
    }
    fuzz::clear_traces();
    return 0;
}
