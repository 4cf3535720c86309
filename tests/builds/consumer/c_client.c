/* SPDX-License-Identifier: MIT */
/* The consuming project's program: draws through vgzo and checks a pixel. */
#include <stdio.h>

#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

int main(void) {
    vgCanvas *canvas = vgCanvasCreate(2, 2);
    zoImage *image = zoImageCreateRGB(1, 1, 0);
    if (canvas == NULL || image == NULL) {
        return 1;
    }
    image->planes[1][0] = 255; /* green */
    vgCanvasPutZoImage(canvas, image, 1, 1, 1, 1);
    const int ok =
        vgCanvasPixel(canvas, 1, 1) == 0xFF00FF00u && vgCanvasPixel(canvas, 0, 0) == 0xFF000000u;
    zoImageFree(image);
    vgCanvasDestroy(canvas);
    puts(ok ? "consumer: drew through vgzo" : "consumer: wrong pixel");
    return ok ? 0 : 1;
}
