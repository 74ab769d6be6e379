#include "ZR_Image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Pixels = std::vector<unsigned char>;

struct ServiceFree {
    void operator()(ImageService* s) const { ZRFreeImageService(s); }
};

class ImageFilters : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(service); }

    // Runs one filter on a copy of the pixels and returns the result.
    template <typename Filter>
    Pixels Apply(Pixels pixels, int width, int height, Filter filter)
    {
        ImageBuffer image{pixels.data(), width, height};
        EXPECT_EQ(filter(&image), &image);
        return pixels;
    }

    std::unique_ptr<ImageService, ServiceFree> service{ZRCreateImageService()};
};

// One pixel per sample value, the three samples equal where possible.
const Pixels kRamp = {0, 0, 0, 1, 2, 3, 100, 127, 128, 200, 254, 255};

Pixels Repeat(unsigned char value, size_t samples)
{
    return Pixels(samples, value);
}

}  // namespace

TEST_F(ImageFilters, Brightness)
{
    struct Case { int level; Pixels in; Pixels out; };
    const Case cases[] = {
        {100, kRamp, Repeat(255, 12)},
        {-100, kRamp, Repeat(0, 12)},
        {50, {0, 200, 255}, {127, 227, 255}},  // v = 127
        {-50, {0, 200, 255}, {0, 101, 128}},   // v = -127
        {0, kRamp, kRamp},
        {1000000000, kRamp, Repeat(255, 12)},   // far outside: the nearer end, no overflow
        {-2147483647 - 1, kRamp, Repeat(0, 12)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Apply(c.in, int(c.in.size() / 3), 1,
                        [&](ImageBuffer* i) { return service->AdjustBrightness(i, 12345, c.level); }),
                  c.out)
            << "level " << c.level;
}

TEST_F(ImageFilters, Contrast)
{
    struct Case { int level; Pixels in; Pixels out; };
    const Case cases[] = {
        {-100, kRamp, Repeat(127, 12)},                    // f = 0
        {100, {0, 63, 64, 127, 128, 191, 192, 255, 100},   // f = 4
         {0, 0, 0, 125, 129, 255, 255, 255, 17}},
        {-2000000000, kRamp, Repeat(127, 12)},
        {2000000000, {0, 63, 64, 127, 128, 191, 192, 255, 100}, {0, 0, 0, 125, 129, 255, 255, 255, 17}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Apply(c.in, int(c.in.size() / 3), 1,
                        [&](ImageBuffer* i) { return service->AdjustContrast(i, c.level); }),
                  c.out)
            << "level " << c.level;
}

TEST_F(ImageFilters, Saturation)
{
    struct Case { int level; Pixels in; Pixels out; };
    const Case cases[] = {
        // Grey pixels never change.
        {100, {0, 0, 0, 77, 77, 77, 255, 255, 255}, {0, 0, 0, 77, 77, 77, 255, 255, 255}},
        {-100, {90, 90, 90}, {90, 90, 90}},
        // -100 (a = -255): every pixel becomes its lightness.
        {-100, {200, 100, 50, 10, 20, 30}, {125, 125, 125, 20, 20, 20}},
        {-1000000000, {200, 100, 50}, {125, 125, 125}},
        // 50: s = 127, L = 125, S = 150 * 255 / 250 = 153; s + S >= 255, so
        // a = 65025 / 153 - 255 = 170.
        {50, {200, 100, 50}, {250, 84, 0}},
        // 10: s = 25, L = 120, S = 160 * 255 / 240 = 170; s + S < 255, so
        // a = 65025 / 230 - 255 = 27.
        {10, {200, 40, 120}, {208, 32, 120}},
        // Light pixel (L > 127): S = 50 * 255 / (510 - 400) = 115; s + S < 255,
        // so a = 65025 / 128 - 255 = 253.
        {50, {225, 175, 200}, {249, 151, 200}},
        {0, {200, 100, 50}, {200, 100, 50}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Apply(c.in, int(c.in.size() / 3), 1,
                        [&](ImageBuffer* i) { return service->AdjustSaturation(i, -7, c.level); }),
                  c.out)
            << "level " << c.level;
}

TEST_F(ImageFilters, EmbossComparesEachPixelWithItsOldUpLeftNeighbour)
{
    // A flat image: 128 wherever a neighbour exists, row 0 and the first
    // pixel of row 1 untouched.
    const Pixels flat = Repeat(90, 3 * 3 * 3);
    Pixels expected = flat;
    for (size_t k = 4; k < 9; ++k)
        expected[k * 3] = expected[k * 3 + 1] = expected[k * 3 + 2] = 128;
    EXPECT_EQ(Apply(flat, 3, 3, [&](ImageBuffer* i) { return service->Emboss(i); }), expected);

    // 2 x 2: only pixel 3 has a neighbour (pixel 0); |p - n + 128| is
    // limited to 67..255.
    const Pixels in = {10, 0, 150, 0, 0, 0, 0, 0, 0, 200, 255, 0};
    const Pixels out = {10, 0, 150, 0, 0, 0, 0, 0, 0, 255, 255, 67};
    EXPECT_EQ(Apply(in, 2, 2, [&](ImageBuffer* i) { return service->Emboss(i); }), out);

    // A single row has nothing to compare with.
    EXPECT_EQ(Apply(kRamp, 4, 1, [&](ImageBuffer* i) { return service->Emboss(i); }), kRamp);
}

TEST_F(ImageFilters, NegativeFlipAndMirror)
{
    const Pixels negated = Apply(kRamp, 4, 1, [&](ImageBuffer* i) { return service->Negative(i); });
    EXPECT_EQ(negated, (Pixels{255, 255, 255, 254, 253, 252, 155, 128, 127, 55, 1, 0}));
    EXPECT_EQ(Apply(negated, 4, 1, [&](ImageBuffer* i) { return service->Negative(i); }), kRamp);

    // Rows of one pixel each: rows 0/3 and 1/2 trade places; an odd middle stays.
    EXPECT_EQ(Apply(kRamp, 1, 4, [&](ImageBuffer* i) { return service->FlipVertical(i); }),
              (Pixels{200, 254, 255, 100, 127, 128, 1, 2, 3, 0, 0, 0}));
    EXPECT_EQ(Apply({1, 1, 1, 2, 2, 2, 3, 3, 3}, 1, 3,
                    [&](ImageBuffer* i) { return service->FlipVertical(i); }),
              (Pixels{3, 3, 3, 2, 2, 2, 1, 1, 1}));
    EXPECT_EQ(Apply(kRamp, 4, 1, [&](ImageBuffer* i) { return service->FlipVertical(i); }), kRamp);

    // Two rows of two pixels, then one row of three.
    EXPECT_EQ(Apply(kRamp, 2, 2, [&](ImageBuffer* i) { return service->MirrorHorizontal(i); }),
              (Pixels{1, 2, 3, 0, 0, 0, 200, 254, 255, 100, 127, 128}));
    EXPECT_EQ(Apply({1, 1, 1, 2, 2, 2, 3, 3, 3}, 3, 1,
                    [&](ImageBuffer* i) { return service->MirrorHorizontal(i); }),
              (Pixels{3, 3, 3, 2, 2, 2, 1, 1, 1}));
}

TEST_F(ImageFilters, UnusableImagesComeBackUntouched)
{
    using Slot = std::function<ImageBuffer*(ImageBuffer*)>;
    const std::vector<Slot> slots = {
        [&](ImageBuffer* i) { return service->AdjustBrightness(i, 0, 50); },
        [&](ImageBuffer* i) { return service->AdjustContrast(i, 50); },
        [&](ImageBuffer* i) { return service->AdjustSaturation(i, 0, 50); },
        [&](ImageBuffer* i) { return service->Emboss(i); },
        [&](ImageBuffer* i) { return service->Negative(i); },
        [&](ImageBuffer* i) { return service->FlipVertical(i); },
        [&](ImageBuffer* i) { return service->MirrorHorizontal(i); },
    };
    struct Size { int w, h; };
    for (size_t s = 0; s < slots.size(); ++s) {
        EXPECT_EQ(slots[s](nullptr), nullptr) << "slot " << s;
        ImageBuffer noPixels{nullptr, 4, 4};
        EXPECT_EQ(slots[s](&noPixels), &noPixels);
        for (Size size : {Size{0, 4}, Size{4, 0}, Size{-1, 4}, Size{4, -3}, Size{-2, -2}}) {
            Pixels pixels = kRamp;
            ImageBuffer image{pixels.data(), size.w, size.h};
            EXPECT_EQ(slots[s](&image), &image);
            EXPECT_EQ(pixels, kRamp) << "slot " << s << " size " << size.w << "x" << size.h;
        }
    }
}

TEST(ImageLibrary, ExportsHaveCLinkage)
{
    // The library this test is linked with, opened again by its file name.
    Dl_info info{};
    ASSERT_TRUE(dladdr(reinterpret_cast<void*>(&ZRCreateImageService), &info) && info.dli_fname);
    void* lib = dlopen(info.dli_fname, RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
    ASSERT_TRUE(lib) << dlerror();
    for (const char* name : {"ZRCreateImageService", "ZRFreeImageService", "ZRGetImageCopyright"})
        EXPECT_TRUE(dlsym(lib, name)) << name;
    auto copyright = reinterpret_cast<const char* (*)()>(dlsym(lib, "ZRGetImageCopyright"));
    ASSERT_TRUE(copyright);
    EXPECT_STRNE(copyright(), "");
    EXPECT_EQ(copyright(), copyright()) << "one static text";
    dlclose(lib);
}
