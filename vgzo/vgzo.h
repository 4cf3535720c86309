/* SPDX-License-Identifier: MIT */
/* vgzo 1.0: draw images of the imaging library (zoImage, zo.h) on canvases of
 * the canvas library (vgCanvas, vg.h), read canvas areas back into images,
 * make fill patterns and stipple masks of images, and make canvases that draw
 * straight into an image's own memory.
 *
 * The eight functions below are the whole interface.  Each takes the canvas
 * first and the image second (vgContextZoImage, which returns a canvas kind,
 * a vgContext, takes nothing) and hands the image's own planes and palette to
 * the canvas library function that fits the image's format (colour space,
 * sample type, alpha flag): nothing is copied or converted but the colours of
 * a pattern.  Nothing is reported: no status, no errno, no message.  An image
 * a function cannot handle is ignored as its comment says, with no canvas
 * call but the pattern's all-zero one.
 *
 * Records.  The imaging library makes every zoImage with a planes array,
 * planes of pixel_count = width x height samples, and the planes and palette
 * its format calls for (zo.h).  Of the records it would never make, vgzo
 * ignores (x: no call, no plane read or written) those it can tell, rather
 * than let itself or the canvas library read or write past the image, and
 * hands the rest on (-) for the canvas library to judge:
 *                                        Puts  Gets  Kind  Pattern  Stipple
 *   null image or planes array              x     x     x      x        x
 *   planes shorter than the area (1)        x     x     x      -        x
 *   negative pixel_count                    x     x     x      x        x
 *   width x height above 2^31 - 1 (2)       x     x     x      x        x
 *   null plane, alpha plane or palette      -     -     -     (3)       -
 *   null canvas, or no leading "VG"         -     -     -      x        x
 * Kind: the create_canvas of vgContextZoImage's kind, whose data is the
 * image.  (1) Width and height above 0 and pixel_count less than width x
 * height (taken without overflow); a record with a width or height of 0 or
 * less is handed on.  The pattern reads no more than pixel_count samples of a
 * plane.  (2) More than any pixel_count: the pattern reserves nothing for it.
 * (3) Ignored if the colours would be taken from it.
 * What vgzo cannot see is the caller's to get right: the planes array holds
 * an address for every plane of the format (3 for RGB, 4 if has_alpha is
 * anything but 0, 1 for indexed), and each plane pixel_count samples or more.
 *
 * Ownership.  Canvases and images belong to the caller, who makes and disposes
 * of them with the canvas and imaging libraries.  vgzo never frees, copies or
 * keeps them and holds no memory between calls.  The canvas library may keep
 * what it is handed: a canvas made through vgContextZoImage works on the
 * image's planes, and a stipple is the image's own plane.
 *
 * Threads.  Every function may be called from any thread; calls on one canvas
 * are as safe as the canvas library's own calls on it.  vgzo has no lock and
 * no state but the record of vgContextZoImage, written once at most. */
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
 * or negative), and 0, 0, 0, 0 last: the whole image.  Ignored: any other
 * sample_type or color_space, and the records marked x in Records.  The
 * canvas is not tested.  The image is read during the call only. */
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
 * Only an RGB image of byte samples (color_space 0, sample_type 0) has three
 * planes that take the area.  Ignored: any other image, and the records
 * marked x in Records.  No field but these is read, and an alpha plane is
 * left as it is.  The canvas is not tested. */
VGZO_API void vgCanvasGetZoImage(vgCanvas *canvas, zoImage *image, int32_t x, int32_t y);
VGZO_API void qmCanvasGetZoImage(vgCanvas *canvas, zoImage *image, double x, double y);

/* Canvases over an image.
 *
 * vgContextZoImage: the image canvas kind.  Hand the returned record, with a
 * zoImage as the data, to the canvas library's canvas creation: the canvas is
 * made over the image's own planes, and what is drawn on it lands in the image.
 *
 * Lifetime: the image must outlive every canvas made over it, and its planes
 * must not be moved or freed while such a canvas exists.  Dispose of the
 * canvas before freeing the image.
 *
 * Threads: make one call before starting threads that use the record.  Any
 * number of threads may call it at once, first calls included, and a thread
 * may read the record with plain loads once a call of its own has returned.
 * A read of operations[0] that overlaps the call that fills it is a race (and
 * the thread sanitizer flags one that overlaps any other thread's first call).
 *
 * The record is static: the same address on every call, never to be freed or
 * changed.  Its flags (0xC7FFFFFB) and kind (2) are vgzo's own; operations[0]
 * is the RGB image kind's (vgContextImageRGB), fetched on the first call and
 * again on every call while the kind's is null, when nothing in the record is
 * written.  Only operations[0] is ever written, once at most, from null.
 *
 * Canvas creation then calls, for an RGB image of byte samples, the RGB image
 * kind's create_canvas with the creation text of vg.h (vgContextImageRGB):
 * the image's width, height and planes, the alpha plane and -a when has_alpha
 * is not 0, and the resolution in pixels per millimetre, from the
 * "ResolutionUnit" text and, if there is one, element 0 of the "XResolution"
 * reals: XResolution / 25.4 when the unit's first three characters are
 * "DPI", XResolution / 10 for any other unit, none for an XResolution of 0.
 * The text is written by the C runtime's formatted printing under the current
 * locale (%d, %p, %g).  Any other image, and the records marked x in Records,
 * are neither read nor handed on, and the canvas is not set up. */
VGZO_API vgContext *vgContextZoImage(void);

/* Fills.
 *
 * vgCanvasPatternZoImage: set the canvas's fill pattern from an image of byte
 * samples (sample_type 0), width x height colours line by line, through one
 * call of vgCanvasPattern with the canvas, width, height and a colour array
 * of vgzo's own, freed before this function returns (the canvas library
 * copies what it keeps; a large array lives in memory mapped for the call
 * alone).  The colours, pixel by pixel in order:
 *   color_space 0, has_alpha 0:     vgEncodeColor(red, green, blue), one call a pixel;
 *   color_space 0, has_alpha not 0: vgEncodeColorAlpha(red, green, blue, alpha);
 *   color_space 1, 2 or 3:          palette[index] (has_alpha is not read);
 *   any other color_space:          0 for every pixel: the pattern is set,
 *                                   all zero.
 * Entries past pixel_count are 0, so a record whose pixel_count falls short
 * of width x height still hands on width x height entries.  Ignored, with no
 * call: any other sample_type, the records marked x in Records, and an array
 * that cannot be allocated (nothing is set then). */
VGZO_API void vgCanvasPatternZoImage(vgCanvas *canvas, const zoImage *image);

/* vgCanvasStippleZoImage: set the canvas's stipple mask from an image of
 * colour space 3 with byte samples: one call of vgCanvasStipple with the
 * canvas, width, height and planes[0] itself, not a copy.  If the canvas
 * library keeps the mask, the image must outlive its use as the stipple.
 * Ignored: any other image, and the records marked x in Records. */
VGZO_API void vgCanvasStippleZoImage(vgCanvas *canvas, const zoImage *image);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VGZO_VGZO_H */
