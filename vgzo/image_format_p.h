// SPDX-License-Identifier: MIT
// Image formats, shared by the bridge's operations: which the operations
// handle (RGB or indexed, byte samples), and the facts a record must hold
// before it is read or handed on.
//
// The imaging library makes every record with a planes array, planes of
// pixel_count = width x height samples and whatever palette its colour space
// calls for.  A careless or hostile client can hand over records it would
// never make; the operations test the facts below first and ignore a record
// that fails one, rather than let vgzo or the canvas library read or write
// past the image's memory.
#ifndef VGZO_IMAGE_FORMAT_P_H
#define VGZO_IMAGE_FORMAT_P_H

#include <cstdint>

#include "api_p.h"

namespace vgzo {

// The record is there and so is its array of plane addresses.  A client that
// passes on the result of an image creation that failed hands over null.
inline bool has_planes_array(const zoImage *image) {
    return image != nullptr && image->planes != nullptr;
}

// width x height in 64 bits, where no two 32-bit sides overflow; 0 when a side
// is 0 or negative, a record whose size the canvas library judges itself.
inline int64_t area(const zoImage *image) {
    return image->width > 0 && image->height > 0 ? int64_t{image->width} * image->height : 0;
}

// pixel_count is a count of samples: not negative.
inline bool has_pixel_count(const zoImage *image) {
    return image->pixel_count >= 0;
}

// The planes hold the area: pixel_count, the length of each plane, is not
// less than width x height, so the canvas library may read or write width x
// height samples of every plane it is handed.
inline bool planes_hold_area(const zoImage *image) {
    return has_pixel_count(image) && image->pixel_count >= area(image);
}

// width x height is no more than the largest pixel_count a record can hold:
// a pattern of more entries belongs to no image, and reserving it could take
// gigabytes for a record of a few bytes.
inline bool area_fits_pixel_count(const zoImage *image) {
    return area(image) <= INT32_MAX;
}

// Everything a record hands the canvas library to work on for width x height
// pixels is there: the planes array, and planes that hold the area.
inline bool planes_cover_image(const zoImage *image) {
    return has_planes_array(image) && planes_hold_area(image);
}

inline bool has_byte_samples(const zoImage *image) {
    return image->sample_type == ZO_SAMPLE_UINT8;
}

inline bool is_indexed(const zoImage *image) {
    return image->color_space >= ZO_COLOR_SPACE_INDEXED1 &&
           image->color_space <= ZO_COLOR_SPACE_INDEXED3;
}

// An RGB image of byte samples: the only format that has three colour planes
// of pixel_count bytes each, so the only one a canvas may be read into or
// made over.
inline bool is_rgb_byte_image(const zoImage *image) {
    return has_byte_samples(image) && image->color_space == ZO_COLOR_SPACE_RGB;
}

// The planes its colour space takes the colours from are there: red, green,
// blue and, with has_alpha, alpha for RGB; the index plane and the palette
// for an indexed image; none for any other space.  (For a record whose
// planes array is there.)
inline bool has_colour_planes(const zoImage *image) {
    uint8_t *const *planes = image->planes;
    if (image->color_space == ZO_COLOR_SPACE_RGB) {
        return planes[0] != nullptr && planes[1] != nullptr && planes[2] != nullptr &&
               (image->has_alpha == 0 || planes[3] != nullptr);
    }
    if (is_indexed(image)) {
        return planes[0] != nullptr && image->palette != nullptr;
    }
    return true;
}

} // namespace vgzo

#endif // VGZO_IMAGE_FORMAT_P_H
