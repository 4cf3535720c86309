// SPDX-License-Identifier: MIT
// zoImage records built by hand, for the checks of the library: any field may
// hold any value, also ones the imaging library would never produce.
#ifndef VGZO_TESTKIT_TEST_IMAGE_H
#define VGZO_TESTKIT_TEST_IMAGE_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "vgzo/zo.h"

namespace testkit {

struct ImageShape {
    int32_t width = 4;
    int32_t height = 3;
    int32_t color_space = ZO_COLOR_SPACE_RGB;
    int32_t sample_type = ZO_SAMPLE_UINT8;
    int32_t has_alpha = 0;
    // Width x height when not given (0 when a side is negative).
    std::optional<int32_t> pixel_count = std::nullopt;
    // Palette entries; when not given 256 for any space but RGB, none for RGB.
    std::optional<std::size_t> palette_entries = std::nullopt;
    // Samples per plane; when not given max(pixel_count, width x height).
    std::optional<std::size_t> plane_samples = std::nullopt;
    // True: each plane holds exactly pixel_count samples (none for a negative
    // one) and the planes array exactly the record's planes, as a record made
    // by a careless client might, so that the address sanitizer sees any
    // access past what the record states (a given plane_samples still wins).
    bool exact_planes = false;
};

// A record whose planes and palette are each an allocation of their own,
// exactly as large as the record says, so that the address sanitizer sees
// any read or write past one of them.  RGB images have three planes, four
// with a non-zero has_alpha; every other colour space has one, the index
// plane.  A plane holds max(pixel_count, width x height) samples: what the
// library reads (pixel_count) and what the canvas reads or writes (width x
// height) both fit; with exact_planes it holds pixel_count samples alone.
// Samples and palette start at zero.  A check may point the record's planes
// elsewhere; the image still owns and frees its own.
class TestImage {
public:
    explicit TestImage(const ImageShape &shape = {});
    TestImage(const TestImage &) = delete;
    TestImage &operator=(const TestImage &) = delete;
    ~TestImage();

    zoImage *get() { return &record_; }
    const zoImage *get() const { return &record_; }
    zoImage &record() { return record_; }

    // Null for a plane the record does not have.
    uint8_t *plane(int index) const { return planes_[static_cast<std::size_t>(index)]; }
    std::span<uint8_t> samples(int index) const;
    std::span<vgColor> palette() const { return {palette_.get(), palette_entries_}; }

    // Replaces the palette by one of exactly `entries` colours, keeping the
    // ones both have (new ones are 0).
    void resize_palette(std::size_t entries);
    // A hash of every sample of its own planes from first_plane on and every
    // palette entry, to tell whether anything in the image's memory changed
    // (but, from 3, its colour planes).
    uint64_t content_hash(int first_plane = 0) const;

private:
    zoImage record_{};
    std::array<uint8_t *, 4> planes_{};
    std::unique_ptr<uint8_t *[]> exact_planes_; // the record's planes array with exact_planes
    std::array<std::unique_ptr<uint8_t[]>, 4> storage_;
    std::size_t plane_size_ = 0;
    std::unique_ptr<vgColor[]> palette_;
    std::size_t palette_entries_ = 0;
};

// Fills every plane and the palette of `image` with a pseudo-random sequence
// from `seed`, each sample masked by `mask` (few values, or many); no palette
// entry is 0, so a looked-up colour never passes for a cleared entry.  With
// fit_palette an indexed image's palette is cut to exactly the entries its
// indices use.
void fill_with_noise(TestImage &image, uint32_t seed = 0x9E3779B9u, uint8_t mask = 0xFF,
                     bool fit_palette = false);

} // namespace testkit

#endif // VGZO_TESTKIT_TEST_IMAGE_H
