// The title bar, output folder and start panes on a host frame, driven with
// real pointer events.
#include "AppUtil.h"
#include "ImageUtil.h"
#include "NotifyCode.h"
#include "OutputWindow.h"
#include "PvBitmapButton.h"
#include "PvCheckBox.h"
#include "ControlsTestUtil.h"
#include "RunTestUtil.h"
#include "PvObserver.h"
#include "PvStaticText.h"
#include "PvSubject.h"
#include "StartWindow.h"
#include "SystemActions.h"
#include "TestSupport.h"
#include "TitleWindow.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/filesys.h>
#include <wx/frame.h>
#include <wx/fs_arc.h>
#include <wx/image.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cstdlib>
#include <filesystem>
#include <sys/mount.h>
#include <string>
#include <vector>

namespace {

using runtest::Click;
using runtest::Pump;
using runtest::WaitFor;

struct Recorder : PvObserver {
    std::vector<int> codes;
    void Update(PvSubject* subject, void*) override { codes.push_back(subject->GetState()); }
};

// Records close events instead of closing.
class HostFrame : public wxFrame {
public:
    HostFrame() : wxFrame(nullptr, wxID_ANY, "host", wxPoint(0, 0), wxSize(860, 120))
    {
        Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
            closes.push_back({e.GetId(), e.CanVeto()});
        });
    }
    std::vector<std::pair<int, bool>> closes;
};

class PanesTest : public testing::Test {
protected:
    static void SetUpTestSuite() { runtest::UseStagedProgramFolder(); }
    void SetUp() override
    {
        m_frame = new HostFrame;
        wxTheApp->SetTopWindow(m_frame);
        SystemActions::SetRecorder(
            [this](const SystemActions::Action& a) { m_actions.push_back(a.LogLine()); });
    }
    void TearDown() override
    {
        SystemActions::SetRecorder({});
        wxTheApp->SetTopWindow(nullptr);
        m_frame->Destroy();
        Pump(20);
    }
    // A skin of the background picture's piece for a pane.
    static wxBitmap* Skin(const wxRect& r)
    {
        const wxBitmap background = ImageUtil::LoadThemeBitmapValue("surface/base/background.png");
        return background.IsOk() ? ImageUtil::CropBitmapNew(background, r.x, r.y, r.width, r.height)
                                 : new wxBitmap(r.width, r.height);
    }

    HostFrame* m_frame = nullptr;
    std::vector<std::string> m_actions;
};

// The buttons sit flush, 10 pixels from the right end; close asks the top
// window to close without a veto; the program picture is drawn 16 x 16.
TEST_F(PanesTest, TitleBarButtonsAndPicture)
{
    auto* title = new TitleWindow(m_frame, 2165, Skin(wxRect(0, 0, 846, 20)), wxPoint(0, 0),
                                  wxSize(846, 20));
    m_frame->Show();
    Pump(100);
    const wxRect minimize = title->GetMinimizeButton()->GetRect();
    const wxRect close = title->GetCloseButton()->GetRect();
    EXPECT_EQ(minimize.GetRight() + 1, close.x);
    EXPECT_EQ(close.GetRight() + 1, 846 - 10);
    EXPECT_EQ(minimize.y, 6);
    EXPECT_EQ(title->GetNameLabel()->GetPosition(), wxPoint(34, 6));

    Click(title->GetCloseButton());
    ASSERT_EQ(m_frame->closes.size(), 1u);
    EXPECT_EQ(m_frame->closes[0], std::make_pair(2000, false));

    for (int side : {16, 32, 64}) {
        const wxBitmap picture(wxImage(side, side));
        EXPECT_EQ(TitleWindow::BarPicture(picture).GetSize(), wxSize(16, 16)) << side;
    }
}

// The folder is shown and handed on as it stands (a backslash is a name
// character here); a change tells the observers; the open button goes
// through the system-action seam; the merge box is never seen.
TEST_F(PanesTest, OutputFolderChangesAndOpens)
{
    auto* output = new OutputWindow;
    ASSERT_TRUE(output->Create(m_frame, OutputWindow::ID_OUTPUT_WINDOW,
                               Skin(wxRect(40, 490, 600, 28)), wxPoint(0, 0), wxSize(600, 28)));
    m_frame->Show();
    Pump(100);
    EXPECT_EQ(output->GetOutputFolder(), GetUserDataDir());
    EXPECT_TRUE(output->GetFolderField()->HasFlag(wxTE_READONLY));
    EXPECT_EQ(output->GetBrowseButton()->GetPosition(), wxPoint(62 + 202 + 8, 0));
    EXPECT_FALSE(output->GetMergeBox()->IsShown());
    EXPECT_FALSE(output->GetMergeBox()->IsEnabled());

    Recorder observer;
    output->Attach(&observer);
    const wxString folder = "/tmp/out\\put";
    output->SetOutputFolder(folder);
    EXPECT_EQ(observer.codes, std::vector<int>{NOTIFY_OUTPUT_FOLDER_CHANGED});
    EXPECT_EQ(output->GetOutputFolder(), folder);
    Click(output->GetOpenButton());
    EXPECT_EQ(m_actions, std::vector<std::string>{"open-folder /tmp/out\\put"});
    output->Detach(&observer);
}

// Code 11 opens the run dialog with its id and skin size; other codes
// (the output pane's 6) do nothing. With no rows the run ends at once.
TEST_F(PanesTest, StartPaneOpensTheRunDialogOnCodeEleven)
{
    auto* start = new StartWindow(m_frame, 2153, Skin(wxRect(690, 450, 136, 64)), wxPoint(0, 0),
                                  wxSize(136, 64));
    m_frame->Show();
    Pump(100);
    PvSubject sender;
    sender.Attach(start);
    sender.SetState(NOTIFY_OUTPUT_FOLDER_CHANGED);
    sender.Notify(nullptr);
    EXPECT_EQ(wxWindow::FindWindowById(StartWindow::ID_PROGRESS_DIALOG), nullptr);

    // The empty run ends at once with its message box, which Return closes.
    wxSize seen;
    int presses = 0;
    wxTimer presser;
    presser.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (wxWindow* dialog = wxWindow::FindWindowById(StartWindow::ID_PROGRESS_DIALOG))
            seen = dialog->GetSize();
        if (++presses < 40)
            wxUIActionSimulator().Char(WXK_RETURN);
    });
    presser.Start(300);
    sender.SetState(NOTIFY_START_CONVERSION);
    sender.Notify(nullptr);
    presser.Stop();
    EXPECT_LT(presses, 40) << "the message box did not close";
    const wxImage skin = ImageUtil::LoadThemeImage("surface/window/progress-convert.png");
    EXPECT_EQ(seen, skin.GetSize());
    EXPECT_EQ(wxWindow::FindWindowById(StartWindow::ID_PROGRESS_DIALOG), nullptr);
}

}  // namespace

namespace {

// At Start a missing output folder is made with its parents; one that cannot
// be made (a read-only disk, a file in the way, no name) stops the run
// before its dialog opens, with a message that says why.
TEST_F(PanesTest, StartMakesTheOutputFolderOrSaysWhyItCannot)
{
    mvtest::TempDir dir;
    const std::string readOnly = dir / "ro";
    std::filesystem::create_directories(readOnly);
    const bool mounted = mount("tmpfs", readOnly.c_str(), "tmpfs", MS_RDONLY, "size=64k") == 0;
    mvtest::WriteFile(dir / "file", "x");

    auto* output = new OutputWindow;
    output->Create(m_frame, OutputWindow::ID_OUTPUT_WINDOW, new wxBitmap(600, 28), wxPoint(0, 70),
                   wxSize(600, 28));
    auto* start = new StartWindow(m_frame, 2153, Skin(wxRect(690, 450, 136, 64)), wxPoint(0, 0),
                                  wxSize(136, 64));
    m_frame->Show();
    Pump(100);

    struct Case {
        std::string folder;
        bool runs;
        wxString message;
    };
    const wxString notStarted = ".\n\nThe conversion was not started.";
    std::vector<Case> cases = {
        {dir / "made/with/parents", true, "Convert files finished."},
        {dir / "file", false, "The output folder " + wxString::FromUTF8(dir / "file") +
                                  " cannot be used: it is not a folder" + notStarted},
        {"", false, "No output folder is set" + notStarted},
    };
    if (mounted)
        cases.push_back({readOnly + "/out", false, "The output folder " + wxString::FromUTF8(readOnly + "/out") +
                                                       " cannot be used: Read-only file system" + notStarted});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        output->SetOutputFolder(wxString::FromUTF8(c.folder));
        bool dialogSeen = false;
        wxTimer watcher;
        watcher.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            dialogSeen = dialogSeen || wxWindow::FindWindowById(StartWindow::ID_PROGRESS_DIALOG);
        });
        watcher.Start(20);
        ctest::MessageBoxCatcher boxes;
        start->RunConversion();
        watcher.Stop();
        EXPECT_EQ(boxes.messages, std::vector<wxString>{c.message});
        EXPECT_EQ(dialogSeen, c.runs);
        if (c.runs) {
            EXPECT_TRUE(std::filesystem::is_directory(c.folder));
        }
    }
    if (mounted)
        umount2(readOnly.c_str(), MNT_DETACH);
    else
        GTEST_SKIP() << "no read-only tmpfs without root";
}

}  // namespace
