// Dialog base and the about, loading and log dialogs, shown for real.
#include "ControlsTestUtil.h"
#include "AppUtil.h"
#include "EventTypes.h"
#include "ImageUtil.h"
#include "ImportJob.h"
#include "PvAboutDialog.h"
#include "PvBitmapButton.h"
#include "PvInfoDialog.h"
#include "PvLoadingDialog.h"
#include "PvLogDialog.h"
#include "PvProgressControl.h"
#include "PvStaticText.h"
#include "SystemActions.h"
#include "TaskThread.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/hyperlink.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {


using ctest::PlainDialog;

wxBitmap* ImageBitmap(const char* entry)
{
    wxBitmap* bitmap = ImageUtil::LoadThemeBitmap(entry, wxBITMAP_TYPE_PNG);
    EXPECT_NE(bitmap, nullptr) << entry;
    return bitmap;
}

class DialogTest : public ::testing::Test {
protected:
    ctest::SkinArchive skin{ctest::StandardSkin()};
};

// Runs the dialog modally; `during` runs once the loop is up. A dialog that
// does not end within the time limit is ended with -1.
int RunModal(wxDialog& dialog, std::function<void()> during = {}, int limitMs = 10000)
{
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (dialog.IsModal())
            dialog.EndModal(-1);
    });
    guard.StartOnce(limitMs);
    if (during)
        dialog.CallAfter(during);
    return dialog.ShowModal();
}

TEST_F(DialogTest, CloseButtonSitsAtTheOffsetsFromTheTopRightCorner)
{
    ASSERT_TRUE(skin.ok());
    struct Case {
        int offsetX, offsetY;
        bool background;
        wxPoint expect;
    };
    // Background 400 x 320, close picture 16 x 16.
    const Case cases[] = {
        {-8, 6, true, {400 - 8 - 16, 6}},
        {-14, 8, true, {400 - 14 - 16, 8}},
        {-16, 6, true, {400 - 16 - 16, 6}},
        {-8, 6, false, {400 - 8 - 16, 6}},
    };
    for (const Case& c : cases) {
        PlainDialog dialog;
        if (c.offsetX != -8)
            dialog.SetCloseOffsetX(c.offsetX);
        if (c.offsetY != 6)
            dialog.SetCloseOffsetY(c.offsetY);
        wxBitmap* bg = c.background ? new wxBitmap(ctest::MakeGradient({400, 320})) : nullptr;
        ASSERT_TRUE(dialog.Create(nullptr, wxID_ANY, "", nullptr, bg, wxDefaultPosition,
                                  wxSize(400, 320), wxBORDER_NONE | wxFRAME_SHAPED));
        PvBitmapButton* close = dialog.GetCloseButton();
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(close->GetPosition(), c.expect) << c.offsetX << " " << c.background;
        EXPECT_EQ(close->GetSize(), wxSize(16, 16));
        EXPECT_EQ(close->GetId(), 2141);

        // The button's face: the background piece under it, then the picture.
        wxBitmap face(16, 16);
        wxMemoryDC dc(face);
        close->DrawFace(dc);
        dc.SelectObject(wxNullBitmap);
        EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 8, 8), wxColour(200, 40, 40)));
    }
}

TEST_F(DialogTest, DialogReleasesItsBackgroundAndTitle)
{
    int deleted = 0;
    {
        PlainDialog dialog;
        ASSERT_TRUE(dialog.Create(nullptr, wxID_ANY, "",
                                  new ctest::CountedBitmap(ctest::MakeBitmap({64, 64}, *wxBLUE), deleted),
                                  new ctest::CountedBitmap(ctest::MakeBitmap({300, 200}, *wxWHITE), deleted),
                                  wxDefaultPosition, wxSize(300, 200)));
        EXPECT_EQ(dialog.GetTitlePosition(), wxPoint((300 - 64) / 2, 28));
        wxBitmap face(300, 200);
        wxMemoryDC dc(face);
        dialog.DrawFace(dc);
        dc.SelectObject(wxNullBitmap);
        EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 118 + 5, 28 + 5), *wxBLUE));
        EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 20, 20), *wxWHITE));
        EXPECT_EQ(deleted, 0);
    }
    EXPECT_EQ(deleted, 2);
}

// The rounded shape reaches the X server: what lies under the window shows
// through the cut corners, the face everywhere else.
TEST_F(DialogTest, ShapedDialogShowsWhatIsUnderItsCutCorners)
{
    ctest::Backdrop backdrop(wxColour(255, 0, 255));
    PlainDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr, wxID_ANY, "", nullptr,
                              new wxBitmap(ctest::MakeBitmap({300, 200}, *wxWHITE)),
                              wxPoint(200, 150), wxSize(300, 200), wxBORDER_NONE | wxFRAME_SHAPED));
    ASSERT_TRUE(ctest::ShowAndWait(&dialog));
    const wxImage screen = ctest::GrabScreen();
    const wxSize size = dialog.GetSize();
    for (const wxPoint& corner :
         {wxPoint(0, 0), wxPoint(size.x - 1, 0), wxPoint(0, size.y - 1), wxPoint(size.x - 1, size.y - 1)})
        EXPECT_TRUE(ctest::SameColour(ctest::ScreenColour(screen, &dialog, corner), backdrop.colour()))
            << corner.x << "," << corner.y;
    for (const wxPoint& inside : {wxPoint(9, 0), wxPoint(0, 9), wxPoint(150, 100), wxPoint(size.x - 10, size.y - 1)})
        EXPECT_TRUE(ctest::SameColour(ctest::ScreenColour(screen, &dialog, inside), *wxWHITE))
            << inside.x << "," << inside.y;
    dialog.Hide();
}

TEST_F(DialogTest, DialogIsDraggedByItsFace)
{
    PlainDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr, wxID_ANY, "", nullptr,
                              new wxBitmap(ctest::MakeBitmap({300, 200}, *wxWHITE)),
                              wxDefaultPosition, wxSize(300, 200)));
    // Without a window manager GTK places a dialog only when it is moved.
    dialog.Move(100, 100);
    ASSERT_TRUE(ctest::ShowAndWait(&dialog));
    const wxPoint start = dialog.GetPosition();
    // The lone close button keeps its place and size when the dialog shows.
    EXPECT_EQ(dialog.GetCloseButton()->GetRect(), wxRect(300 - 8 - 16, 6, 16, 16));
    ctest::MoveTo(&dialog, {50, 50});
    ctest::Press();
    EXPECT_TRUE(dialog.HasCapture());
    ctest::MoveTo(&dialog, {70, 60});

    ctest::MoveTo(&dialog, wxPoint(90, 70) - (dialog.GetPosition() - start));
    ctest::Release();
    EXPECT_EQ(dialog.GetPosition(), start + wxPoint(40, 20));
    dialog.Hide();
}

TEST_F(DialogTest, AboutBoxEndsWithOkFromEitherButton)
{
    for (int id : {2141, int(wxID_OK)}) {
        PvAboutDialog about;
        wxBitmap* bg = ImageBitmap("surface/base/info_bg.png");
        ASSERT_TRUE(about.Create(nullptr, wxID_ANY, "", ImageBitmap("application/application.png"),
                                 bg, wxDefaultPosition, bg->GetSize()));
        about.CentreOnScreen();
        const int code = RunModal(about, [&] {
            if (id == 2141) {
                ctest::Screenshot("about");
                ctest::Click(about.GetCloseButton(), {8, 8});
            } else {
                wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
                about.GetEventHandler()->ProcessEvent(ok);
            }
        });
        EXPECT_EQ(code, 5100) << id;
    }
}

TEST_F(DialogTest, AboutLinkOpensThroughTheActionSeam)
{
    std::vector<std::string> actions;
    SystemActions::SetRecorder([&](const SystemActions::Action& a) { actions.push_back(a.LogLine()); });
    PvAboutDialog about;
    wxBitmap* bg = ImageBitmap("surface/base/info_bg.png");
    ASSERT_TRUE(about.Create(nullptr, wxID_ANY, "", nullptr, bg, wxDefaultPosition, bg->GetSize()));
    wxHyperlinkCtrl* link = nullptr;
    std::vector<wxStaticText*> lines;
    for (wxWindow* child : about.GetChildren()) {
        if (auto* l = dynamic_cast<wxHyperlinkCtrl*>(child))
            link = l;
        if (auto* t = dynamic_cast<wxStaticText*>(child))
            lines.push_back(t);
    }
    ASSERT_NE(link, nullptr);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0]->GetLabel(), "Tarvelin Merovant ");
    EXPECT_EQ(lines[1]->GetLabel(), "Version: 2.1.9");
    EXPECT_EQ(lines[0]->GetPosition().y, 160);
    // Lines one under the other, 10 pixels apart, the link between 2 and 4.
    EXPECT_EQ(lines[1]->GetPosition().y, 160 + lines[0]->GetSize().y + 10);
    EXPECT_EQ(link->GetPosition().y, lines[1]->GetPosition().y + lines[1]->GetSize().y + 10);
    EXPECT_EQ(lines[2]->GetPosition().y, link->GetPosition().y + link->GetSize().y + 10);
    EXPECT_TRUE(lines[2]->GetLabel().Contains("Tarvelin"));

    wxHyperlinkEvent click(link, link->GetId(), link->GetURL());
    link->GetEventHandler()->ProcessEvent(click);
    SystemActions::SetRecorder({});
    EXPECT_EQ(actions, std::vector<std::string>{"open-url " + PvAboutDialog::GetWebAddress().ToStdString()});
}

// A stand-in for the import job: posts the given (count, name) events to
// the dialog the way the import does, from its own thread.
struct FakeImport {
    wxEvtHandler* target = nullptr;
    std::vector<std::pair<int, std::string>> posts;
    int gapMs = 40;
    std::atomic<int> runs{0};
    std::atomic<bool> ended{false};

    static void Run(void* user)
    {
        auto* job = static_cast<FakeImport*>(user);
        ++job->runs;
        for (const auto& [n, name] : job->posts) {
            std::this_thread::sleep_for(std::chrono::milliseconds(job->gapMs));
            auto* event = new wxCommandEvent(EVT_MEDIA_IMPORT_PROGRESS, ImportJob::kDialogId);
            event->SetInt(n);
            event->SetString(wxString::FromUTF8(name));
            job->target->QueueEvent(event);
        }
    }
    static void End(void* user) { static_cast<FakeImport*>(user)->ended = true; }
};

class FailingStartDialog : public PvLoadingDialog {
protected:
    wxThreadError StartThread(TaskThread* thread) override
    {
        delete thread;  // what a failed start leaves: no thread
        return wxTHREAD_NO_RESOURCE;
    }
};

bool CreateLoading(PvLoadingDialog& dialog)
{
    wxBitmap* bg = ImageBitmap("surface/base/loading.png");
    if (!dialog.Create(nullptr, ImportJob::kDialogId, "", nullptr, bg, wxDefaultPosition, bg->GetSize()))
        return false;
    dialog.CentreOnScreen();
    return true;
}

TEST_F(DialogTest, LoadingDialogEndsOnTheImportsLastEvent)
{
    struct Case {
        const char* what;
        int range;
        std::vector<std::pair<int, std::string>> posts;
        int value;           // progress when the dialog ended
        const char* status;  // status text when it ended
    };
    const Case cases[] = {
        {"all accepted", 3, {{1, "a.mp4"}, {2, "b.mkv"}, {3, "c.avi"}}, 3, "c.avi"},
        {"one failed: closing event", 3, {{1, "a.mp4"}, {2, "b.mkv"}, {3, ""}}, 3, ""},
        {"none accepted: closing event", 2, {{2, ""}}, 2, ""},
        {"count 0 ends at once", 3, {{0, ""}}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeImport job;
        job.posts = c.posts;
        job.gapMs = 150;
        {
            PvLoadingDialog dialog;
            ASSERT_TRUE(CreateLoading(dialog));
            EXPECT_EQ(dialog.GetId(), ImportJob::kDialogId);
            job.target = &dialog;
            dialog.SetRange(c.range);
            dialog.SetThread(new TaskThread(&job, &FakeImport::Run, nullptr, &FakeImport::End));
            dialog.ShowCloseButton(false);
            bool closeRefused = false;
            const int code = RunModal(dialog, [&] {
                if (std::string(c.what) == "all accepted") {
                    dialog.Close();  // no one but the import may end it
                    closeRefused = dialog.IsModal();
                    ctest::Screenshot("loading");
                }
            });
            EXPECT_EQ(code, 0);
            EXPECT_TRUE(dialog.IsStarted());
            EXPECT_EQ(dialog.GetProgress()->GetValue(), c.value);
            EXPECT_EQ(dialog.GetStatusLabel()->GetLabel(), wxString::FromUTF8(c.status));
            if (std::string(c.what) == "all accepted") {
                EXPECT_TRUE(closeRefused);
            }
        }
        EXPECT_TRUE(ctest::WaitFor([&] { return job.ended.load(); }));
        EXPECT_EQ(job.runs, 1);
        ctest::Pump(20);
    }
}

TEST_F(DialogTest, LoadingDialogWithNothingToLoadClosesAtOnce)
{
    FakeImport job;
    PvLoadingDialog dialog;
    ASSERT_TRUE(CreateLoading(dialog));
    job.target = &dialog;
    dialog.SetRange(0);
    dialog.SetThread(new TaskThread(&job, &FakeImport::Run, nullptr, &FakeImport::End));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunModal(dialog), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(job.runs, 0);
    EXPECT_TRUE(job.ended);  // the unstarted thread was released
}

TEST_F(DialogTest, LoadingDialogWhoseThreadCannotStartCloses)
{
    FakeImport job;
    FailingStartDialog dialog;
    ASSERT_TRUE(CreateLoading(dialog));
    job.target = &dialog;
    dialog.SetRange(2);
    dialog.SetThread(new TaskThread(&job, &FakeImport::Run, nullptr, &FakeImport::End));
    EXPECT_EQ(RunModal(dialog), 0);
    EXPECT_EQ(job.runs, 0);
    EXPECT_TRUE(job.ended);
}

TEST_F(DialogTest, EscapeClosesEachDialogAsItsCloseButtonDoes)
{
    struct Case {
        const char* what;
        std::function<bool(PvInfoDialog&)> create;
        int code;  // -1: Escape must not end it
    };
    auto withBackground = [](const char* entry) {
        return [entry](PvInfoDialog& d) {
            wxBitmap* bg = ImageBitmap(entry);
            return d.Create(nullptr, wxID_ANY, "", nullptr, bg, wxDefaultPosition, bg->GetSize());
        };
    };
    PvAboutDialog about;
    PvLogDialog log;
    PlainDialog plain;
    PvLoadingDialog loading;
    const std::vector<std::pair<PvInfoDialog*, Case>> cases = {
        {&about, {"about", withBackground("surface/base/info_bg.png"), 5100}},
        {&log, {"log", withBackground("surface/window/fileinformation-bg.png"), 0}},
        {&plain, {"plain", withBackground("surface/base/loading.png"), 7}},
        {&loading, {"loading: only the import ends it",
                    [](PvInfoDialog& d) { return CreateLoading(static_cast<PvLoadingDialog&>(d)); },
                    -1}},
    };
    loading.SetRange(1);
    loading.SetThread(new TaskThread);
    for (const auto& [dialog, c] : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(c.create(*dialog));
        dialog->CentreOnScreen();
        bool stayed = false;
        const int code = RunModal(*dialog, [&, dialog = dialog] {
            ctest::MoveTo(dialog, {60, 60});
            wxUIActionSimulator().Char(WXK_ESCAPE);
            ctest::Pump(300);
            stayed = dialog->IsModal();
            if (stayed)
                dialog->EndModal(-1);
        });
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(stayed, c.code == -1);
    }
}

TEST_F(DialogTest, LogDialogListsTheFailedFiles)
{
    PvLogDialog log;
    wxBitmap* bg = ImageBitmap("surface/window/fileinformation-bg.png");
    ASSERT_TRUE(log.Create(nullptr, wxID_ANY, "", nullptr, bg, wxDefaultPosition, bg->GetSize()));
    for (const char* name : {"broken.mp4", "not a video.txt", "empty.mkv"})
        log.AddLine(name);
    log.CentreOnScreen();
    log.SetFailedCount(3);
    EXPECT_EQ(log.GetLog()->GetValue(), "broken.mp4\nnot a video.txt\nempty.mkv\n");
    EXPECT_EQ(log.GetCountLabel()->GetText(), "3 files failed.");
    EXPECT_GT(log.GetCountLabel()->GetSize().x, 0);
    EXPECT_EQ(log.GetLog()->GetSize(), wxSize(420 - 40, 300));
    const int code = RunModal(log, [&] {
        ctest::Screenshot("log");
        wxCommandEvent close(wxEVT_BUTTON, 2141);
        log.GetCloseButton()->GetEventHandler()->ProcessEvent(close);
    });
    EXPECT_EQ(code, 0);
}

}  // namespace

namespace {

// The dialogs on the program's own skin, when the build has staged it.
TEST(RealSkinTest, DialogsOpenOnTheStagedSkin)
{
    const std::string stage = mvtest::StageDir();
    if (stage.empty() || !mvtest::FileExists(stage + "/Themes/default.zip"))
        GTEST_SKIP() << "no staged skin";
    AppUtil::SetAppRootDir(wxString::FromUTF8(stage));
    {
        PvAboutDialog about;
        wxBitmap* bg = ImageBitmap("surface/base/info_bg.png");
        ASSERT_NE(bg, nullptr);
        ASSERT_TRUE(about.Create(nullptr, wxID_ANY, "", ImageBitmap("application/application.png"),
                                 bg, wxDefaultPosition, bg->GetSize()));
        about.CentreOnScreen();
        EXPECT_EQ(RunModal(about, [&] {
                      ctest::Screenshot("real-about");
                      about.EndModal(wxID_OK);
                  }),
                  wxID_OK);
    }
    {
        FakeImport job;
        job.posts = {{1, "holiday.mp4"}, {2, "concert.mkv"}};
        job.gapMs = 400;
        PvLoadingDialog dialog;
        ASSERT_TRUE(CreateLoading(dialog));
        job.target = &dialog;
        dialog.SetRange(2);
        dialog.SetThread(new TaskThread(&job, &FakeImport::Run, nullptr, &FakeImport::End));
        dialog.ShowCloseButton(false);
        wxTimer shot;
        shot.Bind(wxEVT_TIMER, [](wxTimerEvent&) { ctest::Screenshot("real-loading"); });
        shot.StartOnce(550);
        EXPECT_EQ(RunModal(dialog), 0);
        EXPECT_TRUE(ctest::WaitFor([&] { return job.ended.load(); }));
    }
    {
        PvLogDialog log;
        wxBitmap* bg = ImageBitmap("surface/window/fileinformation-bg.png");
        ASSERT_TRUE(log.Create(nullptr, wxID_ANY, "", nullptr, bg, wxDefaultPosition, bg->GetSize()));
        log.AddLine("notes.txt");
        log.AddLine("broken clip.avi");
        log.CentreOnScreen();
        log.SetFailedCount(2);
        EXPECT_EQ(RunModal(log, [&] {
                      ctest::Screenshot("real-log");
                      wxCommandEvent close(wxEVT_BUTTON, 2141);
                      log.GetCloseButton()->GetEventHandler()->ProcessEvent(close);
                  }),
                  0);
    }
    AppUtil::SetAppRootDir(wxString());
}

}  // namespace
