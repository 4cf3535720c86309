/* SPDX-License-Identifier: MIT */
/* A program built only from an installed vgzo and installed canvas and imaging
 * libraries: draws an image on a canvas, reads the area back into another
 * image and checks the pixels.  Exits 0 when all is as expected. */
#include <stdio.h>

#include <vg_standin.h>
#include <vgzo/vgzo.h>
#include <zo_standin.h>

int main(void) {
    vgCanvas *canvas = vgCanvasCreate(4, 4);
    zoImage *image = zoImageCreateRGB(2, 2, 0);
    zoImage *back = zoImageCreateRGB(2, 2, 0);
    if (canvas == NULL || image == NULL || back == NULL) {
        puts("install client: creation failed");
        return 1;
    }
    for (int32_t i = 0; i < image->pixel_count; ++i) {
        image->planes[0][i] = 200; /* red */
        image->planes[2][i] = 10;  /* blue */
    }

    /* The 2 x 2 image lands on 1..2, 1..2 of the black canvas. */
    vgCanvasPutZoImage(canvas, image, 1, 1, 2, 2);
    vgCanvasGetZoImage(canvas, back, 0, 0);

    int failed = 0;
    if (vgCanvasPixel(canvas, 1, 1) != 0xFFC8000Au || vgCanvasPixel(canvas, 2, 2) != 0xFFC8000Au) {
        puts("install client: drawn pixel wrong");
        failed = 1;
    }
    if (vgCanvasPixel(canvas, 0, 0) != 0xFF000000u || vgCanvasPixel(canvas, 3, 3) != 0xFF000000u) {
        puts("install client: pixel outside the image changed");
        failed = 1;
    }
    /* back holds the canvas at 0..1, 0..1: black but for its last pixel. */
    if (back->planes[0][0] != 0 || back->planes[0][3] != 200 || back->planes[2][3] != 10 ||
        back->planes[1][3] != 0) {
        puts("install client: read-back pixel wrong");
        failed = 1;
    }

    zoImageFree(back);
    zoImageFree(image);
    vgCanvasDestroy(canvas);
    return failed;
}
