/* SPDX-License-Identifier: MIT */
/* A C11 client: the public header compiles as C (with the project's strict
 * warnings) and every export links and runs. */
#include <stdio.h>

#include "vg_standin.h"
#include "vgzo/vgzo.h"
#include "zo_standin.h"

int main(void) {
    vgCanvas *canvas = vgCanvasCreate(4, 4);
    zoImage *image = zoImageCreateRGB(2, 2, 0);
    zoImage *mask = zoImageCreateIndexed(2, 2, ZO_COLOR_SPACE_INDEXED3);
    if (canvas == NULL || image == NULL || mask == NULL) {
        return 1;
    }
    image->planes[0][0] = 200;
    vgCanvasPutZoImage(canvas, image, 0, 0, 2, 2);
    vgfCanvasPutZoImage(canvas, image, 2.0, 0.0, 2.0, 2.0);
    qmCanvasPutZoImage(canvas, image, 0.0, 0.0, 2.0, 2.0);
    vgCanvasGetZoImage(canvas, image, 2, 0);
    qmCanvasGetZoImage(canvas, image, 2.0, 2.0);
    vgCanvasPatternZoImage(canvas, image);
    vgCanvasStippleZoImage(canvas, mask);

    vgContext *context = vgContextZoImage();
    vgCanvas *image_canvas = vgCanvasCreateWithContext(context, image);
    int failed = image_canvas == NULL || vgCanvasPixel(canvas, 0, 2) != 0xFFC80000u;
    if (image_canvas != NULL) {
        vgCanvasDestroy(image_canvas);
    }
    zoImageFree(mask);
    zoImageFree(image);
    vgCanvasDestroy(canvas);
    if (failed) {
        puts("C client: unexpected result");
    }
    return failed;
}
