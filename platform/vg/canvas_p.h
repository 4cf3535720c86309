/* SPDX-License-Identifier: MIT */
/* The canvas record, shared by the canvas stand-in's source files. */
#ifndef VG_STANDIN_CANVAS_P_H
#define VG_STANDIN_CANVAS_P_H

#include <cstdint>
#include <vector>

#include "vg_standin.h"

struct vgCanvas {
    char signature[2] = {'V', 'G'}; /* cleared when the canvas is disposed of */
    int32_t width = 0;
    int32_t height = 0;
    uint8_t *planes[4] = {};      /* red, green, blue, then alpha or null */
    std::vector<uint8_t> owned;   /* backs planes when the canvas made them */
    double resolution = 0;        /* pixels per millimetre, 0 when unknown */
    std::vector<vgColor> pattern; /* the canvas's own copy */
    int32_t pattern_width = 0;
    int32_t pattern_height = 0;
    bool has_pattern = false;
    const uint8_t *stipple = nullptr; /* the caller's mask, kept, not copied */
    int32_t stipple_width = 0;
    int32_t stipple_height = 0;
    bool set_up = false; /* planes and size are usable */
};

namespace vg_standin {

/* True when the record still begins with "VG". */
inline bool has_signature(const vgCanvas *canvas) {
    return canvas && canvas->signature[0] == 'V' && canvas->signature[1] == 'G';
}

/* The canvas if it can be drawn on or read; null for a null, disposed or
 * foreign record, or one its kind did not set up. */
inline vgCanvas *live_canvas(vgCanvas *canvas) {
    return has_signature(canvas) && canvas->set_up ? canvas : nullptr;
}

inline const vgCanvas *live_canvas(const vgCanvas *canvas) {
    return has_signature(canvas) && canvas->set_up ? canvas : nullptr;
}

} // namespace vg_standin

#endif /* VG_STANDIN_CANVAS_P_H */
