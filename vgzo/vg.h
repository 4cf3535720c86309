/* SPDX-License-Identifier: MIT */
/* What vgzo uses of the canvas library vg: the canvas record, encoded
 * colours, the canvas-kind descriptor and sixteen functions in three
 * coordinate families (vg integer, vgf double, qm a second double family).
 * The canvas library owns all of them and defines what they do; this file
 * pins the names, argument orders and record layout vgzo is built against,
 * and says what each means to vgzo.  It declares no canvas creation: a
 * program makes and disposes of canvases with the canvas library's own
 * functions.
 *
 * Ownership: canvases belong to the caller.  A Put reads the planes it is
 * given only during the call; a Get writes w * h samples into each of the
 * three planes it is given; vgCanvasPattern copies the colours it keeps;
 * vgCanvasStipple may keep the mask it is handed, so the mask must outlive
 * its use on the canvas. */
#ifndef VGZO_VG_H
#define VGZO_VG_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A canvas.  Opaque, except that a live canvas begins with the bytes "VG":
 * the one thing vgzo tests, before a pattern or stipple. */
typedef struct vgCanvas vgCanvas;

/* An encoded colour (vgEncodeColor); its bit layout is the canvas library's,
 * and vgzo only stores and copies it. */
typedef uint32_t vgColor;

/* A further operation of a canvas kind; its form is the canvas library's. */
typedef void (*vgOperation)(void);

/* Called by the canvas library's canvas creation with the canvas being made
 * and the data address the creator supplied. */
typedef void (*vgCreateCanvasFn)(vgCanvas *canvas, void *data);

/* A canvas-kind descriptor, handed to the canvas library's canvas creation,
 * which calls its create_canvas with the canvas being made and the creator's
 * data.  vgzo reads the RGB image kind's (vgContextImageRGB) create_canvas
 * and operations[0], and fills in its own (vgContextZoImage). */
typedef struct vgContext {
    uint32_t flags;                 /* the kind's flags; their meaning is the canvas library's */
    int32_t kind;                   /* the kind's number; likewise */
    vgCreateCanvasFn create_canvas; /* sets a canvas of this kind up */
    vgOperation operations[3];      /* further operations, or null */
} vgContext;

/* Record layouts are fixed for a 64-bit address space; the compiler checks
 * them wherever these headers are used, in C and in C++. */
#ifdef __cplusplus
#define VGZO_STATIC_ASSERT static_assert
#else
#define VGZO_STATIC_ASSERT _Static_assert
#endif
VGZO_STATIC_ASSERT(sizeof(void *) == 8, "a 64-bit address space is required");
VGZO_STATIC_ASSERT(sizeof(vgColor) == 4, "an encoded colour is 32 bits");
VGZO_STATIC_ASSERT(sizeof(vgContext) == 40, "vgContext is 40 bytes");
VGZO_STATIC_ASSERT(offsetof(vgContext, kind) == 4, "vgContext.kind at 4");
VGZO_STATIC_ASSERT(offsetof(vgContext, create_canvas) == 8, "vgContext.create_canvas at 8");
VGZO_STATIC_ASSERT(offsetof(vgContext, operations) == 16, "vgContext.operations at 16");

/* A colour from its samples, opaque; and with an alpha sample.  vgzo calls
 * one of them once a pixel for an RGB pattern. */
vgColor vgEncodeColor(uint8_t red, uint8_t green, uint8_t blue);
vgColor vgEncodeColorAlpha(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);

/* Sets the canvas's fill pattern: width * height colours, line by line,
 * copied; the canvas library decides what fills with it. */
void vgCanvasPattern(vgCanvas *canvas, int32_t width, int32_t height, const vgColor *colors);
/* Sets the canvas's stipple: width * height mask bytes, line by line, which
 * the canvas library may keep rather than copy. */
void vgCanvasStipple(vgCanvas *canvas, int32_t width, int32_t height, const uint8_t *mask);

/* Put: draw a width x height source image into x, y, w, h: RGB from three
 * planes, RGBA with an alpha plane, Map from an index plane through a
 * palette.  The four trailing integers select a source rectangle; vgzo
 * always passes 0, 0, 0, 0, the whole image.  The vgf and qm forms take
 * doubles; how the three coordinate families differ is the canvas library's.
 * (Laid out by hand: planes, place and source rectangle each on a line.) */
/* clang-format off */
void vgCanvasPutImageRectRGB(vgCanvas *canvas, int32_t width, int32_t height,
                             const uint8_t *red, const uint8_t *green, const uint8_t *blue,
                             int32_t x, int32_t y, int32_t w, int32_t h,
                             int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h);
void vgCanvasPutImageRectRGBA(vgCanvas *canvas, int32_t width, int32_t height,
                              const uint8_t *red, const uint8_t *green, const uint8_t *blue,
                              const uint8_t *alpha, int32_t x, int32_t y, int32_t w, int32_t h,
                              int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h);
void vgCanvasPutImageRectMap(vgCanvas *canvas, int32_t width, int32_t height,
                             const uint8_t *index, const vgColor *palette,
                             int32_t x, int32_t y, int32_t w, int32_t h,
                             int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h);

void vgfCanvasPutImageRectRGB(vgCanvas *canvas, int32_t width, int32_t height,
                              const uint8_t *red, const uint8_t *green, const uint8_t *blue,
                              double x, double y, double w, double h,
                              int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h);
void vgfCanvasPutImageRectRGBA(vgCanvas *canvas, int32_t width, int32_t height,
                               const uint8_t *red, const uint8_t *green, const uint8_t *blue,
                               const uint8_t *alpha, double x, double y, double w, double h,
                               int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h);
void vgfCanvasPutImageRectMap(vgCanvas *canvas, int32_t width, int32_t height,
                              const uint8_t *index, const vgColor *palette,
                              double x, double y, double w, double h,
                              int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h);

void qmCanvasPutImageRectRGB(vgCanvas *canvas, int32_t width, int32_t height,
                             const uint8_t *red, const uint8_t *green, const uint8_t *blue,
                             double x, double y, double w, double h,
                             int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h);
void qmCanvasPutImageRectRGBA(vgCanvas *canvas, int32_t width, int32_t height,
                              const uint8_t *red, const uint8_t *green, const uint8_t *blue,
                              const uint8_t *alpha, double x, double y, double w, double h,
                              int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h);
void qmCanvasPutImageRectMap(vgCanvas *canvas, int32_t width, int32_t height,
                             const uint8_t *index, const vgColor *palette,
                             double x, double y, double w, double h,
                             int32_t src_x, int32_t src_y, int32_t src_w, int32_t src_h);

/* Get: fill three planes of w * h samples from the canvas area at x, y; vgzo
 * passes the image's own size as w and h. */
void vgCanvasGetImageRGB(vgCanvas *canvas, uint8_t *red, uint8_t *green, uint8_t *blue,
                         int32_t x, int32_t y, int32_t w, int32_t h);
void qmCanvasGetImageRGB(vgCanvas *canvas, uint8_t *red, uint8_t *green, uint8_t *blue,
                         double x, double y, int32_t w, int32_t h);

/* clang-format on */

/* The RGB image canvas kind; never null.  Its create_canvas takes as data a
 * creation text, read during the call only, and sets the canvas up over the
 * planes it names (vgzo writes it for vgContextZoImage's canvases):
 *   "<width>x<height> <red> <green> <blue>[ <alpha>][ -r<resolution>][ -a]"
 * with the plane addresses as printf's %p writes them, the resolution in
 * pixels per millimetre as %g writes it under the current locale, and -a
 * when an alpha plane is named. */
vgContext *vgContextImageRGB(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VGZO_VG_H */
