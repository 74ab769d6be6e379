// The library's exports: the filter table and the notice text.
#include "ImageFilters.h"

#include <cstdlib>

extern "C" {

ZR_IMAGE_API ImageService* ZRCreateImageService(void)
{
    auto* service = static_cast<ImageService*>(std::malloc(sizeof(ImageService)));
    if (!service)
        return nullptr;
    service->AdjustBrightness = ImageFilters::AdjustBrightness;
    service->AdjustContrast = ImageFilters::AdjustContrast;
    service->AdjustSaturation = ImageFilters::AdjustSaturation;
    service->Emboss = ImageFilters::Emboss;
    service->Negative = ImageFilters::Negative;
    service->FlipVertical = ImageFilters::FlipVertical;
    service->MirrorHorizontal = ImageFilters::MirrorHorizontal;
    return service;
}

ZR_IMAGE_API void ZRFreeImageService(ImageService* service)
{
    std::free(service);
}

ZR_IMAGE_API const char* ZRGetImageCopyright(void)
{
    return "ZR_Image RGB filters. Copyright (C) Tarvelin. All rights reserved.";
}

}
