// Every picture name that the program's sources load is in the skin's list.
#include "SkinList.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using skintest::CheckReference;
using skintest::Picture;

namespace {

TEST(SkinNames, EveryNameTheSourcesLoadIsListed)
{
    const auto list = skintest::ReadPictureList(skintest::SourceRoot() + "/data/skin/pictures.tsv");
    ASSERT_FALSE(list.empty());
    const auto refs = skintest::ScanSources(skintest::SourceRoot(), {"tests", "fuzz", "bench", "data"});
    for (const auto& ref : refs) {
        const std::string why = CheckReference(ref.text, list);
        EXPECT_EQ(why, "") << ref.file << ": \"" << ref.text << "\"";
    }
}

TEST(SkinNames, EveryPictureTheCatalogNamesIsListed)
{
    const auto list = skintest::ReadPictureList(skintest::SourceRoot() + "/data/skin/pictures.tsv");
    for (const auto& ref : skintest::ScanImageAttributes(skintest::SourceRoot() + "/data/catalog"))
        EXPECT_EQ(CheckReference(ref.text, list), "") << ref.file << ": image=\"" << ref.text << "\"";
}

TEST(SkinNames, ReferencesAreCheckedWithTheirGroupsSuffixes)
{
    const std::vector<Picture> list = {
        {"surface/window/go-normal.png", 1, 1},  {"surface/window/go-current.png", 1, 1},
        {"surface/window/go-pressed.png", 1, 1}, {"surface/window/go-disable.png", 1, 1},
        {"surface/window/half-normal.png", 1, 1}, {"surface/top/close.png", 1, 1},
        {"surface/top/close_over.png", 1, 1},    {"surface/top/small.png", 1, 1},
        {"application/application.png", 1, 1},
    };
    const struct {
        const char* text;
        bool ok;
    } cases[] = {
        {"surface/window/go-normal.png", true},
        {"surface/window/gone-normal.png", false},
        {"surface/window/go", true},             // completed with the four states
        {"surface/window/go-", true},            // completed without the dash
        {"surface/window/half", false},          // only one state exists
        {"surface/top/close", true},             // plain and "_over"
        {"surface/top/small", false},            // no "_over" picture
        {"surface/top/", true},
        {"surface/customise/", false},
        {"surface/window/%s-normal.png", true},
        {"surface/mypopmenu/%s.png", false},
        {"application/application.png", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckReference(c.text, list).empty(), c.ok) << c.text;
}

TEST(SkinNames, ScannerFindsLiteralsInSourcesAndSkipsTests)
{
    mvtest::TempDir dir;
    std::filesystem::create_directories(dir / "pane");
    std::filesystem::create_directories(dir / "tests");
    mvtest::WriteFile(dir / "pane/Pane.cpp",
                      "auto a = Load(wxT(\"surface/window/go\") + \"-normal.png\");\n"
                      "auto b = wxString::Format(\"surface/base/%s.png\", n);\n"
                      "const char* c = \"not a picture\"; // \"surface/in/comment.png\"\n");
    mvtest::WriteFile(dir / "tests/PaneTest.cpp", "Load(\"surface/missing.png\");\n");
    const auto refs = skintest::ScanSources(dir.path(), {"tests"});
    std::vector<std::string> texts;
    for (const auto& r : refs)
        texts.push_back(r.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"surface/window/go", "surface/base/%s.png",
                                               "surface/in/comment.png"}));
}

}  // namespace
