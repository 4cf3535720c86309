/* SPDX-License-Identifier: MIT */
/* What vgzo uses of the imaging library zo: its image record and two
 * attribute queries.  The imaging library owns both the record layout and the
 * functions; this file pins the part of them vgzo is built against and says
 * what each field means to vgzo.  It declares no image creation: a program
 * makes and frees images with the imaging library's own functions.
 *
 * Ownership: a zoImage and its planes and palette belong to the caller (who
 * got them from the imaging library).  The bridge reads them and never frees,
 * resizes, copies or keeps them; only the canvas library may keep planes it is
 * handed (an image canvas, a stipple mask).  Texts returned by the attribute
 * queries belong to the imaging library and are read only during the call. */
#ifndef VGZO_ZO_H
#define VGZO_ZO_H

#include <stddef.h>
#include <stdint.h>

#include "vg.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Colour space codes of zoImage.color_space. */
enum {
    ZO_COLOR_SPACE_RGB = 0,      /* planes[0..2] red, green, blue; planes[3] alpha */
    ZO_COLOR_SPACE_INDEXED1 = 1, /* planes[0] palette indices */
    ZO_COLOR_SPACE_INDEXED2 = 2,
    ZO_COLOR_SPACE_INDEXED3 = 3 /* indexed; also the only stipple mask space */
};

/* Sample type code of zoImage.sample_type. */
enum { ZO_SAMPLE_UINT8 = 0 };

/* The image record.  Only the leading fields are pinned here; the imaging
 * library's record continues after palette, so a zoImage is only ever made,
 * copied and freed by the imaging library itself. */
typedef struct zoImage {
    int32_t width;       /* columns: handed on as the source width */
    int32_t height;      /* lines: handed on as the source height */
    int32_t color_space; /* ZO_COLOR_SPACE_*: picks the call; others are not drawn */
    int32_t sample_type; /* ZO_SAMPLE_UINT8 alone is handled; others are ignored */
    int32_t has_alpha;   /* non-zero: RGB images have planes[3], an alpha plane */
    int32_t reserved[4]; /* not read by vgzo */
    int32_t pixel_count; /* samples per plane, width * height, never negative:
                            the pixels a pattern converts */
    uint8_t **planes;    /* pixel_count byte samples each, line after line, no
                            gaps; handed on, never copied */
    vgColor *palette;    /* indexed images: the colour of every index that occurs */
} zoImage;

VGZO_STATIC_ASSERT(offsetof(zoImage, pixel_count) == 36, "zoImage.pixel_count at 36");
VGZO_STATIC_ASSERT(offsetof(zoImage, planes) == 40, "zoImage.planes at 40");
VGZO_STATIC_ASSERT(offsetof(zoImage, palette) == 48, "zoImage.palette at 48");

/* The attribute's text, owned by the imaging library, or null when absent.
 * vgzo asks for "ResolutionUnit" and reads the text during the call only. */
const char *zoImageGetAttribString(const zoImage *image, const char *name);

/* Element `index` of a real-valued attribute; 0 when attribute or element is
 * absent.  vgzo asks for element 0 of "XResolution". */
double zoImageGetAttribReal(const zoImage *image, const char *name, int32_t index);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VGZO_ZO_H */
