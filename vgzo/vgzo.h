/* SPDX-License-Identifier: MIT */
/* vgzo: draw imaging-library images on canvas-library canvases.  The eight
 * functions below are the whole interface.  Each but vgContextZoImage takes a
 * canvas of the canvas library (vgCanvas, vg.h) and an image of the imaging
 * library (zoImage, zo.h), and hands the image's own planes and palette to the
 * canvas library function that fits its format (colour space, sample type,
 * alpha flag): nothing is copied or converted but a pattern's colours.
 * Nothing is reported: no status, no errno, no message.
 *
 * Records.  The imaging library makes every zoImage with a planes array,
 * planes of pixel_count = width x height samples, and the planes and palette
 * its format calls for (zo.h).  Of the records it would never make, vgzo
 * ignores (x: no call, no plane read or written) those it can tell, and hands
 * the rest on (-) for the canvas library to judge:
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
 * (3) x if the pattern would take the colours from it, - if not.
 *
 * What vgzo cannot see is the caller's to get right: the planes array holds
 * an address for every plane of the format (3 for RGB, 4 if has_alpha is
 * anything but 0, 1 for indexed), and each plane pixel_count samples or more.
 *
 * Ownership.  Canvases and images belong to the caller, who makes and disposes
 * of them with the canvas and imaging libraries.  vgzo never frees, copies or
 * keeps them and holds no memory between calls.  The canvas library may keep
 * what it is handed (a canvas over an image, a stipple).
 *
 * Threads.  Every function may be called from any thread; calls on one canvas
 * are as safe as the canvas library's own calls on it.  vgzo has no lock and
 * no state but the record vgContextZoImage returns. */
#ifndef VGZO_VGZO_H
#define VGZO_VGZO_H

#include "vg.h"
#include "zo.h"

/* Version.  The version of this header; the library's file names carry the
 * major one. */
#define VGZO_VERSION_MAJOR 1
#define VGZO_VERSION_MINOR 0
#define VGZO_VERSION_PATCH 0
#define VGZO_VERSION_STRING "1.0.0"

/* Linking.  The functions are plain C names of the platform's standard calling
 * convention: the DLL's exports on Windows, elsewhere the shared library's only
 * symbols of default visibility, of symbol version VGZO_1.0.  A static vgzo and
 * its clients are compiled with VGZO_STATIC, as vgzo::vgzo and vgzo.pc do. */
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

/* vgCanvasPutZoImage, vgfCanvasPutZoImage, qmCanvasPutZoImage: draw an image
 * into a canvas area.  The whole image is drawn, scaled to it, into the area
 * x, y, w, h of the canvas, in the canvas library's integer (vg), double (vgf)
 * or second double (qm) coordinates; where it lands and how it blends is the
 * canvas library's.  One call of the family's function, by the image's format:
 *   sample_type 0, color_space 0, has_alpha 0:     <family>CanvasPutImageRectRGB
 *       with planes[0], planes[1], planes[2];
 *   sample_type 0, color_space 0, has_alpha not 0: <family>CanvasPutImageRectRGBA
 *       with planes[0] to planes[3];
 *   sample_type 0, color_space 1, 2 or 3:          <family>CanvasPutImageRectMap
 *       with planes[0] and palette (has_alpha is not read);
 * each with the canvas, width and height first, x, y, w, h unchanged (also 0
 * or negative), and 0, 0, 0, 0 last.  The image is read during the call only.
 *
 * Ignored: any other sample_type or color_space, and the records marked x in
 * Records. */
VGZO_API void vgCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, int32_t x, int32_t y,
                                 int32_t w, int32_t h);
VGZO_API void vgfCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, double x, double y,
                                  double w, double h);
VGZO_API void qmCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, double x, double y,
                                 double w, double h);

/* vgCanvasGetZoImage, qmCanvasGetZoImage: read a canvas area into an RGB image.
 * The area at x, y (vg or qm coordinates) of the image's own width x height is
 * read into its planes[0], planes[1] and planes[2]: one call of
 * vgCanvasGetImageRGB or qmCanvasGetImageRGB with the canvas, the three planes,
 * x, y, width, height.  Nothing but those three planes is written.
 *
 * Ignored: any image but an RGB image of byte samples (color_space 0,
 * sample_type 0), and the records marked x in Records. */
VGZO_API void vgCanvasGetZoImage(vgCanvas *canvas, zoImage *image, int32_t x, int32_t y);
VGZO_API void qmCanvasGetZoImage(vgCanvas *canvas, zoImage *image, double x, double y);

/* vgContextZoImage: the canvas kind whose canvases draw into an image.  Hand
 * the returned record, with a zoImage as the data, to the canvas library's
 * canvas creation: the canvas is made over the image's own planes, and what is
 * drawn on it lands in the image.  The image must outlive every canvas made
 * over it, its planes neither moved nor freed while one exists.
 *
 * For an RGB image of byte samples, canvas creation calls the RGB image kind's
 * (vgContextImageRGB) create_canvas with the creation text of vg.h: width,
 * height and planes, the alpha plane and -a if has_alpha is not 0, and the
 * resolution in pixels per millimetre: element 0 of the "XResolution" reals
 * over 25.4 if the "ResolutionUnit" text begins "DPI", over 10 for any other
 * unit, none without a unit or for an XResolution of 0.  The text is written
 * by the C runtime's formatted printing (%d, %p, %g) under the current locale.
 *
 * Returns the address of a static record, the same on every call, never to be
 * freed or changed.  Its flags (0xC7FFFFFB) and kind (2) are vgzo's own;
 * operations[0] is null until a call finds the RGB image kind's set, and that
 * one from then on: the only write to the record.
 *
 * Threads.  Make one call before starting threads that use the record.  Any
 * number of threads may call at once, first calls included, and a thread may
 * read the record with plain loads once a call of its own has returned; a
 * read of operations[0] that overlaps the call that fills it is a race.
 *
 * Ignored: any other image and the records marked x in Records; the canvas is
 * then not set up. */
VGZO_API vgContext *vgContextZoImage(void);

/* vgCanvasPatternZoImage: set a canvas's fill pattern from an image.  For an
 * image of byte samples (sample_type 0): one call of vgCanvasPattern with the
 * canvas, width, height and width x height colours, line by line, in an array
 * of vgzo's own, freed before it returns.  The colours, pixel by pixel:
 *   color_space 0, has_alpha 0:     vgEncodeColor(red, green, blue), one call a pixel;
 *   color_space 0, has_alpha not 0: vgEncodeColorAlpha(red, green, blue, alpha);
 *   color_space 1, 2 or 3:          palette[index] (has_alpha is not read);
 *   any other color_space:          0 for every pixel: the pattern is set, all zero.
 * Entries past pixel_count, where it falls short of width x height, are 0.
 *
 * Ignored, with no call: any other sample_type, the records marked x or (3)
 * in Records, and an array that cannot be allocated (nothing is set then). */
VGZO_API void vgCanvasPatternZoImage(vgCanvas *canvas, const zoImage *image);

/* vgCanvasStippleZoImage: set a canvas's stipple mask from an image.  For an
 * image of colour space 3 with byte samples: one call of vgCanvasStipple with
 * the canvas, width, height and planes[0] itself, not a copy.  If the canvas
 * library keeps the mask, the image must outlive its use as the stipple.
 *
 * Ignored: any other image, and the records marked x in Records. */
VGZO_API void vgCanvasStippleZoImage(vgCanvas *canvas, const zoImage *image);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VGZO_VGZO_H */
