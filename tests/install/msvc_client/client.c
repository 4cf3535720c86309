/* SPDX-License-Identifier: MIT */
/* A client built by a toolchain of Microsoft's ABI (clang for
 * x86_64-pc-windows-msvc, linked by lld-link against vgzo.lib alone and
 * import libraries of the stand-ins), without the Windows SDK or a C
 * runtime: its own entry point, whose result is the exit status.  It checks
 * the image canvas kind's record, draws an image on a canvas and draws into
 * an image through a canvas made over it. */
#include <vgzo/vgzo.h>

#include <vg_standin.h>
#include <zo_standin.h>

enum { kOk = 0, kContext = 1, kCreation = 2, kDrawn = 3, kImageCanvas = 4 };

static int draw_on_a_canvas(void) {
    vgCanvas *canvas = vgCanvasCreate(4, 4);
    zoImage *image = zoImageCreateRGB(1, 1, 0);
    if (canvas == 0 || image == 0) {
        return kCreation;
    }
    image->planes[0][0] = 200; /* red */
    vgCanvasPutZoImage(canvas, image, 1, 1, 2, 2);
    const int drawn =
        vgCanvasPixel(canvas, 2, 2) == 0xFFC80000u && vgCanvasPixel(canvas, 0, 0) == 0xFF000000u;
    zoImageFree(image);
    vgCanvasDestroy(canvas);
    return drawn ? kOk : kDrawn;
}

static int draw_into_an_image(const vgContext *context) {
    zoImage *target = zoImageCreateRGB(2, 2, 0);
    zoImage *image = zoImageCreateRGB(1, 1, 0);
    if (target == 0 || image == 0) {
        return kCreation;
    }
    image->planes[2][0] = 99; /* blue */
    vgCanvas *over = vgCanvasCreateWithContext(context, target);
    int result = kImageCanvas;
    if (over != 0) {
        vgCanvasPutZoImage(over, image, 0, 0, 2, 2);
        vgCanvasDestroy(over);
        result = target->planes[2][3] == 99 ? kOk : kImageCanvas;
    }
    zoImageFree(image);
    zoImageFree(target);
    return result;
}

int client_start(void) {
    const vgContext *context = vgContextZoImage();
    if (context == 0 || context->flags != 0xC7FFFFFBu || context->kind != 2 ||
        context->operations[0] == 0) {
        return kContext;
    }
    const int drawn = draw_on_a_canvas();
    return drawn != kOk ? drawn : draw_into_an_image(context);
}
