// Queries over a small catalog: lookups, visibility, extensions, estimates.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CatalogFixture.h"
#include "FormatCatalog.h"
#include "PvMediaDomain.h"
#include "TestSupport.h"

using catalogtest::W;

namespace {

// Group "hidden" is not shown although its profile is; "video" starts with a
// hidden profile whose id is empty; "audio" has only audio rates, and its MP3
// is shown by another nonzero number.
const char* const kCatalog = R"xml(<?xml version="1.0" encoding="UTF-8"?>
<catalog>
 <category id="hidden" isShow="0" alias="Hidden">
  <subsection seq="1" level="1" isShow="1" id="Secret (*.mkv)" alias="Secret" transfer_extra_param="-b 9000k -ab 320k"/>
 </category>
 <!-- between groups -->
 <category id="video" isShow="1" alias="Video" image="cat.png">
  <subsection seq="1" level="1" isShow="0" id="" alias="Nameless"/>
  <subsection seq="2" level="1" isShow="no" id="Two (*.avi)" alias="Two"/>
  <subsection seq="3" level="1" isShow="1" id="MP4 720p (*.mp4)" alias="MP4 720p (*.mp4)" image="mp4.png" description="H.264" transfer_extra_param="-vcodec libx264 -b 1200k -acodec aac -ab 128k"/>
  <subsection seq="4" level="1" isShow="1" id="Lean (*.webm)" alias="Lean"/>
 </category>
 <category id="audio" isShow="1" alias="Audio">
  <subsection seq="1" level="1" isShow="2" id="MP3 (*.mp3)" alias="MP3" transfer_extra_param="-vn -acodec libmp3lame -ab 128k"/>
  <subsection seq="2" level="1" isShow="1" id="Audio" alias="Audio"/>
 </category>
</catalog>
)xml";

class CatalogQuery : public ::testing::Test {
protected:
    void SetUp() override { catalogtest::ParseXml(doc, kCatalog); ASSERT_TRUE(doc.GetRoot()); }
    wxXmlDocument doc;
};

TEST_F(CatalogQuery, FindProfileTakesOnlyShownProfilesOfShownGroups)
{
    FormatEntry entry;
    ASSERT_TRUE(FindProfile(doc, "MP4 720p (*.mp4)", entry));
    EXPECT_EQ(entry.seq, "3");
    EXPECT_EQ(entry.level, "1");
    EXPECT_EQ(entry.isShow, "1");
    EXPECT_EQ(entry.alias, "MP4 720p (*.mp4)");
    EXPECT_EQ(entry.image, "mp4.png");
    EXPECT_EQ(entry.description, "H.264");
    EXPECT_EQ(entry.transfer_extra_param, "-vcodec libx264 -b 1200k -acodec aac -ab 128k");

    // A missing attribute copies as empty over what the entry held.
    entry.description = "stale";
    ASSERT_TRUE(FindProfile(doc, "Lean (*.webm)", entry));
    EXPECT_EQ(entry.description, "");
    EXPECT_EQ(entry.transfer_extra_param, "");

    // Any nonzero number shows, as in the profile menus.
    ASSERT_TRUE(FindProfile(doc, "MP3 (*.mp3)", entry));
    EXPECT_EQ(entry.isShow, "2");

    // Shown profile in a hidden group; "isShow" not a number; a group id.
    for (const char* id : {"Secret (*.mkv)", "Two (*.avi)", "audio", "nothing"}) {
        FormatEntry untouched;
        untouched.id = "kept";
        EXPECT_FALSE(FindProfile(doc, id, untouched)) << id;
        EXPECT_EQ(untouched.id, "kept") << id;
    }
}

TEST_F(CatalogQuery, ProfileInUseIsFoundHiddenTooButNeverInventedOrAGroup)
{
    struct Case {
        const char* id;
        bool found;
        const char* alias;
    };
    const Case cases[] = {
        {"MP4 720p (*.mp4)", true, "MP4 720p (*.mp4)"},  // shown
        {"Secret (*.mkv)", true, "Secret"},             // shown, in a hidden group
        {"Two (*.avi)", true, "Two"},                   // hidden itself
        {"", true, "MP4 720p (*.mp4)"},                 // empty: the first shown only
        {"audio", false, "kept"},                       // a group's id
        {"nothing", false, "kept"},
    };
    for (const Case& c : cases) {
        FormatEntry entry;
        entry.alias = "kept";
        EXPECT_EQ(FindProfileInUse(doc, c.id, entry), c.found) << c.id;
        EXPECT_EQ(entry.alias, c.alias) << c.id;
    }
}

TEST_F(CatalogQuery, EmptyIdFindsTheFirstShownProfileNotAHiddenOneWithAnEmptyId)
{
    FormatEntry entry;
    ASSERT_TRUE(FindProfile(doc, "", entry));
    EXPECT_EQ(entry.id, "MP4 720p (*.mp4)");
    EXPECT_EQ(GetFirstShownProfileAttribute(doc, "alias"), "MP4 720p (*.mp4)");
    EXPECT_EQ(GetFirstShownProfileAttribute(doc, "nothing"), "");
}

TEST(CatalogQueryEmpty, AllHiddenOrNoRootFindsNothing)
{
    const char* const allHidden = R"xml(<c>
      <g id="a" isShow="1"><p id="x (*.mp4)" isShow="0"/><p id="y (*.mp4)"/></g>
      <g id="b" isShow="yes"><p id="z (*.mp4)" isShow="1"/></g>
      <g id="c" isShow="00"><p id="z (*.mp4)" isShow="1"/></g>
      <g id="empty" isShow="1"/>
    </c>)xml";
    wxXmlDocument hidden, noRoot;
    catalogtest::ParseXml(hidden, allHidden);
    ASSERT_TRUE(hidden.GetRoot());
    for (const wxXmlDocument* doc : {&hidden, &noRoot}) {
        FormatEntry entry;
        EXPECT_FALSE(FindProfile(*doc, "", entry));
        EXPECT_FALSE(FindProfile(*doc, "z (*.mp4)", entry));
        EXPECT_EQ(GetFirstShownProfileAttribute(*doc, "id"), "");
        EXPECT_EQ(EstimateOutputSize(*doc, "", 60), "");
    }
    EXPECT_EQ(PvMediaDomain::FindNodeByAttribute(noRoot, "a", "id"), nullptr);
}

TEST_F(CatalogQuery, FindNodeByAttributeTestsEachGroupBeforeItsProfiles)
{
    // "Audio" is the alias of the group "audio" and of a profile in it.
    wxXmlNode* node = PvMediaDomain::FindNodeByAttribute(doc, "Audio", "alias");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetAttribute("id"), "audio");
    // Hidden groups and profiles are found too; the first match wins.
    node = PvMediaDomain::FindNodeByAttribute(doc, "Secret", "alias");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetAttribute("seq"), "1");
    node = PvMediaDomain::FindNodeByAttribute(doc, "1", "seq");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetAttribute("id"), "Secret (*.mkv)");
    EXPECT_EQ(PvMediaDomain::FindNodeByAttribute(doc, "nobody", "alias"), nullptr);
}

TEST(CatalogText, ExtensionFromLabel)
{
    struct Case { const char* text; const char* ext; } cases[] = {
        {"MP4 720p (*.mp4)", "mp4"},
        {"Archive (*.tar.gz)", "gz"},
        {"no dot here", "no dot here"},
        {"name.ext", "ext"},
        {"v1.2 Movie (*.mkv)", "mkv"},
        {"(*.)", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExtensionFromLabel(c.text), c.ext) << c.text;
}

TEST(CatalogText, ParseProfileRates)
{
    struct Case { const char* params; double audio; double video; } cases[] = {
        {"-vcodec libx264 -b 1200k -acodec aac -ab 128k", 128, 1200},
        {"-ab 128k", 128, 0},              // "-ab" never counts as a video rate
        {"-vn -acodec flac", 0, 0},
        {"-b  800k -ab  96k", 96, 800},    // several blanks
        {"-b 800 -ab 96", 0, 0},           // no "k": not a rate
        {"-b:v 800k -maxrate 900k", 0, 0}, // other spellings are not read
        {"-ab 64k -b 300k -ab 32k", 64, 300},
    };
    for (const Case& c : cases) {
        ProfileRates rates = ParseProfileRates(c.params);
        EXPECT_EQ(rates.audioKbps, c.audio) << c.params;
        EXPECT_EQ(rates.videoKbps, c.video) << c.params;
        EXPECT_EQ(rates.estimatedBytes, 0) << c.params;
    }
}

TEST_F(CatalogQuery, EstimateOutputSizeTable)
{
    struct Case { const char* id; uint64_t seconds; const char* size; } cases[] = {
        {"MP4 720p (*.mp4)", 60, "9.5MB"},      // 1328 kbit/s: 9,960,000 bytes
        {"MP4 720p (*.mp4)", 0, "0.0B"},
        {"MP4 720p (*.mp4)", 7200, "1.1GB"},
        {"MP3 (*.mp3)", 1, "15.6KB"},           // 16,000 bytes
        {"Lean (*.webm)", 3600, "0.0B"},        // no rates at all
        {"", 60, "9.5MB"},                      // the first shown profile
        {"Secret (*.mkv)", 60, ""},             // not shown: no estimate
        {"unknown", 60, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EstimateOutputSize(doc, c.id, c.seconds), c.size) << c.id << " " << c.seconds;
}

TEST_F(CatalogQuery, EstimateOutputSizeByNodeReadsTheClockText)
{
    EXPECT_EQ(PvMediaDomain::EstimateOutputSizeByNode(doc, "00:01:00", "MP4 720p (*.mp4)", "alias"), "9.5MB");
    EXPECT_EQ(PvMediaDomain::EstimateOutputSizeByNode(doc, "01:00:00", "MP3", "alias"), "54.9MB");
    EXPECT_EQ(PvMediaDomain::EstimateOutputSizeByNode(doc, "no clock", "MP3", "alias"), "0.0B");
    EXPECT_EQ(PvMediaDomain::EstimateOutputSizeByNode(doc, "00:01:00", "nobody", "alias"), "");
}

TEST(CatalogText, SplitClockTime)
{
    struct Case { const char* text; long h, m, s; } cases[] = {
        {"01:02:03", 1, 2, 3},
        {"10:20", 10, 20, 0},
        {"", 0, 0, 0},
        {"aa:5:bb", 0, 5, 0},
        {"1:2:3:4", 1, 2, 3},
        {"1\\:2:3:4", 0, 3, 4},  // an escaped colon does not split
        {"100:00:00", 100, 0, 0},
    };
    for (const Case& c : cases) {
        long h = -1, m = -1, s = -1;
        SplitClockTime(c.text, h, m, s);
        EXPECT_EQ(h, c.h) << c.text;
        EXPECT_EQ(m, c.m) << c.text;
        EXPECT_EQ(s, c.s) << c.text;
    }
}

// Files on disk: missing, malformed, unscrambled, and the further readers.
class CatalogFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& xml)
    {
        catalogtest::WriteScrambled(dir / name, xml);
        return dir / name;
    }
    mvtest::TempDir dir;
};

TEST_F(CatalogFiles, UnreadableFilesLoadNothing)
{
    std::string good = Write("good.bin", kCatalog);
    std::string broken = Write("broken.bin", "<catalog><category id=\"a\"></catalog>");
    std::string empty = Write("empty.bin", "");
    mvtest::WriteFile(dir / "plain.bin", kCatalog);  // not scrambled

    wxXmlDocument doc;
    EXPECT_TRUE(LoadCatalogFile(doc, W(good)));
    for (const std::string& path : {broken, empty, dir / "plain.bin", dir / "missing.bin"}) {
        wxXmlDocument bad;
        EXPECT_FALSE(LoadCatalogFile(bad, W(path))) << path;
        EXPECT_EQ(bad.GetRoot(), nullptr) << path;
        FormatEntry entry;
        EXPECT_FALSE(FindProfile(bad, "", entry)) << path;
        EXPECT_EQ(GetCatalogPopupHeight(W(path)), 0) << path;
        EXPECT_EQ(ReadShownFormats(W(path)), "") << path;
        EXPECT_EQ(LookupMappingValue("a", "b", W(path)), "") << path;
        wxXmlDocument reused;  // an earlier load leaves nothing behind
        ASSERT_TRUE(LoadCatalogFile(reused, W(good)));
        EXPECT_FALSE(LoadCatalogFile(reused, W(path))) << path;
        EXPECT_EQ(reused.GetRoot(), nullptr) << path;
        wxXmlDocument into;
        EXPECT_EQ(FindCatalogProfileNode("video", "Lean (*.webm)", into, W(path)), nullptr) << path;
    }
}

TEST_F(CatalogFiles, PopupHeightCountsRootChildrenUpToTheCap)
{
    auto groups = [](int n) {
        std::string xml = "<c>";
        for (int i = 0; i < n; ++i)
            xml += "<g id=\"" + std::to_string(i) + "\" isShow=\"1\"/>";
        return xml + "</c>";
    };
    struct Case { int groups; int height; } cases[] = {{0, 25}, {3, 109}, {15, 445}, {16, 473}, {17, 475}, {20, 475}};
    for (const Case& c : cases)
        EXPECT_EQ(GetCatalogPopupHeight(W(Write("h.bin", groups(c.groups)))), c.height) << c.groups;
}

TEST_F(CatalogFiles, FurtherReaders)
{
    std::string formats = Write("supportformat.bin", R"xml(<formats>
      <f format="mp4" isShow="1"/><f format="avi" isShow="0"/><f format="mkv" isShow="1"/><f isShow="1"/>
    </formats>)xml");
    EXPECT_EQ(ReadShownFormats(W(formats)), "mp4|mkv||");

    std::string mappings = Write("mappings.bin", R"xml(<maps>
      <g id="codec"><m id="h264" mapValue="libx264"/><m id="h264" mapValue="second"/></g>
      <g id="codec"><m id="vp9" mapValue="libvpx-vp9"/></g>
      <g id="other"><m id="aac" mapValue="aac"/></g>
    </maps>)xml");
    EXPECT_EQ(LookupMappingValue("codec", "h264", W(mappings)), "libx264");
    EXPECT_EQ(LookupMappingValue("codec", "vp9", W(mappings)), "libvpx-vp9");  // a later group
    EXPECT_EQ(LookupMappingValue("codec", "aac", W(mappings)), "");
    EXPECT_EQ(LookupMappingValue("none", "aac", W(mappings)), "");

    std::string catalog = Write("format_catalog.bin", kCatalog);
    wxXmlDocument into;
    std::unique_ptr<wxXmlNode> node(FindCatalogProfileNode("video", "Lean (*.webm)", into, W(catalog)));
    ASSERT_TRUE(node);
    EXPECT_EQ(node->GetAttribute("alias"), "Lean");
    EXPECT_EQ(node->GetParent(), nullptr);  // a copy of its own
    ASSERT_TRUE(into.GetRoot());
    // Only the first group with the id is searched; hidden ones count.
    std::unique_ptr<wxXmlNode> other(FindCatalogProfileNode("audio", "Lean (*.webm)", into, W(catalog)));
    EXPECT_FALSE(other);
    std::unique_ptr<wxXmlNode> secret(FindCatalogProfileNode("hidden", "Secret (*.mkv)", into, W(catalog)));
    EXPECT_TRUE(secret);
}

}  // namespace
