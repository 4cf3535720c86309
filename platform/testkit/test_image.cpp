// SPDX-License-Identifier: MIT
#include "test_image.h"

#include <algorithm>
#include <cstring>

#include "zo_standin.h"

namespace testkit {

namespace {

std::size_t samples_per_plane(const ImageShape &shape, int32_t pixel_count) {
    if (shape.plane_samples) {
        return *shape.plane_samples;
    }
    if (shape.exact_planes) {
        return static_cast<std::size_t>(std::max(pixel_count, int32_t{0}));
    }
    const bool has_area = shape.width > 0 && shape.height > 0;
    const std::size_t area =
        has_area ? static_cast<std::size_t>(shape.width) * static_cast<std::size_t>(shape.height)
                 : 0;
    return std::max(area, static_cast<std::size_t>(std::max(pixel_count, int32_t{0})));
}

int plane_count(const ImageShape &shape) {
    if (shape.color_space != ZO_COLOR_SPACE_RGB) {
        return 1;
    }
    return shape.has_alpha != 0 ? 4 : 3;
}

uint8_t largest_byte(uint64_t word) {
    uint8_t largest = 0;
    for (int shift = 0; shift < 64; shift += 8) {
        largest = std::max(largest, static_cast<uint8_t>(word >> shift));
    }
    return largest;
}

} // namespace

TestImage::TestImage(const ImageShape &shape) {
    // Width x height as the record's 32 bits hold it; a size past them is a
    // broken record, which a check makes on purpose.
    const int64_t area =
        shape.width > 0 && shape.height > 0 ? int64_t{shape.width} * shape.height : 0;
    record_.width = shape.width;
    record_.height = shape.height;
    record_.color_space = shape.color_space;
    record_.sample_type = shape.sample_type;
    record_.has_alpha = shape.has_alpha;
    record_.pixel_count = shape.pixel_count.value_or(static_cast<int32_t>(area));
    plane_size_ = samples_per_plane(shape, record_.pixel_count);
    const auto planes = static_cast<std::size_t>(plane_count(shape));
    for (std::size_t i = 0; i < planes; ++i) {
        storage_[i] = std::make_unique<uint8_t[]>(plane_size_); // zeroed
        planes_[i] = storage_[i].get();
    }
    record_.planes = planes_.data();
    if (shape.exact_planes) {
        exact_planes_ = std::make_unique<uint8_t *[]>(planes);
        std::copy_n(planes_.begin(), planes, exact_planes_.get());
        record_.planes = exact_planes_.get();
    }
    resize_palette(
        shape.palette_entries.value_or(shape.color_space == ZO_COLOR_SPACE_RGB ? 0 : 256));
}

TestImage::~TestImage() {
    zoImageClearAttribs(&record_); // attributes are kept by the record's address
}

std::span<uint8_t> TestImage::samples(int index) const {
    uint8_t *plane = this->plane(index);
    return plane != nullptr ? std::span<uint8_t>(plane, plane_size_) : std::span<uint8_t>();
}

void TestImage::resize_palette(std::size_t entries) {
    std::unique_ptr<vgColor[]> palette;
    if (entries > 0) {
        palette = std::make_unique<vgColor[]>(entries);
        std::copy_n(palette_.get(), std::min(entries, palette_entries_), palette.get());
    }
    palette_ = std::move(palette);
    palette_entries_ = entries;
    record_.palette = palette_.get();
}

void fill_with_noise(TestImage &image, uint32_t seed, uint8_t mask, bool fit_palette) {
    // Eight samples a store: the fuzz target fills images of up to 90,000
    // pixels a plane thousands of times a second, and a checked store a
    // sample would be most of its time.
    uint64_t state = seed;
    const auto next = [&state] { // splitmix64
        uint64_t z = state += 0x9E3779B97F4A7C15u;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    };
    const uint64_t word_mask = 0x0101010101010101u * mask;
    uint8_t largest_index = 0;
    for (int plane = 0; plane < 4; ++plane) {
        const std::span<uint8_t> samples = image.samples(plane);
        std::size_t at = 0;
        for (; at + 8 <= samples.size(); at += 8) {
            const uint64_t word = next() & word_mask;
            std::memcpy(&samples[at], &word, 8);
            if (plane == 0) {
                largest_index = std::max(largest_index, largest_byte(word));
            }
        }
        for (uint64_t word = next() & word_mask; at < samples.size(); ++at, word >>= 8) {
            samples[at] = static_cast<uint8_t>(word);
            if (plane == 0) {
                largest_index = std::max(largest_index, samples[at]);
            }
        }
    }
    if (fit_palette && !image.palette().empty()) {
        image.resize_palette(std::size_t{largest_index} + 1);
    }
    for (vgColor &color : image.palette()) {
        color = static_cast<vgColor>(next()) | 1u;
    }
}

uint64_t TestImage::content_hash(int first_plane) const {
    // Eight bytes at a time: the fuzz target hashes every image it touches.
    uint64_t hash = 14695981039346656037u;
    auto mix = [&hash](const void *bytes, std::size_t size) {
        const auto *at = static_cast<const unsigned char *>(bytes);
        for (; size >= 8; size -= 8, at += 8) {
            uint64_t word = 0;
            std::memcpy(&word, at, 8);
            hash = (hash ^ word) * 0x100000001B3u;
            hash ^= hash >> 29;
        }
        for (; size > 0; --size, ++at) {
            hash = (hash ^ *at) * 0x100000001B3u;
        }
    };
    for (std::size_t plane = static_cast<std::size_t>(first_plane); plane < storage_.size();
         ++plane) {
        if (storage_[plane]) {
            mix(storage_[plane].get(), plane_size_);
        }
    }
    if (palette_) {
        mix(palette_.get(), palette_entries_ * sizeof(vgColor));
    }
    return hash;
}

} // namespace testkit
