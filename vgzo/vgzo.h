/* vgzo: draw imaging-library images (zoImage) on canvas-library canvases
 * (vgCanvas), read canvas areas back into images, use images as fill patterns
 * and stipples, and make canvases that draw straight into an image.
 *
 * Every function takes the canvas first and the image second, reports nothing
 * and returns nothing (but vgContextZoImage, which returns the context record).
 * Input an operation cannot handle is ignored without any canvas call.
 *
 * Ownership: canvases and images always belong to the caller.  The library
 * never frees, copies or keeps them; it holds no memory between calls.
 *
 * Threads: every function may be called from any thread.  Concurrent calls on
 * one canvas are as safe as the canvas library's own calls on it. */
#ifndef VGZO_VGZO_H
#define VGZO_VGZO_H

#include "vg.h"
#include "zo.h"

/* The eight exports: plain C names, the platform's standard calling
 * convention.  On Windows the DLL exports them and its clients import them;
 * elsewhere they are the library's only symbols of default visibility. */
#if defined(_WIN32)
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

/* Draw the whole image into x, y, w, h of the canvas (integer, double and qm
 * coordinates).  Handled: byte samples (sample_type 0) of colour space 0, RGB,
 * drawn with its alpha plane when has_alpha is non-zero, and of the indexed
 * spaces 1 to 3, drawn through the palette.  Any other image is ignored.
 * The coordinates reach the canvas library unchanged, also when w or h is 0 or
 * negative.  The canvas is not checked. */
VGZO_API void vgCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, int32_t x, int32_t y,
                                 int32_t w, int32_t h);
VGZO_API void vgfCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, double x, double y,
                                  double w, double h);
VGZO_API void qmCanvasPutZoImage(vgCanvas *canvas, const zoImage *image, double x, double y,
                                 double w, double h);

/* Read the canvas area at x, y of the image's own width x height into the
 * image's red, green and blue planes.
 * Only an RGB image of byte samples (color_space 0, sample_type 0) is read
 * into; for any other image nothing is called and nothing is written, since
 * such an image does not have three colour planes of pixel_count bytes. */
VGZO_API void vgCanvasGetZoImage(vgCanvas *canvas, zoImage *image, int32_t x, int32_t y);
VGZO_API void qmCanvasGetZoImage(vgCanvas *canvas, zoImage *image, double x, double y);

/* The image canvas kind.  Hand the returned record, with a zoImage as the
 * data, to the canvas library's canvas creation: the canvas is then made over
 * the image's own planes, and whatever is drawn on it lands in the image.
 * The image's "ResolutionUnit" and "XResolution" attributes give the canvas
 * its resolution.  Only RGB images of byte samples are accepted; for any other
 * image the canvas is not set up.
 *
 * Lifetime: the image must outlive every canvas made over it, and its planes
 * must not be moved or freed while such a canvas exists.  Dispose of the
 * canvas before freeing the image.
 *
 * Threads: the first call fetches the canvas library's RGB image kind; any
 * number of threads may make their first call at once.  The same address is
 * returned on every call. */
VGZO_API vgContext *vgContextZoImage(void);

/* Set the canvas's fill pattern from a byte image: RGB (with alpha when
 * has_alpha is non-zero) or indexed through the palette.  A byte image of
 * another colour space sets an all-zero pattern of width x height.  A null
 * canvas, one that does not begin with "VG", and images of other sample types
 * are ignored.  The colours are converted into a temporary array, freed
 * before the call returns; if it cannot be allocated nothing is set. */
VGZO_API void vgCanvasPatternZoImage(vgCanvas *canvas, const zoImage *image);

/* Set the canvas's stipple mask from an image of colour space 3 with byte
 * samples; any other image, and any canvas that fails the test above, is
 * ignored.  The image's own plane is handed over, not a copy: if the canvas
 * library keeps it, the image must outlive its use as the canvas's stipple. */
VGZO_API void vgCanvasStippleZoImage(vgCanvas *canvas, const zoImage *image);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VGZO_VGZO_H */
