#include "ImageFilters.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

// True when the image has pixels to work on.
bool Usable(const ImageBuffer* image)
{
    return image && image->pixels && image->width > 0 && image->height > 0;
}

// Pixel counts in 64 bits: width x height x 3 may exceed int.
size_t PixelCount(const ImageBuffer* image)
{
    return static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
}

int64_t LimitLevel(int level)
{
    return std::clamp<int64_t>(level, -100, 100);
}

unsigned char Clamp(int64_t value)
{
    return static_cast<unsigned char>(std::clamp<int64_t>(value, 0, 255));
}

// Replaces every sample p of the image by sample(p).
template <class Sample>
void MapSamples(ImageBuffer* image, Sample sample)
{
    unsigned char* p = image->pixels;
    const size_t samples = PixelCount(image) * 3;
    for (size_t i = 0; i < samples; ++i)
        p[i] = sample(p[i]);
}

void SwapPixels(unsigned char* a, unsigned char* b)
{
    std::swap(a[0], b[0]);
    std::swap(a[1], b[1]);
    std::swap(a[2], b[2]);
}

}  // namespace

ImageBuffer* ImageFilters::AdjustBrightness(ImageBuffer* image, int, int level)
{
    if (!Usable(image))
        return image;
    const int64_t v = LimitLevel(level) * 255 / 100;
    if (v == 0)
        return image;
    MapSamples(image, [v](int64_t s) {
        return Clamp(v > 0 ? s + (255 - s) * v / 255 : s + v * s / 255);
    });
    return image;
}

ImageBuffer* ImageFilters::AdjustContrast(ImageBuffer* image, int level)
{
    if (!Usable(image))
        return image;
    const long double ratio = static_cast<long double>(100 + LimitLevel(level)) / 100;
    const long double f = ratio * ratio;
    MapSamples(image, [f](unsigned char s) -> unsigned char {
        const long double x = ((s / 255.0L - 0.5L) * f + 0.5L) * 255.0L;
        return x < 0 ? 0 : x > 255 ? 255 : static_cast<unsigned char>(x);
    });
    return image;
}

ImageBuffer* ImageFilters::AdjustSaturation(ImageBuffer* image, int, int level)
{
    if (!Usable(image))
        return image;
    const int64_t s = LimitLevel(level) * 255 / 100;
    if (s == 0)
        return image;
    const size_t count = PixelCount(image);
    for (size_t i = 0; i < count; ++i) {
        unsigned char* px = image->pixels + i * 3;
        const int64_t hi = std::max({px[0], px[1], px[2]});
        const int64_t lo = std::min({px[0], px[1], px[2]});
        if (hi == lo)
            continue;
        const int64_t lightness = (hi + lo) / 2;
        const int64_t sat = lightness <= 127 ? (hi - lo) * 255 / (hi + lo)
                                             : (hi - lo) * 255 / (510 - hi - lo);
        int64_t a = s;
        if (s > 0) {
            // sat is at least 1 for a coloured pixel, and s + sat < 255
            // keeps 255 - s above 0.
            const int64_t target = s + sat < 255 ? 255 - s : sat;
            a = 65025 / target - 255;
        }
        for (int c = 0; c < 3; ++c)
            px[c] = Clamp(px[c] + a * (px[c] - lightness) / 255);
    }
    return image;
}

ImageBuffer* ImageFilters::Emboss(ImageBuffer* image)
{
    if (!Usable(image))
        return image;
    const size_t width = static_cast<size_t>(image->width);
    const size_t count = PixelCount(image);
    // Backwards, so each pixel's up-left neighbour still holds its old value.
    for (size_t k = count; k-- > width + 1;) {
        unsigned char* px = image->pixels + k * 3;
        const unsigned char* up = image->pixels + (k - width - 1) * 3;
        for (int c = 0; c < 3; ++c) {
            const int x = std::abs(px[c] - up[c] + 128);
            px[c] = static_cast<unsigned char>(x > 254 ? 255 : x <= 67 ? 67 : x);
        }
    }
    return image;
}

ImageBuffer* ImageFilters::Negative(ImageBuffer* image)
{
    if (!Usable(image))
        return image;
    MapSamples(image, [](unsigned char s) { return static_cast<unsigned char>(255 - s); });
    return image;
}

ImageBuffer* ImageFilters::FlipVertical(ImageBuffer* image)
{
    if (!Usable(image))
        return image;
    const size_t rowBytes = static_cast<size_t>(image->width) * 3;
    const size_t height = static_cast<size_t>(image->height);
    for (size_t j = 0; j < height / 2; ++j)
        std::swap_ranges(image->pixels + j * rowBytes, image->pixels + (j + 1) * rowBytes,
                         image->pixels + (height - 1 - j) * rowBytes);
    return image;
}

ImageBuffer* ImageFilters::MirrorHorizontal(ImageBuffer* image)
{
    if (!Usable(image))
        return image;
    const size_t width = static_cast<size_t>(image->width);
    const size_t height = static_cast<size_t>(image->height);
    for (size_t row = 0; row < height; ++row) {
        unsigned char* line = image->pixels + row * width * 3;
        for (size_t j = 0; j < width / 2; ++j)
            SwapPixels(line + j * 3, line + (width - 1 - j) * 3);
    }
    return image;
}
