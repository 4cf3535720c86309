/* SPDX-License-Identifier: MIT */
/* vgzo 1.0: draw images of the imaging library (zoImage, zo.h) on canvases of
 * the canvas library (vgCanvas, vg.h), read canvas areas back into images,
 * use images as fill patterns and stipple masks, and make canvases that draw
 * straight into an image's own memory.
 *
 * The eight functions below are the whole interface.  Each takes the canvas
 * first and the image second (vgContextZoImage takes nothing) and passes the
 * image's own planes and palette on to the canvas library function that fits
 * the image's format, that is its colour space, sample type and alpha flag:
 * nothing is copied or converted, but the colours of a pattern.  (A canvas
 * kind, a vgContext, is the canvas library's; vgContextZoImage is one.)
 *
 * Errors.  Nothing is reported: no function returns a status, sets errno or
 * writes a message.  An image a function cannot handle is ignored as each
 * function's comment says: the drawing functions make no canvas call for it,
 * the pattern sets an all-zero pattern for a byte image of a colour space it
 * does not convert, and the reading functions read only into an RGB image of
 * byte samples.  So is a record the imaging library would never make, as
 * Records says.
 *
 * Records.  The imaging library makes every zoImage with an array of plane
 * addresses, planes of pixel_count = width x height samples and the planes
 * and palette its colour space and alpha flag call for (zo.h).  A careless
 * client may hand over records it would never make, and vgzo ignores those
 * it can tell, rather than let itself or the canvas library read or write
 * past the image's memory:
 *   - a null image, or one whose planes array is null, is ignored by every
 *     function (no call, nothing read or written);
 *   - a record whose planes cannot hold its area, that is width and height
 *     both above 0 and pixel_count less than width x height (taken without
 *     overflow), or a negative pixel_count, is ignored by the drawing and
 *     reading functions, the stipple and the image canvas kind, which would
 *     have the canvas library read or write width x height samples of each
 *     plane.  A record with a width or height of 0 or less and a pixel_count
 *     of 0 or more is handed on: the canvas library decides what to make of
 *     it;
 *   - the pattern, which reads no more than pixel_count samples of a plane,
 *     takes a record whose planes do not hold its area, but ignores one
 *     with a negative pixel_count, one whose width x height exceeds 2^31 - 1
 *     (the largest pixel_count a record can hold) and one lacking (null) a
 *     plane, the alpha plane or the palette it would take colours from.
 * vgzo cannot see how long a plane really is: planes shorter than the
 * record's own pixel_count are the caller's fault and are not caught.
 *
 * Null pointers.  A null image is ignored (Records), and so is null data by
 * the image canvas kind's create_canvas.  The canvas pointer is tested only by
 * the pattern and the stipple, which ignore a null canvas and one that does
 * not begin with "VG"; the other functions hand it to the canvas library as
 * it is.  A null plane or palette within a record is handed on by the Puts,
 * the Gets, the stipple and the image canvas kind, and the canvas library
 * decides; the pattern ignores a record lacking one it reads (Records).
 *
 * Ownership.  Canvases and images always belong to the caller, who makes and
 * disposes of them with the canvas and imaging libraries.  vgzo never frees,
 * copies or keeps them and holds no memory between calls.  The canvas library
 * may keep what it is handed: a canvas made through vgContextZoImage works on
 * the image's planes, and a stipple is the image's own plane.
 *
 * Threads.  vgzo has no lock and no state but the context record of
 * vgContextZoImage, whose operations[0] it writes once at most (see there).
 * Every function may be called from any thread; calls on one canvas are as
 * safe as the canvas library's own calls on it. */
#ifndef VGZO_VGZO_H
#define VGZO_VGZO_H

#include "vg.h"
#include "zo.h"

/* This header's version; the library's file names carry the major one. */
#define VGZO_VERSION_MAJOR 1
#define VGZO_VERSION_MINOR 0
#define VGZO_VERSION_PATCH 0
#define VGZO_VERSION_STRING "1.0.0"

/* The eight exports: plain C names, the platform's standard calling
 * convention.  On Windows the DLL exports them and its clients import them;
 * elsewhere they are the shared library's only symbols of default
 * visibility, all of the symbol version VGZO_1.0.  A static vgzo is built,
 * and its clients compiled, with VGZO_STATIC defined (its CMake target and
 * its vgzo.pc say so): then they are plain declarations. */
#if defined(VGZO_STATIC)
#define VGZO_API
#elif defined(_WIN32)
#if defined(VGZO_BUILDING_LIBRARY)
#define VGZO_API __declspec(dllexport)
#else
#define VGZO_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define VGZO_API __attribute__((visibility("default")))
#else
#define VGZO_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Drawing.
 *
 * vgCanvasPutZoImage, vgfCanvasPutZoImage, qmCanvasPutZoImage: draw the whole
 * image into the canvas area x, y, w, h, in the canvas library's integer
 * (vg), double (vgf) or second double (qm) coordinates.  The image is scaled
 * to the area; where it lands and how it blends is the canvas library's.
 *
 * Calls, one per image, of the family's function:
 *   sample_type 0, color_space 0, has_alpha 0:     <family>CanvasPutImageRectRGB
 *       with planes[0], planes[1], planes[2];
 *   sample_type 0, color_space 0, has_alpha not 0: <family>CanvasPutImageRectRGBA
 *       with planes[0] to planes[3];
 *   sample_type 0, color_space 1, 2 or 3:          <family>CanvasPutImageRectMap
 *       with planes[0] and palette (has_alpha is not read);
 * each with the canvas, width and height first, x, y, w, h unchanged (also 0
 * or negative), and 0, 0, 0, 0 last: the whole image.
 * Ignored, with no call: any other sample_type or color_space, a null image or
 * planes array, and planes that cannot hold width x height samples (Records).
 * The canvas is not tested.  The image is read during the call only. */
VGZO_API void vgCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, int32_t x, int32_t y,
                                 int32_t w, int32_t h);
VGZO_API void vgfCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, double x, double y,
                                  double w, double h);
VGZO_API void qmCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, double x, double y,
                                 double w, double h);

/* Reading.
 *
 * vgCanvasGetZoImage, qmCanvasGetZoImage: read the canvas area at x, y (vg or
 * qm coordinates) of the image's own width x height into its planes[0],
 * planes[1] and planes[2]: one call of vgCanvasGetImageRGB or
 * qmCanvasGetImageRGB with the canvas, the three planes, x, y, width, height.
 * Only an RGB image of byte samples (color_space 0, sample_type 0) is read
 * into, and only if its planes hold width x height samples (Records): any
 * other image lacks three planes that take the area, so for it nothing is
 * called and nothing written, nor for a null image or planes array.  No
 * field but these is read, and an alpha plane is left as it is.  The canvas
 * is not tested. */
VGZO_API void vgCanvasGetZoImage(vgCanvas *canvas, zoImage *image, int32_t x, int32_t y);
VGZO_API void qmCanvasGetZoImage(vgCanvas *canvas, zoImage *image, double x, double y);

/* Canvases over an image.
 *
 * vgContextZoImage: the image canvas kind.  Hand the returned record, with a
 * zoImage as the data, to the canvas library's canvas creation; the canvas is
 * then made over the image's own planes, and whatever is drawn on it lands in
 * the image.  The record is static: the same address on every call, never to
 * be freed or changed.  Its flags (0xC7FFFFFB) and kind (2) are vgzo's own;
 * operations[0] is the canvas library's RGB image kind's (vgContextImageRGB),
 * fetched on the first call and fetched again on every call for as long as
 * that slot is null; the record's operations[0] stays null meanwhile and is
 * not written.
 *
 * What the canvas creation then calls: for an RGB image of byte samples, the
 * image's "ResolutionUnit" text and, if there is one, element 0 of its
 * "XResolution" reals give the resolution in pixels per millimetre
 * (XResolution / 25.4 when the unit's first three characters are "DPI",
 * XResolution / 10 for any other unit, none for an XResolution of 0), and
 * the RGB image kind's create_canvas is called with the creation text of
 * vg.h (vgContextImageRGB): the image's width, height and planes, the alpha
 * plane and -a when has_alpha is not 0, and that resolution, written by the
 * C runtime's formatted printing under the current locale (%d, %p, %g).  Any other
 * image is neither read nor handed on, nor is a null image or planes array
 * or a record whose planes cannot hold width x height samples (Records), and
 * the canvas is not set up.
 *
 * Lifetime: the image must outlive every canvas made over it, and its planes
 * must not be moved or freed while such a canvas exists.  Dispose of the
 * canvas before freeing the image.
 *
 * Threads: any number of threads may call it at once, first calls included.
 * The record is written once at most: operations[0] goes from null to the
 * RGB image kind's operations[0] in the first call that finds that non-null
 * (an atomic compare-and-exchange, after the kind's create_canvas is stored
 * for vgzo's own use) and is never stored again; every other field is fixed
 * from load, and while the kind's operations[0] is null nothing in the record
 * is written at all.  So the canvas library may read the record with plain
 * loads from any thread, but for a read of operations[0] that overlaps the
 * call that fills it: make one call before starting threads that use the
 * record. */
VGZO_API vgContext *vgContextZoImage(void);

/* Fills.
 *
 * vgCanvasPatternZoImage: set the canvas's fill pattern from an image of byte
 * samples (sample_type 0), width x height colours line by line, through one
 * call of vgCanvasPattern with the canvas, width, height and a colour array
 * of vgzo's own, freed before this function returns (the canvas library
 * copies what it keeps).  The colours, pixel by pixel in order:
 *   color_space 0, has_alpha 0:     vgEncodeColor(red, green, blue), one call a pixel;
 *   color_space 0, has_alpha not 0: vgEncodeColorAlpha(red, green, blue, alpha);
 *   color_space 1, 2 or 3:          palette[index] (has_alpha is not read);
 *   any other color_space:          0 for every pixel: the pattern is set,
 *                                   all zero.
 * Entries past pixel_count are 0, so a record whose pixel_count falls short
 * of width x height still hands on width x height entries.
 * Ignored, with no call: a null canvas or one not beginning with "VG", a null
 * image or planes array, any other sample_type, a negative pixel_count, a
 * width x height above 2^31 - 1 (nothing is reserved for it), a null plane,
 * alpha plane or palette that the colours above would be taken from, and an
 * array that cannot be allocated (nothing is set then).  A large array lives
 * in memory mapped for the call alone, released before it returns. */
VGZO_API void vgCanvasPatternZoImage(vgCanvas *canvas, const zoImage *image);

/* vgCanvasStippleZoImage: set the canvas's stipple mask from an image of
 * colour space 3 with byte samples: one call of vgCanvasStipple with the
 * canvas, width, height and planes[0] itself, not a copy.  If the canvas
 * library keeps the mask, the image must outlive its use as the stipple.
 * Ignored, with no call: a null canvas or one not beginning with "VG", a null
 * image or planes array, a plane that cannot hold width x height samples
 * (Records), and any other image. */
VGZO_API void vgCanvasStippleZoImage(vgCanvas *canvas, const zoImage *image);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VGZO_VGZO_H */
