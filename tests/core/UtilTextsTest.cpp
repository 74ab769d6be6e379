#include "AppUtil.h"
#include "FileUtil.h"
#include "StringUtil.h"

#include <gtest/gtest.h>
#include <wx/xml/xml.h>

#include <climits>
#include <cmath>
#include <limits>


TEST(UtilTexts, ByteSizesPickTheLargestUnitBelow1024)
{
    struct Case { double bytes; const char* text; };
    const Case cases[] = {
        {0, "0.0B"},
        {1023, "1023.0B"},
        {1024, "1.0KB"},
        {1536, "1.5KB"},
        {1024.0 * 1024 - 1, "1024.0KB"},  // rounds up but stays in KB
        {1024.0 * 1024, "1.0MB"},
        {9960000, "9.5MB"},
        {1024.0 * 1024 * 1024, "1.0GB"},
        {5.0 * 1024 * 1024 * 1024 * 1024, "5120.0GB"},  // no unit above GB
        // Absurd counts are clamped to nothing or to 2^64 bytes.
        {-5, "0.0B"},
        {-1e300, "0.0B"},
        {std::nan(""), "0.0B"},
        {-std::numeric_limits<double>::infinity(), "0.0B"},
        {std::numeric_limits<double>::infinity(), "17179869184.0GB"},
        {1e300, "17179869184.0GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileUtil::FormatByteSize(c.bytes), c.text) << c.bytes;
    EXPECT_EQ(FileUtil::FormatByteSizeU64(1536), "1.5KB");
    EXPECT_EQ(FileUtil::FormatByteSizeU64(UINT64_MAX), "17179869184.0GB");
}

TEST(UtilTexts, Durations)
{
    struct Case { uint64_t seconds; const char* text; };
    const Case cases[] = {
        {0, "00:00:00"},
        {59, "00:00:59"},
        {3725, "01:02:05"},
        {99 * 3600 + 59 * 60 + 59, "99:59:59"},
        {100 * 3600, "100:00:00"},
        // Past the hours an int holds the text stays at its largest, never wraps.
        {uint64_t(INT_MAX) * 3600 + 3599, "2147483647:59:59"},
        {uint64_t(INT_MAX) * 3600 + 3600, "2147483647:59:59"},
        {(uint64_t(1) << 31) * 3600 + 5, "2147483647:59:59"},
        {UINT64_MAX, "2147483647:59:59"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDuration(c.seconds), c.text) << c.seconds;
}

TEST(UtilTexts, ClockTimesReadBackWhatDurationsWrite)
{
    for (uint64_t seconds : {0ull, 3725ull, 100ull * 3600 + 61, 12345678ull}) {
        long h = -1, m = -1, s = -1;
        ASSERT_TRUE(StringUtil::ParseClockTime(FormatDuration(seconds), h, m, s)) << seconds;
        EXPECT_EQ(uint64_t(h * 3600 + m * 60 + s), seconds);
    }
    long h = 7, m = 8, s = 9;
    EXPECT_FALSE(StringUtil::ParseClockTime("1:2:3", h, m, s));
    EXPECT_FALSE(StringUtil::ParseClockTime("", h, m, s));
    EXPECT_EQ(h * 10000 + m * 100 + s, 70809) << "outputs untouched without a match";
    ASSERT_TRUE(StringUtil::ParseClockTime("Duration: 00:01:30.52, start", h, m, s));
    EXPECT_EQ(h * 10000 + m * 100 + s, 130);
}

TEST(UtilTexts, RegexGroups)
{
    const wxString ext = "\\(\\*(\\.[^)]+)\\)";
    struct Case { wxString pattern; wxString text; size_t n; const char* group; };
    const Case cases[] = {
        {ext, "MP4 Video (*.mp4)", 1, ".mp4"},
        {ext, "MP4 Video (*.mp4)", 0, "(*.mp4)"},
        {ext, "MP4 Video", 1, ""},            // no match
        {ext, "MP4 Video (*.mp4)", 2, ""},    // beyond the pattern's groups
        {"([", "anything", 0, ""},            // does not compile
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringUtil::RegexGroup(c.pattern, c.text, c.n), c.group)
            << c.pattern << " on " << c.text << " group " << c.n;
}

TEST(UtilTexts, IdentityAndBuildYear)
{
    EXPECT_EQ(GetAppId(), "Merovant");
    EXPECT_EQ(GetCompanyName(), "Tarvelin");
    EXPECT_EQ(GetAppDisplayName(), "Tarvelin Merovant");
    EXPECT_EQ(GetAppTitle(), GetAppDisplayName());
    EXPECT_EQ(GetAppVersion(), "2.1.9");
    long year = 0;
    EXPECT_TRUE(StringUtil::GetBuildYear().ToLong(&year));
    EXPECT_GE(year, 2020);
}

TEST(UtilTexts, CStringCopiesHoldTheWholeText)
{
    const wxString text = wxString::FromUTF8("Größe \xe2\x82\xac");  // more bytes than characters
    char* utf8 = StringUtil::ToUtf8CString(text);
    ASSERT_NE(utf8, nullptr);
    EXPECT_STREQ(utf8, "Größe \xe2\x82\xac");
    free(utf8);

    char* copy = StringUtil::DuplicateCString("abc");
    EXPECT_STREQ(copy, "abc");
    delete[] copy;
    EXPECT_EQ(StringUtil::DuplicateCString(nullptr), nullptr);

    wxArrayString tokens;
    EXPECT_EQ(StringUtil::Tokenize("a|b||c", "|", tokens), 4u);
    EXPECT_EQ(tokens.size(), 4u);
}

TEST(UtilTexts, CatalogNodeHelpers)
{
    wxXmlNode root(wxXML_ELEMENT_NODE, "root");
    auto add = [&](const char* id) {
        auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, "subsection");
        node->AddAttribute("id", id);
        return node;
    };
    FileUtil::AddChildNode(1, &root, add("b"));  // first child of an empty node
    FileUtil::AddChildNode(0, &root, add("a"));
    FileUtil::AddChildNode(1, &root, add("a"));
    FileUtil::AddChildNode(0, &root, add("c"));
    EXPECT_EQ(FileUtil::CountChildNodes(&root), 4);
    EXPECT_EQ(root.GetChildren()->GetAttribute("id"), "a");

    FileUtil::RemoveChildrenById(&root, "a");
    wxString order;
    for (wxXmlNode* n = root.GetChildren(); n; n = n->GetNext())
        order += n->GetAttribute("id");
    EXPECT_EQ(order, "bc");
    EXPECT_EQ(FileUtil::CountChildNodes(nullptr), 0);
}
