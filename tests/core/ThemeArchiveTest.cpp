#include "ImageUtil.h"

#include "AppUtil.h"
#include "ThemeFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

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

// A damaged archive is described, not loaded from in silence.
TEST(ThemeArchive, DamageIsDescribed)
{
    ThemeFixture theme({{"a/one.png", ThemeFixture::Pattern(40, 30, 1)},
                        {"a/two.png", ThemeFixture::Pattern(30, 40, 2)},
                        {"b/three.png", ThemeFixture::Pattern(20, 20, 3)}});
    ASSERT_TRUE(theme.ok());
    const std::string path = theme.root() + "/Themes/default.zip";
    const std::string whole = mvtest::ReadFile(path);
    const size_t directory = whole.find("PK\x01\x02");
    // A byte in the middle of the first entry's data.
    const size_t first = whole.find("one.png");
    const size_t second = whole.find("PK\x03\x04", first);
    ASSERT_NE(directory, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    std::string flipped = whole;
    flipped[(first + second) / 2] = char(flipped[(first + second) / 2] ^ 0x5a);

    struct Case {
        const char* name;
        std::string bytes;
        bool present;
        const char* problem;
    } cases[] = {
        {"whole", whole, true, ""},
        {"missing", "", false, "is missing."},
        {"empty", "", true, "is damaged or truncated."},
        {"half", whole.substr(0, whole.size() / 2), true, "is damaged or truncated."},
        {"cut where the directory starts", whole.substr(0, directory), true, "is damaged or truncated."},
        {"last bytes cut", whole.substr(0, whole.size() - 10), true, "is damaged or truncated."},
        {"a byte changed", flipped, true, "is damaged or truncated."},
        {"not an archive", "<html>404</html>", true, "is damaged or truncated."},
    };
    for (const Case& c : cases) {
        std::remove(path.c_str());
        if (c.present)
            mvtest::WriteFile(path, c.bytes);
        EXPECT_EQ(ImageUtil::DescribeThemeArchiveProblem(), c.problem) << c.name;
    }
    mvtest::WriteFile(path, whole);
    chmod(path.c_str(), 0);
    if (geteuid() != 0)
        EXPECT_EQ(ImageUtil::DescribeThemeArchiveProblem(), "cannot be opened for reading.");
    chmod(path.c_str(), 0644);
}
