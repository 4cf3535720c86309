// SPDX-License-Identifier: MIT
// The records the tables of what each operation hands on and what it ignores
// are made of: records the imaging library makes, and records it never makes.
// Every plane, the planes array and the palette is an allocation of exactly
// the size the record states, so the address sanitizer sees any read or
// write past one, by the library or by the canvas it hands them to.
#ifndef VGZO_TESTS_BROKEN_RECORDS_H
#define VGZO_TESTS_BROKEN_RECORDS_H

#include <algorithm>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>

#include "test_image.h"
#include "testkit.h"

namespace support {

enum class Record {
    whole,                // 4 x 4, pixel_count 16: what the imaging library makes
    zero_height,          // 4 x 0, pixel_count 0: the canvas library judges the size
    negative_width,       // -4 x 4, pixel_count 0: likewise
    null_image,           // what a failed image creation gives
    null_planes_array,    // a whole record but for its planes array
    short_planes,         // 4 x 4, pixel_count 4
    negative_pixel_count, // 4 x 4, pixel_count -1, planes of no samples
    area_beyond_32_bits,  // 65536 x 65537, pixel_count 65536
};

inline const char *name(Record record) {
    switch (record) {
    case Record::whole:
        return "whole";
    case Record::zero_height:
        return "zeroHeight";
    case Record::negative_width:
        return "negativeWidth";
    case Record::null_image:
        return "nullImage";
    case Record::null_planes_array:
        return "nullPlanesArray";
    case Record::short_planes:
        return "shortPlanes";
    case Record::negative_pixel_count:
        return "negativePixelCount";
    case Record::area_beyond_32_bits:
        return "areaBeyond32Bits";
    }
    return "?";
}

// A record as `record` says, of the colour space and alpha flag of `format`,
// its samples and palette noise.
class RecordUnderTest {
public:
    RecordUnderTest(Record record, const testkit::ImageShape &format) {
        if (record == Record::null_image) {
            return;
        }
        image_.emplace(shape_of(record, format));
        testkit::fill_with_noise(*image_);
        if (record == Record::null_planes_array) {
            image_->record().planes = nullptr;
        }
    }

    zoImage *get() { return image_ ? image_->get() : nullptr; }
    // What the image's memory holds, to tell whether anything wrote into it.
    uint64_t content_hash() const { return image_ ? image_->content_hash() : 0; }

private:
    static testkit::ImageShape shape_of(Record record, testkit::ImageShape shape) {
        shape.exact_planes = true;
        struct Size {
            int32_t width, height, pixel_count;
        };
        const Size size = record == Record::zero_height            ? Size{4, 0, 0}
                          : record == Record::negative_width       ? Size{-4, 4, 0}
                          : record == Record::short_planes         ? Size{4, 4, 4}
                          : record == Record::negative_pixel_count ? Size{4, 4, -1}
                          : record == Record::area_beyond_32_bits  ? Size{65536, 65537, 65536}
                                                                   : Size{4, 4, 16};
        shape.width = size.width;
        shape.height = size.height;
        shape.pixel_count = size.pixel_count;
        return shape;
    }

    std::optional<testkit::TestImage> image_;
};

// One row of a table: a record, and whether the operation hands it on.
struct Handling {
    Record record;
    bool handed_on;
};

inline void PrintTo(const Handling &handling, std::ostream *out) {
    *out << name(handling.record);
}

// Whether the canvas library's trace holds a call of `function`.
inline bool called(const char *function) {
    return std::ranges::any_of(vgTraceRecords(), [function](const standin::TraceRecord &record) {
        return record.function == function;
    });
}

// How every operation that hands the image's planes to the canvas library
// (the Puts, the Gets, the stipple and the image canvas kind) treats each
// record.
inline constexpr Handling kPlaneHandling[] = {
    {Record::whole, true},
    {Record::zero_height, true},
    {Record::negative_width, true},
    {Record::null_image, false},
    {Record::null_planes_array, false},
    {Record::short_planes, false},
    {Record::negative_pixel_count, false},
    {Record::area_beyond_32_bits, false},
};

// Names a test of a coordinate family (with its `prefix`) and a record's
// handling, as "<prefix>_<record>".
inline const auto kFamilyAndRecordName = [](const auto &info) {
    return std::string(std::get<0>(info.param).prefix) + "_" + name(std::get<1>(info.param).record);
};

} // namespace support

#endif // VGZO_TESTS_BROKEN_RECORDS_H
