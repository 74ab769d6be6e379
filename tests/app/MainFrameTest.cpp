// The main frame built from the staged skin, and the frame's update answers.
#include "AppUtil.h"
#include "EventTypes.h"
#include "FrameTESSALINE.h"
#include "ImageUtil.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/control.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filesys.h>
#include <wx/fs_arc.h>
#include <wx/image.h>
#include <wx/statbmp.h>
#include <wx/utils.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class MainFrameTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        AppUtil::SetAppRootDir(wxString::FromUTF8(mvtest::StageDir()));
        wxFileSystem::AddHandler(new wxArchiveFSHandler);
        wxInitAllImageHandlers();
    }
    static void Pump(int ms)
    {
        const wxLongLong end = wxGetLocalTimeMillis() + ms;
        while (wxGetLocalTimeMillis() < end) {
            wxTheApp->ProcessPendingEvents();
            wxYield();
            wxMilliSleep(5);
        }
    }
};

TEST_F(MainFrameTest, OpensTitledAndSizedToItsBackgroundShowingIt)
{
    const wxImage background = ImageUtil::LoadThemeImage("surface/base/background.png");
    ASSERT_TRUE(background.IsOk()) << "no staged skin";

    auto* frame = new FrameTESSALINE;
    ASSERT_TRUE(frame->Create(2000, "ignored", wxSize(10, 10)));
    EXPECT_EQ(frame->GetId(), 2000);
    EXPECT_EQ(frame->GetTitle(), "Tarvelin Merovant");
    EXPECT_TRUE(frame->HasFlag(wxFRAME_SHAPED));
    EXPECT_EQ(frame->GetClientSize(), background.GetSize());
    frame->Show(true);
    Pump(400);

    // The frame's face on the screen is the background picture; look at
    // points away from the rounded corners.
    const wxPoint origin = frame->GetScreenPosition();
    const wxSize size = background.GetSize();
    wxBitmap grab(size);
    {
        wxScreenDC screen;
        wxMemoryDC memory(grab);
        memory.Blit(0, 0, size.x, size.y, &screen, origin.x, origin.y);
    }
    const wxImage shown = grab.ConvertToImage();
    // The panes' controls and the title bar's program picture draw over the
    // background (a static picture shows it).
    std::vector<wxRect> controls{wxRect(13, 5, 16, 16)};
    std::function<void(wxWindow*)> collect = [&](wxWindow* window) {
        for (wxWindow* child : window->GetChildren()) {
            if (!child->IsShown())
                continue;
            if (dynamic_cast<wxControl*>(child) && !dynamic_cast<wxStaticBitmap*>(child))
                controls.emplace_back(frame->ScreenToClient(child->GetScreenPosition()), child->GetSize());
            collect(child);
        }
    };
    collect(frame);
    int compared = 0, differing = 0;
    for (int y = 12; y < size.y - 12; y += 7) {
        for (int x = 12; x < size.x - 12; x += 7) {
            if (std::any_of(controls.begin(), controls.end(),
                            [&](const wxRect& r) { return r.Contains(x, y); }))
                continue;
            ++compared;
            const int d = std::abs(shown.GetRed(x, y) - background.GetRed(x, y)) +
                          std::abs(shown.GetGreen(x, y) - background.GetGreen(x, y)) +
                          std::abs(shown.GetBlue(x, y) - background.GetBlue(x, y));
            if (d > 6)
                ++differing;
        }
    }
    EXPECT_GT(compared, 1000);
    EXPECT_EQ(differing, 0) << "of " << compared << " points";
    frame->Destroy();
    Pump(50);
}

// The update answer, queued as the update check does, reaches the frame's handler.
class AnswerRecorder : public FrameBase {
public:
    std::vector<wxString> answers;

protected:
    void OnUpdateResult(wxCommandEvent& event) override { answers.push_back(event.GetString()); }
};

TEST_F(MainFrameTest, UpdateAnswerReachesTheFrame)
{
    auto* frame = new AnswerRecorder;
    ASSERT_TRUE(frame->Create(2000, "answers", wxSize(100, 80)));
    for (const char* version : {"2.2.0", ""}) {
        auto* event = new wxCommandEvent(EVT_UPDATE_CHECK_RESULT, 0);
        event->SetString(version);
        frame->GetEventHandler()->QueueEvent(event);
    }
    Pump(100);
    EXPECT_EQ(frame->answers, (std::vector<wxString>{"2.2.0", ""}));
    frame->Destroy();
    Pump(20);
}

TEST(MainFrameLayoutTest, PanesLieOnTheBackgroundWithoutOverlapping)
{
    const wxSize background(846, 530);
    const auto slots = FrameTESSALINE::PaneLayout(background);
    ASSERT_EQ(slots.size(), 8u);
    const int ids[] = {2165, 2155, 2007, 2136, 2140, 2138, 2139, 2153};
    for (size_t i = 0; i < slots.size(); ++i) {
        SCOPED_TRACE(slots[i].name);
        EXPECT_EQ(slots[i].id, ids[i]);
        EXPECT_TRUE(wxRect(background).Contains(slots[i].rect));
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(slots[i].rect.Intersects(slots[j].rect)) << slots[j].name;
    }
    EXPECT_EQ(slots[0].rect, wxRect(0, 0, 846, 20));
    EXPECT_EQ(slots[3].rect, wxRect(10, 108, 502, 320));
    EXPECT_EQ(slots[6].rect, wxRect(40, 490, 600, 28));
    EXPECT_EQ(slots[7].rect, wxRect(690, 450, 136, 64));
    EXPECT_EQ(slots[4].style, 0);
}

TEST(UpdateAnswerTest, MessageForEachAnswer)
{
    struct Case {
        std::string latest;
        bool ask;
        const char* text;
    };
    const char* const failed = "Update failed!Please check if the network is available.";
    const Case cases[] = {
        // Not a plain version: the failure notice, never a box sized by the reply.
        {std::string(10000, '9'), false, failed},
        {"2.3.0-beta", false, failed},
        {"2.3.0\nClick Yes", false, failed},
        {"1.2.3.4.5.6.7.8.9.10.11.12.13.145", false, failed},
        // Numbers longer than a machine word still compare as numbers.
        {"2.1.100000000000000000000000", true,
         "A new version of Tarvelin Merovant(2.1.100000000000000000000000) is available. Click Yes to open "
         "download page."},
        {"2.1.0000000000000000000000009", false,
         "This version of Tarvelin Merovant(2.1.9) is the latest version."},
        {"", false, "Update failed!Please check if the network is available."},
        {"2.1.9", false, "This version of Tarvelin Merovant(2.1.9) is the latest version."},
        {"2.1.8", false, "This version of Tarvelin Merovant(2.1.9) is the latest version."},
        {"2.1.10", true,
         "A new version of Tarvelin Merovant(2.1.10) is available. Click Yes to open download page."},
        {"3", true,
         "A new version of Tarvelin Merovant(3) is available. Click Yes to open download page."},
        {"2.1.9.1", true,
         "A new version of Tarvelin Merovant(2.1.9.1) is available. Click Yes to open download page."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.latest.substr(0, 40));
        const FrameBase::UpdateMessage m = FrameBase::DescribeUpdateResult(c.latest, "2.1.9");
        EXPECT_EQ(m.askToDownload, c.ask);
        EXPECT_EQ(m.text, c.text);
    }
}

}  // namespace
