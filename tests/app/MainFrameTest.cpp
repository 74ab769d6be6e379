// The main frame built from the staged skin, and the frame's update answers.
#include "AppUtil.h"
#include "ControlsTestUtil.h"
#include "EventTypes.h"
#include "FrameTESSALINE.h"
#include "ImageUtil.h"
#include "TestSupport.h"
#include "WebPageOpener.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/control.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filesys.h>
#include <wx/fs_arc.h>
#include <wx/image.h>
#include <wx/statbmp.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
// After gtest and wx: Xlib defines macros such as None and Bool.
#include <X11/Xlib.h>

#include <algorithm>
#include <filesystem>
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

// Watches every message box while it lives: once the box is on the screen,
// keeps its message and its place as the X server has it, then presses its
// affirmative button with the pointer.
class BoxesOnScreen : public wxModalDialogHook {
public:
    struct Box {
        wxString message;
        wxRect place;
    };

    BoxesOnScreen()
    {
        Register();
        timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Look(); });
    }
    ~BoxesOnScreen() override { Unregister(); }
    std::vector<Box> boxes;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
            open = box;
            ticks = 0;
            clicked = false;
            timer.Start(100);  // the box's own loop runs the timer
        }
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override
    {
        if (dialog == open) {
            open = nullptr;
            timer.Stop();
        }
    }

private:
    void Look()
    {
        GtkWidget* widget = open ? open->GetHandle() : nullptr;
        if (!widget)
            return;
        ++ticks;
        // A box that never shows or does not take the click fails the test
        // instead of waiting for ever.
        if (ticks > 50) {
            ADD_FAILURE() << (clicked ? "the box did not take the click: " : "the box never showed: ")
                          << open->GetMessage().Left(80);
            timer.Stop();
            gtk_dialog_response(GTK_DIALOG(widget), GTK_RESPONSE_CANCEL);
            return;
        }
        // A few ticks on the screen first, so that it has its final place.
        if (clicked || !gtk_widget_get_mapped(widget) || ticks < 4)
            return;
        GdkWindow* window = gtk_widget_get_window(widget);
        XWindowAttributes shown{};
        XGetWindowAttributes(GDK_DISPLAY_XDISPLAY(gdk_window_get_display(window)), GDK_WINDOW_XID(window),
                             &shown);
        boxes.push_back({open->GetMessage(), wxRect(shown.x, shown.y, shown.width, shown.height)});
        static int count = 0;
        ctest::Screenshot("update-answer-box-" + std::to_string(++count));

        const bool question = (open->GetMessageDialogStyle() & wxYES_NO) != 0;
        GtkWidget* button =
            gtk_dialog_get_widget_for_response(GTK_DIALOG(widget), question ? GTK_RESPONSE_YES : GTK_RESPONSE_OK);
        int x = 0, y = 0;
        if (!button || !gtk_widget_translate_coordinates(button, widget, 0, 0, &x, &y))
            return;  // left to the give-up above
        clicked = true;
        ticks = 0;
        const wxPoint centre(shown.x + x + gtk_widget_get_allocated_width(button) / 2,
                             shown.y + y + gtk_widget_get_allocated_height(button) / 2);
        wxUIActionSimulator pointer;
        pointer.MouseMove(centre);
        wxMilliSleep(50);
        pointer.MouseClick();
    }

    wxMessageDialog* open = nullptr;
    int ticks = 0;
    bool clicked = false;
    wxTimer timer;
};

// The boxes an update answer shows lie on the screen whatever the reply
// said (the version is bounded before any box is sized by it), and Yes on a
// download page that is no web address gets a box of its own, on the
// screen too. The boxes are answered with the pointer.
TEST_F(MainFrameTest, UpdateAnswerBoxesLieOnTheScreen)
{
    const std::string stage = mvtest::StageDir();
    mvtest::TempDir root;
    std::filesystem::create_symlink(stage + "/Themes", root / "Themes");
    mvtest::WriteFile(root / "option.cfg",
                      "<option><a><b>http://127.0.0.1:9/help</b><b>h</b><b>s</b><b>b</b><b>u</b>"
                      "<b>javascript:alert(1)//</b></a></option>");
    AppUtil::SetAppRootDir(wxString::FromUTF8(root.path()));
    auto* frame = new FrameBase;
    ASSERT_TRUE(frame->Create(2000, "answers", wxSize(300, 200)));
    frame->Show();
    Pump(200);

    const wxString failed = "Update failed!Please check if the network is available.";
    const std::string newest = "2.1.10.0000000000000000000000000";  // 32 characters
    const struct {
        std::string latest;
        std::vector<wxString> messages;
    } cases[] = {
        {std::string(10000, '9'), {failed}},
        {"2.1.9", {"This version of Tarvelin Merovant(2.1.9) is the latest version."}},
        {newest,
         {"A new version of Tarvelin Merovant(" + newest + ") is available. Click Yes to open download page.",
          WebPageOpener::kRefusedText}},
    };
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    const wxRect screen(0, 0, DisplayWidth(display, DefaultScreen(display)),
                        DisplayHeight(display, DefaultScreen(display)));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.latest.substr(0, 40));
        BoxesOnScreen watcher;
        wxCommandEvent answer(EVT_UPDATE_CHECK_RESULT, 0);
        answer.SetString(c.latest);
        frame->GetEventHandler()->ProcessEvent(answer);
        ASSERT_EQ(watcher.boxes.size(), c.messages.size());
        for (size_t i = 0; i < c.messages.size(); ++i) {
            const BoxesOnScreen::Box& box = watcher.boxes[i];
            EXPECT_EQ(box.message, c.messages[i]);
            EXPECT_TRUE(screen.Contains(box.place))
                << "box at " << box.place.x << "," << box.place.y << " size " << box.place.width << "x"
                << box.place.height << " on a " << screen.width << "x" << screen.height << " screen";
        }
    }
    frame->Destroy();
    Pump(50);
    AppUtil::SetAppRootDir(wxString::FromUTF8(stage));
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
