// SPDX-License-Identifier: MIT
// The image canvas kind: canvases made over a zoImage's own planes.
//
// The bridge does not draw itself.  It translates the image into the creation
// text of the canvas library's RGB image kind and lets that kind's
// create_canvas set the canvas up over the planes the text names.
#include <atomic>
#include <cstring>

#include "image_format_p.h"
#include "runtime_print_p.h"

namespace {

void create_image_canvas(vgCanvas *canvas, void *data);

constexpr uint32_t kImageCanvasFlags = 0xC7FFFFFBu; // all bits but 2, 27, 28 and 29
constexpr int32_t kImageCanvasKind = 2;

// Fixed from load but for operations[0], which the first call of
// vgContextZoImage copies from the RGB image kind.  Both lazily filled items
// are written and read atomically (operations[0] through atomic_ref, since the
// record's layout is the canvas library's), so first calls may race safely.
// rgb_create_canvas is vgzo's alone and may be stored again.  The canvas
// library reads the record with plain loads from any thread, so operations[0]
// is stored once at most, from null, by compare-and-exchange after
// rgb_create_canvas is stored; while the kind's own slot is null nothing in
// the record is stored at all.  A plain read is then safe in any thread
// ordered after that one store, such as one that has returned from a call of
// its own or was started after a call returned; only a read overlapping the
// call that fills the slot races with it.  The thread sanitizer also flags a
// read overlapping any other thread's first call (see publish_operation):
// hence vgzo.h's advice to make one call before starting threads.
constinit vgContext image_canvas_context = {
    kImageCanvasFlags, kImageCanvasKind, create_image_canvas, {nullptr, nullptr, nullptr}};
constinit std::atomic<vgCreateCanvasFn> rgb_create_canvas{nullptr};

// Plain address-size atomics: no lock and no atomics library behind them.
static_assert(std::atomic<vgCreateCanvasFn>::is_always_lock_free);
static_assert(std::atomic_ref<vgOperation>::is_always_lock_free);

std::atomic_ref<vgOperation> copied_operation() {
    return std::atomic_ref<vgOperation>(image_canvas_context.operations[0]);
}

// Fills the record's operations[0] with the RGB image kind's, if there is one
// and the slot is still empty: the record goes from null to an operation once
// and is never stored into again, neither by a call that lost the race nor
// while the kind's own slot is null.  Release on success: whoever sees the
// operation also sees rgb_create_canvas, stored before.  Acquire on failure:
// a call that lost the race has read the winner's operation, so its caller
// may go on to read the record with plain loads.  (The thread sanitizer
// counts a failing exchange as a write all the same, and flags a plain read
// in another thread that overlaps it although nothing is stored.)
void publish_operation(vgOperation operation) {
    if (operation == nullptr) {
        return;
    }
    vgOperation empty = nullptr;
    copied_operation().compare_exchange_strong(empty, operation, std::memory_order_release,
                                               std::memory_order_acquire);
}

// Resolution in pixels per millimetre, 0 for none.  Only the first three
// characters of the unit are compared, exactly: "DPIX" counts as dots per
// inch, "dpi" does not.  Only an exact 0 means none: NaN and negatives pass.
double resolution_per_mm(const zoImage *image) {
    const char *unit = zoImageGetAttribString(image, "ResolutionUnit");
    if (unit == nullptr) {
        return 0;
    }
    const double x_resolution = zoImageGetAttribReal(image, "XResolution", 0);
    if (x_resolution == 0) {
        return 0;
    }
    constexpr double kMillimetresPerInch = 25.4;
    constexpr double kMillimetresPerCentimetre = 10;
    return std::strncmp(unit, "DPI", 3) == 0 ? x_resolution / kMillimetresPerInch
                                             : x_resolution / kMillimetresPerCentimetre;
}

// The longest creation text: 11 fixed characters, two decimals of at most 11,
// four addresses of at most 18 ("0x" and 16 digits; 16 where the runtime
// writes no "0x") and a %g of at most 13: 118 in all, plus the NUL.  The
// margin covers a locale whose decimal separator takes more than one byte.
constexpr std::size_t kCreationTextSize = 118 + 1 + 8;

// Writes the creation text for an RGB byte image under the current locale.
// Returns false if the text did not fit, so that no cut-off text is handed on.
bool format_creation_text(const zoImage *image, double resolution,
                          char (&text)[kCreationTextSize]) {
    using vgzo::print_with_runtime;
    const int w = image->width;
    const int h = image->height;
    const void *red = image->planes[0];
    const void *green = image->planes[1];
    const void *blue = image->planes[2];
    const bool alpha = image->has_alpha != 0;
    const void *alpha_plane = alpha ? image->planes[3] : nullptr;
    if (resolution == 0) {
        return alpha ? print_with_runtime(text, sizeof text, "%dx%d %p %p %p %p -a", w, h, red,
                                          green, blue, alpha_plane)
                     : print_with_runtime(text, sizeof text, "%dx%d %p %p %p", w, h, red, green,
                                          blue);
    }
    return alpha ? print_with_runtime(text, sizeof text, "%dx%d %p %p %p %p -r%g -a", w, h, red,
                                      green, blue, alpha_plane, resolution)
                 : print_with_runtime(text, sizeof text, "%dx%d %p %p %p -r%g", w, h, red, green,
                                      blue, resolution);
}

// Reached only through image_canvas_context.create_canvas: the canvas library
// calls it with the canvas being made and the creator's data, a zoImage.  The
// canvas draws into width x height samples of each plane it is made over, so
// a record whose planes do not hold them, or a null image or planes array,
// gets no canvas: it is not set up.
void create_image_canvas(vgCanvas *canvas, void *data) {
    const auto *image = static_cast<const zoImage *>(data);
    if (!vgzo::planes_cover_image(image) || !vgzo::is_rgb_byte_image(image)) {
        return;
    }
    const vgCreateCanvasFn rgb_create = rgb_create_canvas.load(std::memory_order_acquire);
    if (rgb_create == nullptr) {
        return; // unreachable through vgContextZoImage, which fills it first
    }
    char text[kCreationTextSize];
    const bool fits = format_creation_text(image, resolution_per_mm(image), text);
    if (fits) { // GCOVR_EXCL_BR_LINE: never false, kCreationTextSize holds the longest text
        rgb_create(canvas, text);
    }
}

} // namespace

VGZO_API_IMPL vgContext *vgContextZoImage(void) {
    // Fetched again on every call for as long as the RGB image kind's
    // operations[0] is null; only vgzo's own copy of its create_canvas is
    // refreshed then.  create_canvas is stored before operations[0] is
    // published, so whoever sees the slot filled also sees create_canvas.
    // Every call that finds the kind's slot filled returns having acquired
    // the record's, by this load or by the exchange, whichever thread
    // published it.
    if (copied_operation().load(std::memory_order_acquire) == nullptr) {
        const vgContext *rgb = vgContextImageRGB();
        rgb_create_canvas.store(rgb->create_canvas, std::memory_order_release);
        publish_operation(rgb->operations[0]);
    }
    return &image_canvas_context;
}
