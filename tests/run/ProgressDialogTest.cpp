// The conversion run dialog over rows of a stand-in file list (a panel with
// id 2136 holding a grid), the real output folder pane and a stand-in
// converter; buttons are pressed with real pointer events.
#include "AppSettings.h"
#include "AppUtil.h"
#include "ControlsTestUtil.h"
#include "ConvertJob.h"
#include "FakeConverter.h"
#include "FileUtil.h"
#include "ImageUtil.h"
#include "OutputWindow.h"
#include "ProgressDialog.h"
#include "SelectWindow.h"
#include "EventTypes.h"
#include "PvGridCellRenderCommandEvent.h"
#include "PvBitmapButton.h"
#include "PvCheckBox.h"
#include "RunTestUtil.h"
#include "ScreenFitText.h"
#include "StartWindow.h"
#include "SystemActions.h"
#include "TestSupport.h"
#include "TfGridCellRenderer.h"
#include "WmGrid.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/filesys.h>
#include <wx/frame.h>
#include <wx/fs_arc.h>
#include <wx/grid.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/sstream.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/xml/xml.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using runtest::Click;
using ctest::MessageBoxCatcher;
using runtest::Pump;
using runtest::WaitFor;

const char* const kCatalog =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalog>\n"
    " <section seq=\"1\" level=\"1\" isShow=\"1\" id=\"Video\" alias=\"Video\" image=\"\">\n"
    "  <subsection seq=\"1\" level=\"2\" isShow=\"1\" id=\"mp4v (*.mp4)\" alias=\"MP4\" image=\"\""
    "   description=\"\" transfer_extra_param=\"-vcodec mpeg4 -acodec aac\"/>\n"
    "  <subsection seq=\"2\" level=\"2\" isShow=\"1\" id=\"avi (*.avi)\" alias=\"AVI\" image=\"\""
    "   description=\"\" transfer_extra_param=\"-vcodec mjpeg -acodec pcm_s16le\"/>\n"
    " </section>\n</catalog>\n";

std::vector<wxString> Strings(const wxArrayString& array)
{
    return std::vector<wxString>(array.begin(), array.end());
}

wxString StateLabel(ProgressDialog& dialog, int row)
{
    auto* renderer = dynamic_cast<TfGridCellRenderer*>(
        dialog.GetGrid()->PeekCellRenderer(row, ProgressDialog::COL_STATE));
    return renderer ? renderer->GetLabel() : wxString("?");
}

class RunDialogTest : public testing::Test {
protected:
    static void SetUpTestSuite() { runtest::UseStagedProgramFolder(); }

    void SetUp() override
    {
        m_converter.Install();
        wxStringInputStream in(kCatalog);
        m_catalog = std::make_unique<wxXmlDocument>(in);
        ASSERT_TRUE(m_catalog->IsOk());
        m_settings.catalog = m_catalog.get();
        wxTheApp->SetClientData(&m_settings);
        SystemActions::SetRecorder(
            [this](const SystemActions::Action& a) { m_actions.push_back(a.LogLine()); });

        m_frame = new wxFrame(nullptr, wxID_ANY, "host", wxPoint(0, 0), wxSize(620, 300));
        auto* list = new wxPanel(m_frame, SelectWindow::ID_SELECT_WINDOW, wxPoint(0, 0),
                                 wxSize(600, 200));
        m_list = new wxGrid(list, wxID_ANY, wxPoint(0, 0), wxSize(600, 200));
        m_list->CreateGrid(0, 7);
        m_output = new OutputWindow;
        m_output->Create(m_frame, OutputWindow::ID_OUTPUT_WINDOW, new wxBitmap(600, 28),
                         wxPoint(0, 210), wxSize(600, 28));
        m_output->SetOutputFolder(wxString::FromUTF8(m_out.path()));
        m_frame->Show();
        Pump(50);
    }

    void TearDown() override
    {
        m_converter.ReleaseAll();
        m_frame->Destroy();
        Pump(20);
        SystemActions::SetRecorder({});
        wxTheApp->SetClientData(nullptr);
        FakeConverter::Uninstall();
    }

    // A file list row: its base name, extension, source path, profile id and duration.
    void AddRow(const wxString& base, const wxString& extension, const wxString& path,
                const wxString& profile, const wxString& duration = "00:00:10")
    {
        const int row = m_list->GetNumberRows();
        m_list->AppendRows(1);
        m_list->SetCellValue(row, 1, duration);
        m_list->SetCellValue(row, 3, base);
        m_list->SetCellValue(row, 4, extension);
        m_list->SetCellValue(row, 5, path);
        m_list->SetCellValue(row, 6, profile);
    }

    wxString Out(const std::string& name) const { return wxString::FromUTF8(m_out / name); }

    // Opens the dialog as the start pane does and runs the script inside its
    // modal loop; whatever the script leaves open is closed afterwards.
    void RunDialog(const std::function<void(ProgressDialog&)>& script,
                   const std::function<void(ProgressDialog&)>& prepare = {})
    {
        ProgressDialog dialog;
        CreateDialog(dialog);
        if (prepare)
            prepare(dialog);
        m_closedByScript = false;
        dialog.CallAfter([&] {
            WaitFor([&] { return dialog.IsShownOnScreen(); });
            Pump(100);
            script(dialog);
            if (dialog.IsModal()) {
                m_closedByScript = true;
                m_converter.ReleaseAll();
                dialog.EndModal(99);
            }
        });
        dialog.ShowModal();
        m_converter.ReleaseAll();
    }

    // As the start pane does.
    static void CreateDialog(ProgressDialog& dialog)
    {
        wxBitmap* background = ImageUtil::LoadThemeBitmap("surface/window/progress-convert.png");
        ASSERT_NE(background, nullptr) << "no staged skin";
        const wxSize size = background->GetSize();
        ASSERT_TRUE(dialog.Create(nullptr, StartWindow::ID_PROGRESS_DIALOG, "", nullptr,
                                  background, wxDefaultPosition, size,
                                  wxBORDER_NONE | wxFRAME_SHAPED));
        dialog.CentreOnScreen();
    }

    mvtest::TempDir m_out;
    FakeConverter m_converter;
    std::unique_ptr<wxXmlDocument> m_catalog;
    AppSettings m_settings;
    std::vector<std::string> m_actions;
    wxFrame* m_frame = nullptr;
    wxGrid* m_list = nullptr;
    OutputWindow* m_output = nullptr;
    bool m_closedByScript = false;
};

TEST(RunDialogMessageTest, FinishedTextNamesFailuresOnlyWhenThereAreSome)
{
    struct Case {
        int failed, total;
        const char* text;
    };
    for (const Case& c : {Case{0, 0, "Convert files finished."},
                          Case{0, 3, "Convert files finished."},
                          Case{1, 3, "Convert files finished. 1 of 3 files failed."},
                          Case{3, 3, "Convert files finished. 3 of 3 files failed."}})
        EXPECT_EQ(ProgressDialog::FinishedMessage(c.failed, c.total), c.text);
}

// Fourteen failures with names of 240 bytes, on a large, a middling and a
// small screen: the box lists whole entries only (each name cut in its
// middle, its head and its end on the same line), in order, and counts
// exactly the ones it leaves out.
TEST(RunDialogMessageTest, ALongFailureListShowsWholeEntriesAndCountsTheRest)
{
    const std::string letters[] = {std::string(228, 'w'), [] {
                                       std::string cjk;
                                       for (int i = 0; i < 76; ++i)
                                           cjk += "\xE6\x97\xA5";  // 3 bytes a character
                                       return cjk;
                                   }()};
    const wxString reason = "source damaged: 4.9 of 10.0 s converted; the shorter output is kept";
    for (const wxSize screen : {wxSize(1280, 1024), wxSize(1024, 600), wxSize(512, 384)}) {
        for (const std::string& middle : letters) {
            SCOPED_TRACE(wxString::Format("%dx%d, %zu-byte middle", screen.x, screen.y, middle.size()));
            std::vector<ConvertReport::Failure> failures;
            for (int i = 0; i < 14; ++i)
                failures.push_back({wxString::FromUTF8(wxString::Format("clip%02d_", i).ToStdString() + middle +
                                                       wxString::Format("_%02d.mp3", i).ToStdString()),
                                    reason});
            ASSERT_GE(failures[0].name.utf8_str().length(), 236u);
            const ScreenFitText fit = ScreenFitText::ForScreenArea(screen);
            // As the dialog shows it.
            const wxString text = fit.Fit(ProgressDialog::EndMessage(14, failures, fit));
            EXPECT_LE(fit.LineCount(text), fit.MaxLines());

            wxString plain = text;
            plain.Replace(wxString(ScreenFitText::kWrapPoint), "");
            const wxArrayString lines = wxSplit(plain, '\n', '\0');
            ASSERT_GE(lines.size(), 3u);
            EXPECT_EQ(lines[0], "Convert files finished. 14 of 14 files failed.");
            size_t shown = 0;
            size_t line = 2;
            for (; line < lines.size() && lines[line].StartsWith("clip"); ++line, ++shown) {
                const wxString head = wxString::Format("clip%02d_", int(shown));
                const wxString tail = wxString::Format("_%02d.mp3: ", int(shown)) + reason;
                EXPECT_TRUE(lines[line].StartsWith(head) && lines[line].EndsWith(tail)) << lines[line];
            }
            EXPECT_GE(shown, 1u);
            EXPECT_LE(shown, ConvertReport::kListed);
            if (shown < failures.size()) {
                ASSERT_LT(line, lines.size());
                EXPECT_EQ(lines[line], wxString::Format("and %d more", int(failures.size() - shown)));
            }
            EXPECT_TRUE(plain.Contains("\n\nDetails are in "));
        }
    }
}

// Destinations never overwrite: an existing file, another row's destination
// and a source all push a name on. Rows whose profile is unknown fail and
// take no other row's parameters; a failed conversion shows "Fail"; with
// both finish boxes the folder opens, the power-off is asked for, the
// dialog stays, pause is off, and cancel closes it.
TEST_F(RunDialogTest, NamesTasksFailuresAndFinishActions)
{
    mvtest::WriteFile(m_out / "a.mp4", "kept");
    mvtest::WriteFile(m_out / "x.mp4", "source");
    AddRow("a", ".mp4", "/src/a.avi", "mp4v (*.mp4)", "00:01:05");
    AddRow("a", ".mp4", "/src/a.mkv", "mp4v (*.mp4)", "1:02:03");
    AddRow("x", ".mp4", Out("x.mp4"), "mp4v (*.mp4)");
    AddRow("lost", ".mp4", "/src/lost.mov", "gone (*.mp4)");
    AddRow("b\\c", ".avi", "/src/b\\c.mov", "avi (*.avi)", "");
    m_converter.failing = {3};

    auto bothBoxes = [](ProgressDialog& dialog) {
        dialog.GetOpenFolderBox()->SetValue(true);
        dialog.GetShutdownBox()->SetValue(true);
    };
    RunDialog([&](ProgressDialog& dialog) {
        ASSERT_TRUE(WaitFor([&] { return dialog.GetPauseButton()->IsEnabled() == false; }))
            << "the run did not finish";
        ConvertJob* job = dialog.GetJob();
        EXPECT_EQ(Strings(job->outputs), (std::vector<wxString>{
                                    Out("a_1.mp4"), Out("a_2.mp4"), Out("x_1.mp4"),
                                    Out("b\\c.avi")}));
        EXPECT_EQ(Strings(job->inputs), (std::vector<wxString>{
                                   "/src/a.avi", "/src/a.mkv", Out("x.mp4"), "/src/b\\c.mov"}));
        EXPECT_EQ(Strings(job->params), (std::vector<wxString>{
                                   "-vcodec mpeg4 -acodec aac", "-vcodec mpeg4 -acodec aac",
                                   "-vcodec mpeg4 -acodec aac",
                                   "-vcodec mjpeg -acodec pcm_s16le"}));
        ASSERT_EQ(job->durations.size(), 4u);
        EXPECT_EQ(job->durations[0], 65);
        EXPECT_EQ(job->durations[1], 3723);
        EXPECT_EQ(job->durations[3], 0);
        EXPECT_EQ(m_converter.LineCount(), 4u);

        WmGrid* grid = dialog.GetGrid();
        EXPECT_EQ(grid->GetCellValue(0, ProgressDialog::COL_DESTINATION), "a_1.mp4");
        EXPECT_EQ(grid->GetCellValue(4, ProgressDialog::COL_DESTINATION), "b\\c.avi");
        const std::vector<wxString> states{"100%", "100%", "100%", "Fail", "Fail"};
        for (int row = 0; row < 5; ++row)
            EXPECT_EQ(StateLabel(dialog, row), states[size_t(row)]) << "row " << row;
        EXPECT_EQ(dialog.GetFailedCount(), 2);
        EXPECT_EQ(m_actions, (std::vector<std::string>{"open-folder " + m_out.path(),
                                                        "poweroff"}));
        EXPECT_EQ(mvtest::ReadFile(m_out / "a.mp4"), "kept");

        // The run is over: pause does nothing, cancel closes at once.
        Click(dialog.GetPauseButton());
        EXPECT_TRUE(dialog.GetPauseButton()->IsShown());
        Click(dialog.GetCancelButton());
        EXPECT_TRUE(WaitFor([&] { return !dialog.IsModal(); }));
    }, bothBoxes);
    EXPECT_FALSE(m_closedByScript);
}

// Without finish boxes the run ends with one message box that counts the
// failed files (conversion failures and unknown profiles alike), names each
// with its reason's last line and points at the log, or says just "Convert
// files finished." when there are none, and then closes. Each failure is in
// the log file.
TEST_F(RunDialogTest, FinishedMessageCountsAndNamesTheFailedFiles)
{
    for (const bool failures : {false, true}) {
        if (m_list->GetNumberRows() > 0)
            m_list->DeleteRows(0, m_list->GetNumberRows());
        AddRow("one", ".mp4", "/src/one.avi", "mp4v (*.mp4)");
        AddRow("two", ".avi", "/src/two.avi", failures ? "gone (*.avi)" : "avi (*.avi)");
        AddRow("three", ".mp4", "/src/three.avi", "mp4v (*.mp4)");
        const int third = int(m_converter.LineCount()) + 1;
        m_converter.failing = {};
        if (failures)
            m_converter.failing = {third};
        MessageBoxCatcher boxes;
        RunDialog([&](ProgressDialog& dialog) {
            EXPECT_TRUE(WaitFor([&] { return !dialog.IsModal(); }));
        });
        EXPECT_FALSE(m_closedByScript);
        const wxString log = FileUtil::GetLogFilePath();
        const wxString expected =
            failures ? wxString::Format("Convert files finished. 2 of 3 files failed.\n\n"
                                        "two.avi: profile not found: gone (*.avi)\n"
                                        "three.mp4: failure of run %d\n\n"
                                        "Details are in %s",
                                        third, log)
                     : wxString("Convert files finished.");
        EXPECT_EQ(boxes.messages, std::vector<wxString>{expected});
        if (failures) {
            const std::string logged = mvtest::ReadFile(std::string(log.utf8_str()));
            EXPECT_NE(logged.find("/src/two.avi to two.avi failed: profile not found: gone (*.avi)"),
                      std::string::npos) << logged;
            EXPECT_NE(logged.find(wxString::Format("/src/three.avi to three.mp4 failed: first line | "
                                                   "failure of run %d", third).ToStdString()),
                      std::string::npos) << logged;
        }
    }
    EXPECT_TRUE(m_actions.empty());
}

// A run of 1,000 rows: a progress update repaints its own State cell and
// nothing else; one that changes nothing, or one for a row out of view,
// repaints nothing.
TEST_F(RunDialogTest, AProgressUpdateRepaintsOnlyItsOwnCell)
{
    for (int i = 0; i < 1000; ++i)
        AddRow(wxString::Format("clip%d", i), ".mp4", wxString::Format("/src/clip%d.avi", i),
               "mp4v (*.mp4)");
    m_converter.hold = true;
    MessageBoxCatcher boxes;  // should the released run end before the dialog

    RunDialog([&](ProgressDialog& dialog) {
        ASSERT_TRUE(WaitFor([&] { return m_converter.Running() == 0; }));
        Pump(300);
        WmGrid* grid = dialog.GetGrid();
        wxWindow* body = grid->GetGridWindow();
        ctest::PaintRecorder recorder(body);
        const auto update = [&](int task, int percent) {
            Pump(50);
            recorder.Clear();
            PvGridCellRenderCommandEvent event(EVT_CONVERT_PROGRESS, dialog.GetId());
            event.SetInt(percent);
            event.SetRow(task);
            event.SetColumn(ProgressDialog::COL_STATE);
            event.SetStatus(ProgressTarget::STATUS_PROGRESS);
            dialog.GetEventHandler()->ProcessEvent(event);
            body->Update();
            Pump(100);
            return recorder.Painted();
        };
        wxRect cell = grid->CellToRect(3, ProgressDialog::COL_STATE);
        grid->CalcScrolledPosition(cell.x, cell.y, &cell.x, &cell.y);

        const std::vector<wxRect> first = update(3, 40);
        EXPECT_FALSE(first.empty()) << "the changed cell was not drawn";
        for (const wxRect& rect : first)
            EXPECT_TRUE(cell.Contains(rect)) << "painted beyond the cell: " << rect.x << ","
                                             << rect.y << " " << rect.width << "x"
                                             << rect.height;
        EXPECT_EQ(StateLabel(dialog, 3), "40%");
        EXPECT_TRUE(update(3, 40).empty()) << "the same percent again was drawn";
        EXPECT_TRUE(update(900, 10).empty()) << "a row out of view was drawn";
        EXPECT_EQ(StateLabel(dialog, 900), "10%");
    });
}

// A file converted short of its source while the converter reports damage
// in it fails, and the message says that its shorter result is kept under
// its name. A file that fails because its destination appeared during the
// run (someone else's) says no such thing, and that file stays as it was; a
// file that ends as short without a damage report is no failure.
TEST_F(RunDialogTest, OnlyADamagedSourceKeepsItsShorterOutput)
{
    AddRow("one", ".mp4", "/src/one.avi", "mp4v (*.mp4)");
    AddRow("two", ".mp4", "/src/two.avi", "mp4v (*.mp4)");
    AddRow("three", ".mp4", "/src/three.avi", "mp4v (*.mp4)");
    m_converter.ends = {{0, 3.0}, {2, 3.0}};
    m_converter.damage = {{0, "[mov,mp4,m4a,3gp,3g2,mj2 @ 0x1] stream 1, offset 0x49e29: partial file\n"}};
    m_converter.failing = {1};
    m_converter.reasons = {{1, "the destination exists: " + (m_out / "two.mp4")}};
    m_converter.writeOutputs = true;
    m_converter.hold = true;
    MessageBoxCatcher boxes;
    RunDialog([&](ProgressDialog& dialog) {
        for (int run = 0; run < 3; ++run) {
            ASSERT_TRUE(WaitFor([&] { return m_converter.Running() == run; })) << "run " << run;
            if (run == 1)
                mvtest::WriteFile(m_out / "two.mp4", "someone else's");
            m_converter.Release();
        }
        EXPECT_TRUE(WaitFor([&] { return !dialog.IsModal(); }));
    });
    EXPECT_FALSE(m_closedByScript);
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0].utf8_string(),
              ("Convert files finished. 2 of 3 files failed.\n\n"
               "one.mp4: source damaged: 3.0 of 10.0 s converted; the shorter output is kept\n"
               "two.mp4: the destination exists: " + Out("two.mp4") +
               "\n\nDetails are in " + FileUtil::GetLogFilePath()).utf8_string());
    EXPECT_EQ(mvtest::ReadFile(m_out / "one.mp4"), "converted");
    EXPECT_EQ(mvtest::ReadFile(m_out / "two.mp4"), "someone else's");
    EXPECT_EQ(mvtest::ReadFile(m_out / "three.mp4"), "converted");
}

// Pausing during the first file holds the run after it; cancelling then
// stops without ever starting the second file.
TEST_F(RunDialogTest, CancelWhilePausedBetweenFilesStartsNoOtherFile)
{
    for (const char* name : {"one", "two", "three"})
        AddRow(name, ".mp4", wxString("/src/") + name + ".avi", "mp4v (*.mp4)");
    m_converter.hold = true;

    RunDialog([&](ProgressDialog& dialog) {
        ASSERT_TRUE(WaitFor([&] { return m_converter.Running() == 0; }));
        Click(dialog.GetPauseButton());
        EXPECT_FALSE(dialog.GetPauseButton()->IsShown());
        EXPECT_TRUE(dialog.GetResumeButton()->IsShown());
        EXPECT_EQ(m_converter.pauseToggles, 1);
        m_converter.Release();  // the first file ends while paused
        Pump(300);
        EXPECT_EQ(m_converter.LineCount(), 1u) << "the second file started while paused";
        Click(dialog.GetCancelButton());
        EXPECT_TRUE(WaitFor([&] { return !dialog.IsModal(); }));
    });
    EXPECT_FALSE(m_closedByScript);
    Pump(200);
    EXPECT_EQ(m_converter.LineCount(), 1u);
    EXPECT_EQ(m_converter.pauseToggles, 1) << "cancel resumed the paused run";
}

// Pause and resume swap the buttons; cancel during the second of three files
// stops it and closes the dialog, the third never starts, and the window
// keeps handling events while the stop takes its time.
TEST_F(RunDialogTest, CancelDuringSecondFileKeepsTheWindowResponsive)
{
    for (const char* name : {"one", "two", "three"})
        AddRow(name, ".mp4", wxString("/src/") + name + ".avi", "mp4v (*.mp4)");
    m_converter.hold = true;
    m_converter.stopDelayMs = 400;

    RunDialog([&](ProgressDialog& dialog) {
        ASSERT_TRUE(WaitFor([&] { return m_converter.Running() == 0; }));
        Click(dialog.GetPauseButton());
        Click(dialog.GetResumeButton());
        EXPECT_TRUE(dialog.GetPauseButton()->IsShown());
        EXPECT_FALSE(dialog.GetResumeButton()->IsShown());
        EXPECT_EQ(m_converter.pauseToggles, 2);
        m_converter.Release();
        ASSERT_TRUE(WaitFor([&] { return m_converter.Running() == 1; }));
        EXPECT_TRUE(WaitFor([&] { return StateLabel(dialog, 0) == "100%"; }));

        int handled = 0;
        wxTimer ticker;
        ticker.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { ++handled; });
        ticker.Start(20);
        Click(dialog.GetCancelButton());
        const int handledAfterClick = handled;
        EXPECT_TRUE(dialog.IsModal()) << "closed before the stop ended";
        EXPECT_TRUE(WaitFor([&] { return !dialog.IsModal(); }));
        EXPECT_GT(handled - handledAfterClick, 5) << "the wait froze the window";
        EXPECT_EQ(StateLabel(dialog, 2), "Waiting...");
    });
    EXPECT_FALSE(m_closedByScript);
    Pump(200);
    EXPECT_EQ(m_converter.LineCount(), 2u);
    EXPECT_EQ(m_converter.stops, 1);
}

// Closing the dialog as a window manager does is a cancel.
TEST_F(RunDialogTest, WindowCloseCancelsTheRun)
{
    AddRow("one", ".mp4", "/src/one.avi", "mp4v (*.mp4)");
    AddRow("two", ".mp4", "/src/two.avi", "mp4v (*.mp4)");
    m_converter.hold = true;

    RunDialog([&](ProgressDialog& dialog) {
        ASSERT_TRUE(WaitFor([&] { return m_converter.Running() == 0; }));
        dialog.Close();
        EXPECT_TRUE(WaitFor([&] { return !dialog.IsModal(); }));
    });
    EXPECT_FALSE(m_closedByScript);
    EXPECT_EQ(m_converter.stops, 1);
    EXPECT_EQ(m_converter.LineCount(), 1u);
}

// A dialog that goes away while its run is going (its modal loop ended by
// anything but cancel or the run's end) stops the run rather than waiting
// for every file to be converted.
TEST_F(RunDialogTest, DestroyedDuringTheRunStopsIt)
{
    for (const char* name : {"one", "two", "three"})
        AddRow(name, ".mp4", wxString("/src/") + name + ".avi", "mp4v (*.mp4)");
    m_converter.hold = true;
    // Should the dialog wait for the held file instead, let it go in the end.
    std::thread watchdog([this] {
        std::unique_lock<std::mutex> lock(m_converter.mutex);
        if (!m_converter.changed.wait_for(lock, std::chrono::seconds(5),
                                          [this] { return m_converter.stops > 0; })) {
            m_converter.hold = false;
            m_converter.released = 1 << 20;
            m_converter.changed.notify_all();
        }
    });
    {
        ProgressDialog dialog;
        CreateDialog(dialog);
        dialog.CallAfter([&] {
            EXPECT_TRUE(WaitFor([&] { return m_converter.Running() == 0; }));
            dialog.EndModal(5);
        });
        dialog.ShowModal();
    }
    watchdog.join();
    EXPECT_EQ(m_converter.stops, 1);
    EXPECT_EQ(m_converter.LineCount(), 1u);
}

// The run starts once, on the first idle event, and an empty list still
// runs to its end.
TEST_F(RunDialogTest, EmptyListRunsToItsFinishActions)
{
    RunDialog([&](ProgressDialog& dialog) {
        ASSERT_TRUE(WaitFor([&] { return !m_actions.empty(); }));
        EXPECT_TRUE(dialog.IsStarted());
        EXPECT_EQ(dialog.GetGrid()->GetNumberRows(), 0);
        wxIdleEvent idle;
        dialog.ProcessWindowEvent(idle);
        Pump(100);
        EXPECT_EQ(m_actions, (std::vector<std::string>{"poweroff"}));
        Click(dialog.GetCancelButton());
        EXPECT_TRUE(WaitFor([&] { return !dialog.IsModal(); }));
    }, [](ProgressDialog& dialog) { dialog.GetShutdownBox()->SetValue(true); });
    EXPECT_FALSE(m_closedByScript);
    EXPECT_EQ(m_converter.LineCount(), 0u);
}

}  // namespace
