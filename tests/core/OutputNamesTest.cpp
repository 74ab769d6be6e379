#include "OutputFileHelper.h"
#include "PropertiesHelper.h"
#include "UniqueNameRun.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(OutputNames, UniqueNamesAvoidEverythingThatIsThere)
{
    struct Case {
        std::vector<std::string> present;  // files, or folders when ending in "/"
        std::string name;
        std::string unique;
    };
    const Case cases[] = {
        {{}, "a.mp4", "a.mp4"},
        {{"b.mp4"}, "a.mp4", "a.mp4"},
        {{"a.mp4"}, "a.mp4", "a_1.mp4"},
        {{"a.mp4", "a_1.mp4"}, "a.mp4", "a_2.mp4"},
        {{"a.mp4", "a_2.mp4"}, "a.mp4", "a_1.mp4"},
        {{"a.mp4", "a_1.mp4", "a_2.mp4", "x.mp4"}, "a.mp4", "a_3.mp4"},
        {{"a.mp4/"}, "a.mp4", "a_1.mp4"},                // a folder of that name
        {{"a.mp4", ".a_1.mp4", "a_1.mp4/"}, "a.mp4", "a_2.mp4"},
        {{"A.mp4"}, "a.mp4", "a.mp4"},                   // names are case-sensitive
        {{"a.MP4", "a.mkv"}, "a.mp4", "a.mp4"},
        {{"notes"}, "notes", "notes_1"},                 // no dot, no leading dot
        {{"notes", "notes_1"}, "notes", "notes_2"},
        {{"a.b.mp4"}, "a.b.mp4", "a.b_1.mp4"},
        {{".profile"}, ".profile", ".profile_1"},
        {{"my clip's \"best\".mp4"}, "my clip's \"best\".mp4", "my clip's \"best\"_1.mp4"},
        {{"dir\\a.mp4"}, "a.mp4", "a.mp4"},              // a backslash is part of a name here
    };
    for (const auto& c : cases) {
        mvtest::TempDir dir;
        for (const auto& entry : c.present) {
            if (entry.back() == '/')
                fs::create_directories(dir / entry);
            else
                mvtest::WriteFile(dir / entry, "x");
        }
        EXPECT_EQ(OutputFileHelper::MakeUniqueFileName(dir.path(), c.name), wxString(c.unique))
            << c.name << " with " << c.present.size() << " entries";
    }
}

TEST(OutputNames, NamesGivenOutInTheRunAndSourcesAreTaken)
{
    mvtest::TempDir dir;
    mvtest::TempDir elsewhere;
    mvtest::WriteFile(dir / "a.mp4", "source");
    fs::create_directories(dir / "sub");

    // One run: two sources named a.avi convert into the same folder.
    wxArrayString inUse;
    inUse.Add(dir / "a.mp4");                 // a source in the output folder
    inUse.Add(elsewhere / "a_1.mp4");         // another folder: no conflict
    const wxString first = OutputFileHelper::MakeUniqueFileName(dir.path(), "a.mp4", inUse);
    EXPECT_EQ(first, "a_1.mp4");
    inUse.Add(dir / "sub/../" + std::string(first.mb_str()));  // another spelling of the folder
    EXPECT_EQ(OutputFileHelper::MakeUniqueFileName(dir.path() + "/", "a.mp4", inUse), "a_2.mp4");
    EXPECT_EQ(OutputFileHelper::MakeUniqueFileName(dir.path(), "b.mp4", inUse), "b.mp4");
}

namespace {

std::string Repeat(const std::string& piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

}  // namespace

// A name longer than the folder takes (255 bytes here) loses whole
// characters from the end of its base, keeps its extension and still takes
// no name in use.
TEST(OutputNames, LongNamesAreCutToTheNameLimit)
{
    const std::string euro = "\xE2\x82\xAC";  // 3 bytes
    const std::string n251 = std::string(251, 'n');
    struct Case {
        std::vector<std::string> present;  // files in the folder
        std::vector<std::string> inUse;    // names given out before in the run
        std::string name;
        std::string unique;
    };
    const Case cases[] = {
        {{}, {}, n251 + ".mp4", n251 + ".mp4"},                          // 255 bytes fit
        {{n251 + ".mp4"}, {}, n251 + ".mp4", std::string(249, 'n') + "_1.mp4"},
        {{}, {}, n251 + ".webm", std::string(250, 'n') + ".webm"},
        {{}, {}, Repeat(euro, 80) + ".mp4", Repeat(euro, 80) + ".mp4"},  // 244 bytes fit
        {{}, {}, Repeat(euro, 85) + ".webm", Repeat(euro, 83) + ".webm"},
        {{Repeat(euro, 83) + ".webm"}, {}, Repeat(euro, 85) + ".webm", Repeat(euro, 82) + "_1.webm"},
        // Two names alike in their first 250 bytes.
        {{}, {n251 + "a.webm"}, n251 + "b.webm", std::string(248, 'n') + "_1.webm"},
        {{std::string(248, 'n') + "_1.webm"}, {n251 + "a.webm"}, n251 + "b.webm",
         std::string(248, 'n') + "_2.webm"},
        {{}, {}, std::string(300, 'x'), std::string(255, 'x')},         // no extension
        {{}, {}, "x." + std::string(260, 'e'), ""},                      // no room for the base
    };
    for (const auto& c : cases) {
        mvtest::TempDir dir;
        for (const auto& name : c.present)
            mvtest::WriteFile(dir / name, "x");
        UniqueNameRun run;
        for (const auto& name : c.inUse)
            ASSERT_EQ(run.Take(dir.path(), wxString::FromUTF8(name)).utf8_str().length(), 255u);
        const wxString got = run.Take(dir.path(), wxString::FromUTF8(c.name));
        EXPECT_EQ(std::string(got.utf8_str()), c.unique) << c.name.size() << " bytes";
        EXPECT_EQ(wxString::FromUTF8(got.utf8_str()), got) << "a character cut in half";
    }
}

TEST(OutputNames, NoFolderNoName)
{
    mvtest::TempDir dir;
    mvtest::WriteFile(dir / "file", "");
    EXPECT_EQ(OutputFileHelper::MakeUniqueFileName(dir / "missing", "a.mp4"), "");
    EXPECT_EQ(OutputFileHelper::MakeUniqueFileName(dir / "file", "a.mp4"), "");
    EXPECT_EQ(OutputFileHelper::MakeUniqueFileName(dir.path(), ""), "");
}

// A run of 400 rows, ten per name, into one folder reached through a link
// and through its own path, over names taken on the disk and by sources
// spelled with links and dot segments.
TEST(OutputNames, ALongRunKeepsEveryRule)
{
    mvtest::TempDir dir;
    const std::string out = dir / "deep/sub";
    fs::create_directories(out);
    fs::create_directories(dir / "src");
    fs::create_directory_symlink("deep/sub", dir / "alias");
    // Only a resolved link puts "alias/../sub" in the output folder.
    const std::string viaLink = dir / "alias/../sub";
    mvtest::WriteFile(out + "/clip_0.mp4", "x");
    mvtest::WriteFile(out + "/clip_0_1.mp4", "x");
    fs::create_directory(out + "/clip_1_2.mp4");
    fs::create_symlink("nowhere", out + "/clip_2.mp4");  // a dangling link is there too
    mvtest::WriteFile(out + "/.clip_3_1.mp4", "x");      // another name

    constexpr int kNames = 40;
    constexpr int kRows = 400;
    wxArrayString sources;
    for (int i = 0; i < kRows; ++i)
        sources.Add(dir / ("src/clip_" + std::to_string(i % kNames) + ".mp4"));
    sources.Add(viaLink + "/clip_4.mp4");
    sources.Add(viaLink + "/./clip_4_2.mp4");
    sources.Add(dir / "deep/sub/../sub/clip_5_1.mp4");
    sources.Add(dir / "alias/clip_6.mp4");
    const std::map<int, std::set<std::string>> taken = {
        {0, {"clip_0.mp4", "clip_0_1.mp4"}}, {1, {"clip_1_2.mp4"}}, {2, {"clip_2.mp4"}},
        {4, {"clip_4.mp4", "clip_4_2.mp4"}}, {5, {"clip_5_1.mp4"}}, {6, {"clip_6.mp4"}}};

    UniqueNameRun run;
    for (const wxString& source : sources)
        run.Reserve(source);
    wxArrayString inUse = sources;  // the same run, one call per row
    std::map<int, int> next;        // per name: candidates looked at so far
    std::set<std::string> given;
    for (int i = 0; i < kRows; ++i) {
        const int j = i % kNames;
        const std::string name = "clip_" + std::to_string(j);
        const wxString folder = i % 2 ? wxString(out) : wxString(dir / "alias/.");
        std::string expected;
        do {
            const int k = next[j]++;
            expected = name + (k ? "_" + std::to_string(k) : "") + ".mp4";
        } while (taken.count(j) && taken.at(j).count(expected));

        const wxString got = run.Take(folder, name + ".mp4");
        ASSERT_EQ(got, wxString(expected)) << "row " << i;
        EXPECT_EQ(OutputFileHelper::MakeUniqueFileName(folder, name + ".mp4", inUse), got)
            << "row " << i;
        inUse.Add(out + "/" + expected);
        EXPECT_TRUE(given.insert(expected).second) << expected;
    }
    // Another folder is not affected by the names given out here.
    EXPECT_EQ(run.Find(dir.path(), "clip_0.mp4"), "clip_0.mp4");
    EXPECT_EQ(run.Find(dir / "missing", "clip_0.mp4"), "");
}

TEST(Properties, ValuesReadAndReplaced)
{
    mvtest::TempDir dir;
    const std::string path = dir / "Merovant.cfg";
    mvtest::WriteFile(path, "no equals sign\nvolume=5\nurl=http://x/?a=b\nvolume=9\nlast=end");
    PropertiesHelper props(path);

    struct Case { const char* key; const char* value; };
    for (const Case& c : {Case{"volume", "5"}, Case{"url", "http://x/?a=b"}, Case{"last", "end"},
                          Case{"missing", ""}, Case{"no equals sign", ""}, Case{"", ""}})
        EXPECT_EQ(props.GetValue(c.key), c.value) << c.key;

    EXPECT_TRUE(props.SetValue("volume", "7"));
    EXPECT_EQ(props.GetValue("volume"), "7");
    EXPECT_TRUE(props.SetValue("last", "a=b"));
    EXPECT_EQ(props.GetValue("last"), "a=b");
    EXPECT_EQ(mvtest::ReadFile(path),
              "no equals sign\nvolume=7\nurl=http://x/?a=b\nvolume=9\nlast=a=b");

    const std::string before = mvtest::ReadFile(path);
    EXPECT_FALSE(props.SetValue("missing", "1")) << "no line has the key";
    EXPECT_EQ(mvtest::ReadFile(path), before);

    PropertiesHelper none((dir / "none.cfg"));
    EXPECT_EQ(none.GetValue("volume"), "");
    EXPECT_FALSE(none.SetValue("volume", "1"));
    EXPECT_FALSE(mvtest::FileExists(dir / "none.cfg"));
}
