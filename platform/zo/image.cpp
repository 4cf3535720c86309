// SPDX-License-Identifier: MIT
/* Image records: creation and disposal.  A record is a zoImage followed by
 * the storage it points into, so one allocation owns everything and freeing
 * does not depend on the public fields, which callers may have changed. */
#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "zo_standin.h"

namespace {

struct Record {
    zoImage image;                   /* first, so a zoImage* is the record */
    std::vector<uint8_t> samples;    /* all planes, one after the other */
    std::array<uint8_t *, 4> planes; /* what image.planes points to */
    std::vector<vgColor> palette;    /* indexed images only */
};
static_assert(std::is_standard_layout_v<Record>, "a zoImage pointer must convert to its record");

constexpr int32_t palette_size = 256;

/* A record with `plane_count` zeroed planes of width * height samples; null
 * for a negative size or one whose sample count does not fit pixel_count. */
std::unique_ptr<Record> make_record(int32_t width, int32_t height, int plane_count) {
    if (width < 0 || height < 0) {
        return nullptr;
    }
    const int64_t count = int64_t{width} * height;
    if (count > std::numeric_limits<int32_t>::max()) {
        return nullptr;
    }
    auto record = std::make_unique<Record>();
    /* At least one sample per plane so that even an empty image has
     * distinct, non-null planes, as callers may test planes for null. */
    const auto stride = static_cast<size_t>(count > 0 ? count : 1);
    record->samples.assign(stride * static_cast<size_t>(plane_count), 0);
    record->planes = {};
    for (int plane = 0; plane < plane_count; ++plane) {
        record->planes[static_cast<size_t>(plane)] =
            record->samples.data() + stride * static_cast<size_t>(plane);
    }
    zoImage &image = record->image;
    image = zoImage{};
    image.width = width;
    image.height = height;
    image.sample_type = ZO_SAMPLE_UINT8;
    image.pixel_count = static_cast<int32_t>(count);
    image.planes = record->planes.data();
    return record;
}

} // namespace

extern "C" {

zoImage *zoImageCreateRGB(int32_t width, int32_t height, int32_t has_alpha) {
    try {
        auto record = make_record(width, height, has_alpha ? 4 : 3);
        if (!record) {
            return nullptr;
        }
        record->image.color_space = ZO_COLOR_SPACE_RGB;
        record->image.has_alpha = has_alpha ? 1 : 0;
        if (has_alpha) {
            uint8_t *alpha = record->planes[3];
            std::fill(alpha, alpha + record->image.pixel_count, uint8_t{255});
        }
        return &record.release()->image;
    } catch (const std::exception &) {
        return nullptr;
    }
}

zoImage *zoImageCreateIndexed(int32_t width, int32_t height, int32_t color_space) {
    if (color_space < ZO_COLOR_SPACE_INDEXED1 || color_space > ZO_COLOR_SPACE_INDEXED3) {
        return nullptr;
    }
    try {
        auto record = make_record(width, height, 1);
        if (!record) {
            return nullptr;
        }
        record->palette.assign(palette_size, 0);
        record->image.color_space = color_space;
        record->image.palette = record->palette.data();
        return &record.release()->image;
    } catch (const std::exception &) {
        return nullptr;
    }
}

void zoImageFree(zoImage *image) {
    if (!image) {
        return;
    }
    zoImageClearAttribs(image);
    delete reinterpret_cast<Record *>(image);
}

} /* extern "C" */
