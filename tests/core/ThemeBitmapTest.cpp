#include "ImageUtil.h"

#include "ThemeFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

wxColour PixelOf(const wxBitmap& bitmap, int x, int y)
{
    wxImage image = bitmap.ConvertToImage();
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

}  // namespace

TEST(ThemeBitmap, LoadedBitmapsAndCrops)
{
    ThemeFixture theme({{"surface/base/background.png", ThemeFixture::Pattern(20, 12, 7)}});
    ASSERT_TRUE(theme.ok());

    std::unique_ptr<wxBitmap> owned(ImageUtil::LoadThemeBitmap("surface/base/background.png"));
    ASSERT_TRUE(owned);
    EXPECT_EQ(owned->GetSize(), wxSize(20, 12));
    EXPECT_EQ(PixelOf(*owned, 19, 11), wxColour(190, 110, 7));

    wxBitmap value = ImageUtil::LoadThemeBitmapValue("surface/base/background.png");
    ASSERT_TRUE(value.IsOk());
    EXPECT_EQ(ImageUtil::LoadThemeBitmap("surface/base/none.png"), nullptr);
    EXPECT_FALSE(ImageUtil::LoadThemeBitmapValue("surface/base/none.png").IsOk());

    struct Case { int x, y, w, h; };
    for (const Case& c : {Case{0, 0, 20, 12}, Case{5, 3, 4, 2}, Case{19, 11, 1, 1}}) {
        wxBitmap crop = ImageUtil::CropBitmap(value, c.x, c.y, c.w, c.h);
        ASSERT_TRUE(crop.IsOk());
        EXPECT_EQ(crop.GetSize(), wxSize(c.w, c.h));
        EXPECT_EQ(PixelOf(crop, 0, 0), PixelOf(value, c.x, c.y));
        EXPECT_EQ(PixelOf(crop, c.w - 1, c.h - 1), PixelOf(value, c.x + c.w - 1, c.y + c.h - 1));
        std::unique_ptr<wxBitmap> fresh(ImageUtil::CropBitmapNew(value, c.x, c.y, c.w, c.h));
        ASSERT_TRUE(fresh);
        EXPECT_EQ(PixelOf(*fresh, 0, 0), PixelOf(crop, 0, 0));
    }
    EXPECT_FALSE(ImageUtil::CropBitmap(value, 0, 0, 0, 5).IsOk());
    EXPECT_FALSE(ImageUtil::CropBitmap(wxNullBitmap, 0, 0, 5, 5).IsOk());
    EXPECT_EQ(ImageUtil::CropBitmapNew(value, 0, 0, 5, -1), nullptr);
}

TEST(ThemeBitmap, TilesCoverTheDestination)
{
    wxBitmap pattern(ThemeFixture::Pattern(3, 2, 9));
    wxBitmap destination(7, 5);
    ASSERT_TRUE(ImageUtil::TileBitmap(destination, pattern));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(PixelOf(destination, x, y), PixelOf(pattern, x % 3, y % 2)) << x << "," << y;
}
