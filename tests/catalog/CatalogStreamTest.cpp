// The scrambling streams: what is stored, what is read back.
#include <gtest/gtest.h>

#include <string>

#include <wx/log.h>

#include "CatalogFixture.h"
#include "CatalogScramble.h"
#include "MyInputStream.h"
#include "MyOutputStream.h"
#include "TestSupport.h"

namespace {

std::string ReadAll(MyInputStream& in)
{
    std::string text;
    char chunk[7];  // odd size: reads that end inside the data
    while (in.Read(chunk, sizeof chunk).LastRead() > 0)
        text.append(chunk, in.LastRead());
    return text;
}

TEST(CatalogStream, RoundTripStoresEveryByteCombinedWithTheKey)
{
    mvtest::TempDir dir;
    std::string plain;
    for (int i = 1; i < 256; ++i)
        plain += static_cast<char>(i);
    plain += "<root>Grüße</root>";
    {
        MyOutputStream out(catalogtest::W(dir / "a.bin"));
        ASSERT_TRUE(out.IsOk());
        out.Write(plain.data(), plain.size());
        EXPECT_EQ(out.LastWrite(), plain.size());
    }
    std::string stored = mvtest::ReadFile(dir / "a.bin");
    ASSERT_EQ(stored.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(stored[i]),
                  static_cast<unsigned char>(plain[i]) ^ kCatalogKey) << "byte " << i;

    MyInputStream in(catalogtest::W(dir / "a.bin"));
    ASSERT_TRUE(in.IsOk());
    EXPECT_EQ(ReadAll(in), plain);
}

TEST(CatalogStream, WriteStopsAtTheFirstZeroByteAndEmptyWritesNothing)
{
    mvtest::TempDir dir;
    {
        MyOutputStream out(catalogtest::W(dir / "z.bin"));
        out.Write("", 0);
        EXPECT_EQ(out.LastWrite(), 0u);
        out.Write("ab\0cd", 5);
        EXPECT_EQ(out.LastWrite(), 2u);
    }
    EXPECT_EQ(catalogtest::ReadUnscrambled(dir / "z.bin"), "ab");
}

TEST(CatalogStream, MissingFileGivesAStreamThatIsNotOk)
{
    mvtest::TempDir dir;
    wxLogNull quiet;
    MyInputStream in(catalogtest::W(dir / "none.bin"));
    EXPECT_FALSE(in.IsOk());
}

}  // namespace
