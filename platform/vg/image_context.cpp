// SPDX-License-Identifier: MIT
/* The RGB image canvas kind: a canvas drawn straight into planes someone
 * else owns, named by the creation text of vgzo/vg.h (vgContextImageRGB).
 * The resolution is read under the current locale, as the text's writer
 * formatted it that way; tokens are separated by runs of blanks (spaces or
 * tabs).  Any malformed text leaves the canvas not set up. */
#include <array>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "canvas_p.h"
#include "vg_trace_p.h"

using vg_standin::has_signature;
using vg_standin::trace;

namespace {

struct Creation {
    int32_t width = 0;
    int32_t height = 0;
    std::array<uint8_t *, 4> planes{};
    double resolution = 0;
};

std::vector<std::string_view> split(std::string_view text) {
    std::vector<std::string_view> tokens;
    constexpr std::string_view blanks = " \t";
    for (size_t start = text.find_first_not_of(blanks); start != std::string_view::npos;) {
        const size_t end = std::min(text.find_first_of(blanks, start), text.size());
        tokens.push_back(text.substr(start, end - start));
        start = text.find_first_not_of(blanks, end);
    }
    return tokens;
}

/* A positive decimal int32 made of digits only. */
std::optional<int32_t> parse_size(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int32_t>::max()) {
            return std::nullopt;
        }
    }
    if (value <= 0) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

/* A non-null plane address: hexadecimal digits, with or without 0x.  "(nil)"
 * and 0 name no plane, which is malformed. */
uint8_t *parse_plane(std::string_view token) {
    if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
        token.remove_prefix(2);
    }
    if (token.empty() || token.size() > 2 * sizeof(uintptr_t)) {
        return nullptr;
    }
    uintptr_t address = 0;
    for (const char c : token) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return nullptr;
        }
        address = address << 4 | static_cast<uintptr_t>(digit);
    }
    // The text carries plane addresses as numbers: turning one back into a
    // pointer is the point of the format.
    return reinterpret_cast<uint8_t *>(address); // NOLINT(performance-no-int-to-ptr)
}

/* A finite, non-negative real that fills the whole token, read with strtod
 * so that the current locale's decimal separator applies. */
std::optional<double> parse_resolution(std::string_view token) {
    /* strtod would skip leading white space and take a sign: neither belongs
     * in a resolution token. */
    const auto first = static_cast<unsigned char>(token.empty() ? ' ' : token.front());
    if (std::isspace(first) || first == '+' || first == '-') {
        return std::nullopt;
    }
    const std::string text(token); /* strtod needs a terminated copy */
    char *end = nullptr;
    /* Too large a value reads as infinite; too small a one (strtod's other
     * ERANGE) is a resolution still, as tiny as it was written. */
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value) || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<Creation> parse_creation(std::string_view text) {
    std::vector<std::string_view> tokens = split(text);
    Creation creation;
    size_t plane_count = 3;
    if (!tokens.empty() && tokens.back() == "-a") {
        plane_count = 4;
        tokens.pop_back();
    }
    if (tokens.size() >= 2 && tokens.back().substr(0, 2) == "-r") {
        const auto resolution = parse_resolution(tokens.back().substr(2));
        if (!resolution) {
            return std::nullopt;
        }
        creation.resolution = *resolution;
        tokens.pop_back();
    }
    if (tokens.size() != 1 + plane_count) {
        return std::nullopt;
    }
    const size_t x = tokens[0].find('x');
    if (x == std::string_view::npos) {
        return std::nullopt;
    }
    const auto width = parse_size(tokens[0].substr(0, x));
    const auto height = parse_size(tokens[0].substr(x + 1));
    if (!width || !height) {
        return std::nullopt;
    }
    creation.width = *width;
    creation.height = *height;
    for (size_t plane = 0; plane < plane_count; ++plane) {
        creation.planes[plane] = parse_plane(tokens[1 + plane]);
        if (!creation.planes[plane]) {
            return std::nullopt;
        }
    }
    return creation;
}

/* create_canvas of the kind: sets the canvas up over the named planes, which
 * it borrows and never frees.  A canvas already set up is left alone. */
void rgb_image_create_canvas(vgCanvas *canvas, void *data) {
    const auto *text = static_cast<const char *>(data);
    trace.call("rgb_image_create_canvas", canvas, text);
    if (!has_signature(canvas) || canvas->set_up || !text) {
        return;
    }
    try {
        const auto creation = parse_creation(text);
        if (!creation) {
            return;
        }
        canvas->width = creation->width;
        canvas->height = creation->height;
        std::copy(creation->planes.begin(), creation->planes.end(), canvas->planes);
        canvas->resolution = creation->resolution;
        canvas->set_up = true;
    } catch (const std::exception &) {
        /* Out of memory while parsing: the canvas stays not set up. */
    }
}

/* The kind's first further operation; the image canvas needs no flushing, so
 * it does nothing, but clients can tell the slot is filled. */
void rgb_image_flush(void) {}

/* Constant-initialised, so there is no first-use race to guard. */
vgContext rgb_image_context = {
    0x1, 1, rgb_image_create_canvas, {rgb_image_flush, nullptr, nullptr}};

} // namespace

extern "C" {

vgContext *vgContextImageRGB(void) {
    trace.call("vgContextImageRGB");
    return &rgb_image_context;
}

void vgContextImageRGBSetOperation0(vgOperation operation) {
    /* Tests set the slot before starting threads; the atomic store only keeps
     * a stray concurrent reader from seeing a torn pointer. */
    std::atomic_ref(rgb_image_context.operations[0]).store(operation, std::memory_order_relaxed);
}

void vgContextImageRGBSetCreateCanvas(vgCreateCanvasFn create_canvas) {
    std::atomic_ref(rgb_image_context.create_canvas)
        .store(create_canvas, std::memory_order_relaxed);
}

} /* extern "C" */
