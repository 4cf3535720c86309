// SPDX-License-Identifier: MIT
// Image classification shared by the bridge's operations.
#ifndef VGZO_IMAGE_KIND_H
#define VGZO_IMAGE_KIND_H

#include "vgzo.h"

namespace vgzo {

inline bool has_byte_samples(const zoImage *image) {
    return image->sample_type == ZO_SAMPLE_UINT8;
}

inline bool is_indexed(const zoImage *image) {
    return image->color_space >= ZO_COLOR_SPACE_INDEXED1 &&
           image->color_space <= ZO_COLOR_SPACE_INDEXED3;
}

// An RGB image of byte samples: the only kind that has three colour planes of
// pixel_count bytes each, so the only kind a canvas may be read into or made
// over.
inline bool is_rgb_byte_image(const zoImage *image) {
    return has_byte_samples(image) && image->color_space == ZO_COLOR_SPACE_RGB;
}

} // namespace vgzo

#endif // VGZO_IMAGE_KIND_H
