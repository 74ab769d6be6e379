// Real GTK message boxes of long, tall and non-ASCII texts, fitted to the
// screen this test runs on (the program runs on large and small screens
// alike): each box lies inside the screen, as the window system places it
// and as the screen shows it.
#include "ControlsTestUtil.h"
#include "ScreenFitText.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>

#include <string>

namespace {

wxString U(const std::string& utf8) { return wxString::FromUTF8(utf8); }

struct ShownBox {
    bool seen = false;
    wxRect box;     // the box with its frame, on the screen
    wxRect screen;  // the monitor it is on
    wxImage grab;   // the screen while it is up
};

// Shows text as the program does and reads the box once it has been drawn.
ShownBox Show(const wxString& text, wxWindow* parent)
{
    ShownBox shown;
    int ticks = 0;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        GtkWidget* box = ctest::ShownMessageBox();
        // A few ticks after mapping, so the box is drawn in its final size.
        if (!box || ++ticks < 4)
            return;
        timer.Stop();
        GdkWindow* window = gtk_widget_get_window(box);
        GdkRectangle frame;
        gdk_window_get_frame_extents(window, &frame);
        GdkRectangle monitor;
        gdk_monitor_get_geometry(gdk_display_get_monitor_at_window(gdk_window_get_display(window), window),
                                 &monitor);
        shown.box = wxRect(frame.x, frame.y, frame.width, frame.height);
        shown.screen = wxRect(monitor.x, monitor.y, monitor.width, monitor.height);
        shown.grab = ctest::GrabScreen();
        shown.seen = true;
        gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
    });
    timer.Start(100);
    wxMessageBox(ScreenFitText::ForMessageBox(text, parent), "Merovant", wxOK | wxCENTRE | wxICON_ERROR,
                 parent);
    return shown;
}

std::string Path(size_t length)
{
    std::string path = "/home/someone/Videos";
    for (int i = 0; path.size() < length; ++i)
        path += "/folder_" + std::to_string(i);
    return path;
}

TEST(MessageBoxFitTest, LongTallAndForeignTextsStayInsideTheScreen)
{
    std::string name300;
    for (int i = 0; name300.size() < 300; ++i)
        name300 += "Holiday_Clip" + std::to_string(i);
    name300.resize(300);
    std::string lines;
    for (int i = 0; i < 120; ++i)
        lines += "clip" + std::to_string(i) + ".mp4: Invalid data found when processing input\n";
    std::string foreign;
    while (foreign.size() < 600)
        foreign += "Vid\xC3\xA9o_\xC3\x9Cn\xC3\xAF""c\xC3\xB8""d\xC3\xA9_\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"
                   "_\xD0\x9A\xD0\xB8\xD1\x80\xD0\xB8\xD0\xBB\xD0\xBB\xD0\xB8\xD1\x86\xD0\xB0_";
    std::string failures = "Convert files finished. 9 of 9 files failed.\n\n";
    for (int i = 0; i < 8; ++i)
        failures += std::to_string(i) + name300.substr(0, 240) + ".mp4: Invalid data found when processing input\n";
    failures += "and 1 more\n\nDetails are in " + Path(180) + "/log.txt";

    struct Case {
        const char* what;
        wxString text;
    };
    const Case cases[] = {
        {"a 300-character name", U("The file " + name300 + ".mp4 could not be converted.")},
        {"a 2,000-character path", U("The output folder " + Path(2000) + " cannot be used: Permission denied.")},
        {"120 short lines", U(lines)},
        {"non-ASCII names", U("The file " + foreign + ".mkv could not be read.")},
        {"a name with a line break", U("The snapshot could not be saved as\n/tmp/" + name300.substr(0, 120) + "\n" +
                                        name300.substr(120) + ".png\n\nNo space left on device.")},
        {"the run's failure list", U(failures)},
    };
    ctest::Backdrop backdrop(wxColour(255, 0, 255));
    wxFrame* owner = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(20, 20), wxSize(300, 200));
    ASSERT_TRUE(ctest::ShowAndWait(owner));
    for (const Case& c : cases) {
        for (wxWindow* parent : {static_cast<wxWindow*>(nullptr), static_cast<wxWindow*>(owner)}) {
            SCOPED_TRACE(std::string(c.what) + (parent ? ", over a window" : ""));
            const ShownBox shown = Show(c.text, parent);
            ASSERT_TRUE(shown.seen);
            EXPECT_TRUE(shown.screen.Contains(shown.box))
                << "box " << shown.box.x << "," << shown.box.y << " " << shown.box.width << "x"
                << shown.box.height << " on a screen of " << shown.screen.width << "x" << shown.screen.height;
            // The screen shows the box where the window system says it is:
            // its right and bottom edges are drawn, the backdrop lies beyond.
            ASSERT_TRUE(shown.grab.IsOk());
            const int right = shown.box.GetRight();
            const int bottom = shown.box.GetBottom();
            const int midY = shown.box.y + shown.box.height / 2;
            const int midX = shown.box.x + shown.box.width / 2;
            const wxColour edge(shown.grab.GetRed(right, midY), shown.grab.GetGreen(right, midY),
                                shown.grab.GetBlue(right, midY));
            const wxColour foot(shown.grab.GetRed(midX, bottom), shown.grab.GetGreen(midX, bottom),
                                shown.grab.GetBlue(midX, bottom));
            EXPECT_FALSE(ctest::SameColour(edge, backdrop.colour()));
            EXPECT_FALSE(ctest::SameColour(foot, backdrop.colour()));
            if (right + 1 < shown.grab.GetWidth()) {
                const wxColour beyond(shown.grab.GetRed(right + 1, midY), shown.grab.GetGreen(right + 1, midY),
                                      shown.grab.GetBlue(right + 1, midY));
                EXPECT_TRUE(ctest::SameColour(beyond, backdrop.colour()));
            }
            if (!parent && std::getenv("MV_SCREENSHOT_DIR"))
                shown.grab.SaveFile(wxString::FromUTF8(std::string(std::getenv("MV_SCREENSHOT_DIR")) +
                                                       "/message-box-" + std::to_string(&c - cases) + ".png"),
                                    wxBITMAP_TYPE_PNG);
        }
    }
    owner->Destroy();
    ctest::Pump(50);
}

}  // namespace
