/* SPDX-License-Identifier: MIT */
/* Stand-in canvas library: the functions of vgzo/vg.h, plus canvas creation
 * and disposal, read-back of pixels, pattern and stipple, and a call trace.
 * Not shipped; it exists so the bridge, its tests and its demo really run.
 *
 * Encoded colour: 0xAARRGGBB; vgEncodeColor gives alpha 255.
 * Canvas pixels: three planes (red, green, blue), optionally a fourth (alpha),
 * width per line, no gaps.  A new canvas is black (alpha 255).
 * vg coordinates: integer pixels, origin top left, y down.
 * vgf coordinates: the same in doubles; each of x, y, w, h is rounded to the
 *   nearest integer, halves away from zero.
 * qm coordinates: doubles, origin bottom left, y up: (x, y) is the lower left
 *   corner of the area, so its top line is canvas height - round(y) - h.
 * Put scales the source rectangle (nearest neighbour) into x, y, w, h, clipped
 * to the canvas; w or h of 0 or less draws nothing.  RGBA blends by alpha;
 * Map looks colours up in the palette and blends by the colour's alpha.
 * Get writes w * h samples per plane; pixels outside the canvas read as 0.
 * Put's source rectangle (the four trailing integers) is cut to the image and
 * what remains is stretched over x, y, w, h; 0, 0, 0, 0 or a width or height
 * of 0 or less selects the whole image; a rectangle wholly outside the image
 * draws nothing.
 * Blending by alpha a: each colour becomes (src * a + dst * (255 - a) + 127)
 *   / 255; a canvas alpha plane becomes a + dst_a * (255 - a) / 255.
 * Input that cannot be used is ignored (and, for Get, nothing is written): a
 * null canvas or one not beginning with "VG", null planes or palette, a
 * source size below 1, and vgf or qm coordinates that are not finite or do
 * not round into 32-bit integers. */
#ifndef VG_STANDIN_H
#define VG_STANDIN_H

#include <stddef.h>
#include <stdint.h>

#include "vgzo/vg.h"

#ifdef __cplusplus
extern "C" {
#endif

/* A canvas over planes it owns, black.  Null for a size below 1. */
vgCanvas *vgCanvasCreate(int32_t width, int32_t height);
/* A canvas of the given kind: a fresh record beginning with "VG" is handed to
 * context->create_canvas with data.  Null when the kind did not set it up. */
vgCanvas *vgCanvasCreateWithContext(const vgContext *context, void *data);
/* Disposes of a canvas; its record no longer begins with "VG" afterwards.
 * Anything but a live canvas made above (null, a canvas already disposed of,
 * a record made elsewhere) is ignored without being read, so disposing of a
 * canvas twice is harmless. */
void vgCanvasDestroy(vgCanvas *canvas);

int32_t vgCanvasWidth(const vgCanvas *canvas);
int32_t vgCanvasHeight(const vgCanvas *canvas);
/* Channel 0 red, 1 green, 2 blue, 3 alpha (null if the canvas has none). */
const uint8_t *vgCanvasPlane(const vgCanvas *canvas, int channel);
/* The pixel at x, y as an encoded colour (alpha 255 without an alpha plane);
 * 0 outside the canvas. */
vgColor vgCanvasPixel(const vgCanvas *canvas, int32_t x, int32_t y);
/* Resolution in pixels per millimetre; 0 when none was given. */
double vgCanvasResolution(const vgCanvas *canvas);

/* vgCanvasPattern and vgCanvasStipple ignore a negative width or height and a
 * null table when there is anything to read; with width * height of 0 the
 * table is not read.  The last accepted call wins. */

/* The pattern kept by the canvas (its own copy), null if none; sets *width and
 * *height (0 when none; the pointers may be null).  A pattern of no colours
 * gives a non-null pointer that must not be read. */
const vgColor *vgCanvasGetPattern(const vgCanvas *canvas, int32_t *width, int32_t *height);
/* The stipple mask kept by the canvas: the very pointer it was given (the mask
 * is not copied), null if none; sets *width and *height. */
const uint8_t *vgCanvasGetStipple(const vgCanvas *canvas, int32_t *width, int32_t *height);

/* Fills the rectangle x, y, w, h (vg coordinates), clipped to the canvas,
 * with the canvas's pattern, tiled from the canvas's top left corner, or with
 * `color` where it has none (or one of no colours).  Where the canvas has a
 * stipple, tiled the same way, only pixels whose mask byte is non-zero are
 * painted.  Colours blend by their alpha, as Put's do.  Not traced. */
void vgCanvasFillRect(vgCanvas *canvas, int32_t x, int32_t y, int32_t w, int32_t h, vgColor color);

/* The RGB image kind (vgContextImageRGB: flags 0x1, kind 1, operations[0] a
 * no-op, the others null) takes as data the creation text vgzo/vg.h gives,
 * read during the call: its tokens separated by runs of blanks (spaces or
 * tabs), plane addresses in hexadecimal with or without "0x", the resolution
 * under the current locale.  The canvas borrows the planes and draws
 * straight into them.  A malformed text (also a null
 * plane, a size below 1, a negative or non-finite resolution) leaves the
 * canvas not set up, so vgCanvasCreateWithContext returns null. */

/* The RGB image kind's operations[0] slot and create_canvas; tests set them
 * to null to see how a client copes with a kind that lacks them. */
void vgContextImageRGBSetOperation0(vgOperation operation);
void vgContextImageRGBSetCreateCanvas(vgCreateCanvasFn create_canvas);

/* Call trace of every function of vgzo/vg.h and of the RGB image kind's
 * create_canvas: one record per call, the function's name and its arguments
 * with their types (trace_record.h).  Off until enabled; safe to use from
 * several threads. */
void vgTraceEnable(int on);
void vgTraceClear(void);
size_t vgTraceCount(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#ifdef __cplusplus
#include <vector>

#include "trace_record.h"

/* The records so far, oldest first (C++ only). */
std::vector<standin::TraceRecord> vgTraceRecords();
#endif

#endif /* VG_STANDIN_H */
