// SPDX-License-Identifier: MIT
// Reading a canvas area back into an image.
#include "image_format_p.h"

// The area read is always the image's own size.  Only an RGB image of byte
// samples has the three planes the canvas writes into, and only if they hold
// width x height samples; any other image is left alone rather than written
// past its planes, and a null image or planes array has nowhere to write.
VGZO_API_IMPL void vgCanvasGetZoImage(vgCanvas *canvas, zoImage *image, int32_t x, int32_t y) {
    if (!vgzo::planes_cover_image(image) || !vgzo::is_rgb_byte_image(image)) {
        return;
    }
    uint8_t *const *planes = image->planes;
    vgCanvasGetImageRGB(canvas, planes[0], planes[1], planes[2], x, y, image->width, image->height);
}

VGZO_API_IMPL void qmCanvasGetZoImage(vgCanvas *canvas, zoImage *image, double x, double y) {
    if (!vgzo::planes_cover_image(image) || !vgzo::is_rgb_byte_image(image)) {
        return;
    }
    uint8_t *const *planes = image->planes;
    qmCanvasGetImageRGB(canvas, planes[0], planes[1], planes[2], x, y, image->width, image->height);
}
