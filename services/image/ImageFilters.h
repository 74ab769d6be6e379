// The seven filters behind the image table, with the table's signatures.
#pragma once

#include "ZR_Image.h"

class ImageFilters {
public:
    static ImageBuffer* AdjustBrightness(ImageBuffer* image, int unused, int level);
    static ImageBuffer* AdjustContrast(ImageBuffer* image, int level);
    static ImageBuffer* AdjustSaturation(ImageBuffer* image, int unused, int level);
    static ImageBuffer* Emboss(ImageBuffer* image);
    static ImageBuffer* Negative(ImageBuffer* image);
    static ImageBuffer* FlipVertical(ImageBuffer* image);
    static ImageBuffer* MirrorHorizontal(ImageBuffer* image);
};
