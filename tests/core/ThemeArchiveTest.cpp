#include "ImageUtil.h"

#include "AppUtil.h"
#include "ThemeFixture.h"

#include <gtest/gtest.h>

namespace {

bool SamePixels(const wxImage& a, const wxImage& b)
{
    return a.IsOk() && b.IsOk() && a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight() &&
           std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
}

}  // namespace

TEST(ThemeArchive, EntriesLoadFromAProgramFolderWithBlanksAndHash)
{
    const wxImage movie = ThemeFixture::Pattern(7, 5, 1);
    const wxImage start = ThemeFixture::Pattern(3, 9, 2);
    ThemeFixture theme({{"surface/base/movie.png", movie}, {"surface/window/start-normal.png", start}});
    ASSERT_TRUE(theme.ok());

    EXPECT_TRUE(ImageUtil::GetThemeLocation("surface/base/movie.png").EndsWith(
        "/Themes/default.zip#zip:surface/base/movie.png"));
    EXPECT_TRUE(SamePixels(ImageUtil::LoadThemeImage("surface/base/movie.png"), movie));
    EXPECT_TRUE(SamePixels(ImageUtil::LoadThemeImage("surface/window/start-normal.png"), start));

    for (const char* missing : {"surface/base/none.png", "", "surface/base", "movie.png"})
        EXPECT_FALSE(ImageUtil::LoadThemeImage(missing).IsOk()) << missing;
}

TEST(ThemeArchive, AMissingArchiveLoadsNothing)
{
    ThemeFixture theme({});
    AppUtil::SetAppRootDir(wxString::FromUTF8(theme.root() + "/elsewhere"));
    EXPECT_FALSE(ImageUtil::LoadThemeImage("surface/base/movie.png").IsOk());
}
