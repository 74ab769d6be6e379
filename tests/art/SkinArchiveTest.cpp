// The staged skin archive against its picture list: complete, decodable, with
// sizes that fit the windows' fixed layouts and distinct button states.
#include "SkinList.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/mstream.h>

#include <cstdio>
#include <regex>
#include <set>

using skintest::Picture;

namespace {

class SkinArchive : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        list_ = skintest::ReadPictureList(skintest::SourceRoot() + "/data/skin/pictures.tsv");
        archive_ = skintest::ReadArchive(skintest::StageRoot() + "/Themes/default.zip");
    }

    static wxImage Decode(const std::string& name)
    {
        const std::string& bytes = archive_.at(name);
        wxMemoryInputStream in(bytes.data(), bytes.size());
        return wxImage(in, wxBITMAP_TYPE_PNG);
    }

    static const Picture* Find(const std::string& name)
    {
        for (const Picture& p : list_)
            if (p.name == name)
                return &p;
        return nullptr;
    }

    wxInitializer init_;
    static std::vector<Picture> list_;
    static std::map<std::string, std::string> archive_;
};

std::vector<Picture> SkinArchive::list_;
std::map<std::string, std::string> SkinArchive::archive_;

TEST_F(SkinArchive, HoldsExactlyTheListedPictures)
{
    ASSERT_GT(list_.size(), 200u);
    std::set<std::string> listed;
    for (const Picture& p : list_) {
        EXPECT_TRUE(listed.insert(p.name).second) << "listed twice: " << p.name;
        EXPECT_TRUE(archive_.count(p.name)) << "missing from the archive: " << p.name;
    }
    for (const auto& entry : archive_)
        EXPECT_TRUE(listed.count(entry.first)) << "not on the list: " << entry.first;
}

TEST_F(SkinArchive, EveryPictureDecodesAtItsListedSize)
{
    wxImage::AddHandler(new wxPNGHandler);
    for (const Picture& p : list_) {
        if (!archive_.count(p.name))
            continue;
        const wxImage image = Decode(p.name);
        ASSERT_TRUE(image.IsOk()) << p.name;
        EXPECT_EQ(image.GetWidth(), p.width) << p.name;
        EXPECT_EQ(image.GetHeight(), p.height) << p.name;
    }
}

// Limits from the windows that place these pictures: pane and dialog
// rectangles, and the controls put at fixed offsets on them.
struct Limit {
    const char* pattern;
    int minW, minH, maxW, maxH;
};

TEST_F(SkinArchive, SizesFitTheLayouts)
{
    const Limit limits[] = {
        // main frame: the preview pane ends at x 836, the output pane at y 518
        {"surface/base/background\\.png", 836, 518, 4000, 4000},
        {"surface/top/(small|close)(_over)?\\.png", 1, 1, 60, 14},
        {"surface/window/toolbar-.*\\.png", 1, 1, 400, 44},
        {"surface/window/(browse|find-target)-.*\\.png", 1, 1, 160, 28},
        {"surface/window/settings-.*\\.png", 1, 1, 100, 28},
        {"surface/window/start-.*\\.png", 1, 1, 136, 64},
        {"surface/base/movie\\.png", 1, 1, 60, 28},
        {"surface/window/preview-(play|pause|stop|photo|select)-.*\\.png", 1, 1, 60, 30},
        {"surface/window/preview-mp-channel\\.png", 1, 1, 290, 14},
        // dialogs: the controls each one places at fixed offsets
        {"surface/base/loading\\.png", 200, 100, 2000, 2000},
        {"surface/window/fileinformation-bg\\.png", 380, 380, 2000, 2000},
        {"surface/window/progress-convert\\.png", 460, 400, 2000, 2000},
        {"surface/base/info_bg\\.png", 400, 300, 2000, 2000},
        {"surface/window/clip-background\\.png", 502, 500, 2000, 2000},
        {"surface/window/edit-background\\.png", 850, 620, 2000, 2000},
        {"surface/setting/setting_window\\.png", 455, 370, 2000, 2000},
        {"surface/customise/customise_bg\\.png", 345, 430, 2000, 2000},
    };
    for (const Limit& limit : limits) {
        const std::regex pattern(limit.pattern);
        int matched = 0;
        for (const Picture& p : list_) {
            if (!std::regex_match(p.name, pattern))
                continue;
            ++matched;
            EXPECT_GE(p.width, limit.minW) << p.name;
            EXPECT_GE(p.height, limit.minH) << p.name;
            EXPECT_LE(p.width, limit.maxW) << p.name;
            EXPECT_LE(p.height, limit.maxH) << p.name;
        }
        EXPECT_GT(matched, 0) << limit.pattern;
    }
}

TEST_F(SkinArchive, PreviewControlsFitInsideThePane)
{
    // Bottom row of the preview pane (322 x 322): the seek slider sits below
    // the time texts (at most 18 high from y 254), the buttons 6 below it.
    const Picture* thumb = Find("surface/window/preview-play-thumb.png");
    const Picture* track = Find("surface/window/preview-mp-channel.png");
    const Picture* play = Find("surface/window/preview-play-normal.png");
    ASSERT_TRUE(thumb && track && play);
    EXPECT_LE(2 + track->width + thumb->width, 322);
    EXPECT_LE(254 + 18 + thumb->height + 6 + play->height, 322);
    int x = 36;
    for (const char* name : {"preview-play-normal", "preview-stop-normal", "preview-photo-normal",
                             "preview-select-normal", "preview-volume", "preview-volume-channel",
                             "preview-volume-thumb"}) {
        const Picture* p = Find(std::string("surface/window/") + name + ".png");
        ASSERT_TRUE(p) << name;
        x += p->width;
    }
    EXPECT_LE(x + 4 + 8 + 10, 322);
}

// Rows of controls that windows place one after another at fixed offsets:
// the row must end inside its window. Text a row also holds is given as the
// width it takes in the program's default fonts on this platform.
TEST_F(SkinArchive, ControlRowsFitTheirWindows)
{
    auto w = [&](const std::string& name) {
        const Picture* p = Find(name);
        EXPECT_TRUE(p) << name;
        return p ? p->width : 0;
    };
    const std::string win = "surface/window/", base = "surface/base/";
    const int edit = w(win + "edit-background.png");
    const int clip = w(win + "clip-background.png");
    const int custom = w("surface/customise/customise_bg.png");
    const int setting = w("surface/setting/setting_window.png");
    const struct {
        const char* row;
        int end, limit;
    } rows[] = {
        // output pane: field to 264, then browse and open folder, 8 apart
        {"output pane", 272 + w(win + "browse-normal.png") + 8 + w(win + "find-target-normal.png"), 600},
        // profile pane: combo to 350, settings button, then the 111-pixel check box
        {"profile pane", 358 + w(win + "settings-normal.png") + 8 + 111, 560},
        // title bar: the name label ends near 170, the buttons end 10 from the right
        {"title bar", 170 + w("surface/top/small.png") + w("surface/top/close.png") + 10,
         w(base + "background.png")},
        {"toolbar", 20 + w(win + "toolbar-add-normal.png") + w(win + "toolbar-clip-normal.png") +
                        w(win + "toolbar-edit-normal.png"),
         w(base + "background.png")},
        // clip transport row, before the elapsed time that ends at 410
        {"clip transport", 20 + w(win + "clip-play-normal.png") + 10 + w(win + "clip-next-frame-normal.png") + 10 +
                               w(win + "clip-make-in-normal.png") + 10 + w(win + "clip-make-out-normal.png") + 10 +
                               w(win + "clip-play-section-normal.png"),
         410 - 60},
        {"clip footer", 20 + w(base + "reset-normal.png") + 10 + 110 + 10 + w(base + "ok-normal.png") + 10 +
                            w(base + "cancel-normal.png") + 20,
         clip},
        {"edit transport", 24 + w(win + "edit-play-normal.png") + 16 + w(win + "edit-stop-normal.png") + 12 +
                               w(win + "edit-slider-channel.png") + w(win + "edit-slider-thumb.png") + 16 +
                               w(win + "preview-volume.png") + w(win + "preview-volume-channel.png") +
                               w(win + "preview-volume-thumb.png") + 16 + w(win + "edit-rotate-normal.png") + 16 +
                               w(win + "edit-level-normal.png") + 16 + w(win + "edit-vertical-normal.png"),
         edit - 10},
        {"edit tabs", 15 + w(win + "edit-crop-normal.png") + 2 + w(win + "edit-effect-normal.png") + 2 +
                          w(win + "edit-watermark-normal.png") + 2 + w(win + "edit-subtitle-normal.png"),
         edit},
        // customise buttons stand 80, 100 and 80 apart
        {"check all", 18 + w("surface/customise/checkall.png") + 4, 18 + 80},
        {"uncheck all", 98 + w("surface/customise/uncheckall.png") + 4, 98 + 100},
        {"customise ok", 198 + w("surface/customise/ok.png") + 4, 198 + 80},
        {"customise cancel", 278 + w("surface/customise/cancel.png") + 10, custom},
        // settings: OK at 270 before cancel at 355; save-as right of the preset chooser
        {"settings ok", 270 + w("surface/setting/ok.png") + 4, 355},
        {"settings cancel", 355 + w("surface/setting/cancel.png") + 10, setting},
        {"settings save as", 20 + 95 + 2 + setting / 6 * 3 + 10 + 4 + w("surface/setting/saveAs.png") + 30, setting},
        // popup strip: customise button 65 left of two spin buttons, inside 150
        {"popup spin buttons", 150 - 49 + 2 * w("surface/mypopmenu/spinButton/left.png") + 1, 150},
        {"popup customise", 150 - 49 - 65 + w("surface/mypopmenu/custom.png"), 150 - 49},
    };
    for (const auto& r : rows)
        EXPECT_LE(r.end, r.limit) << r.row;
}

TEST_F(SkinArchive, ButtonStatesLookDifferent)
{
    wxImage::AddHandler(new wxPNGHandler);
    const std::regex stateful(R"((.*)-normal\.png)");
    const std::regex hover(R"((surface/(customise|setting|top|mypopmenu)/.*)_over\.png)");
    int families = 0;
    for (const Picture& p : list_) {
        std::smatch m;
        std::vector<std::string> states;
        if (std::regex_match(p.name, m, stateful)) {
            for (const char* s : {"-normal.png", "-current.png", "-pressed.png", "-disable.png"})
                if (archive_.count(m[1].str() + s))
                    states.push_back(m[1].str() + s);
        } else if (std::regex_match(p.name, m, hover)) {
            states = {m[1].str() + ".png", p.name};
        }
        if (states.size() < 2)
            continue;
        ++families;
        for (std::size_t i = 0; i < states.size(); ++i)
            for (std::size_t j = i + 1; j < states.size(); ++j)
                EXPECT_NE(archive_.at(states[i]), archive_.at(states[j]))
                    << states[i] << " looks like " << states[j];
    }
    EXPECT_GT(families, 20);
}

TEST_F(SkinArchive, ShapeMasksArePureBlackAndWhite)
{
    wxImage::AddHandler(new wxPNGHandler);
    for (const Picture& p : list_) {
        if (p.name.find("_corner.png") == std::string::npos)
            continue;
        const wxImage image = Decode(p.name);
        ASSERT_TRUE(image.IsOk()) << p.name;
        const unsigned char* rgb = image.GetData();
        std::size_t odd = 0;
        for (int i = 0; i < image.GetWidth() * image.GetHeight() * 3; ++i)
            odd += rgb[i] != 0 && rgb[i] != 255;
        EXPECT_EQ(odd, 0u) << p.name;
        EXPECT_EQ(rgb[0], 255) << p.name << ": the corner must be cut away";
        const int centre = (image.GetHeight() / 2 * image.GetWidth() + image.GetWidth() / 2) * 3;
        EXPECT_EQ(rgb[centre], 0) << p.name << ": the face must stay";
    }
}

}  // namespace
