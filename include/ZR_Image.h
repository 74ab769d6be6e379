/* ZR_Image: in-place filters on packed 24-bit RGB images, as one table of
 * plain function pointers.
 *
 * The image belongs to the caller throughout; the filters keep no state,
 * allocate nothing and take no lock. Every slot changes the image in place
 * and returns the pointer it was given. A null image, null pixels or a width
 * or height below 1 leave everything unchanged. Levels are percentages from
 * -100 to 100; a level outside counts as the nearer end. */
#ifndef ZR_IMAGE_H
#define ZR_IMAGE_H

#if defined(_WIN32)
#define ZR_IMAGE_API __declspec(dllexport)
#else
#define ZR_IMAGE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* width x height pixels of three bytes (red, green, blue), row 0 first, no
 * padding between rows. */
typedef struct ImageBuffer {
    unsigned char* pixels;
    int width;
    int height;
} ImageBuffer;

/* The filter table, 7 slots in this order. Slots 0 and 2 ignore their second
 * argument and take the level as the third; slot 1 takes it as the second. */
typedef struct ImageService {
    ImageBuffer* (*AdjustBrightness)(ImageBuffer* image, int unused, int level);
    ImageBuffer* (*AdjustContrast)(ImageBuffer* image, int level);
    ImageBuffer* (*AdjustSaturation)(ImageBuffer* image, int unused, int level);
    ImageBuffer* (*Emboss)(ImageBuffer* image);
    ImageBuffer* (*Negative)(ImageBuffer* image);
    ImageBuffer* (*FlipVertical)(ImageBuffer* image);
    ImageBuffer* (*MirrorHorizontal)(ImageBuffer* image);
} ImageService;

/* A table from malloc, released by ZRFreeImageService; null when it cannot be
 * allocated. */
ZR_IMAGE_API ImageService* ZRCreateImageService(void);
ZR_IMAGE_API void ZRFreeImageService(ImageService* service);
/* A static notice text; not to be freed. */
ZR_IMAGE_API const char* ZRGetImageCopyright(void);

#ifdef __cplusplus
}
#endif

#endif
