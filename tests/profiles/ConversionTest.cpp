// The road from the chooser to a converted file: the profile pane over the
// real file list, output folder and start panes, with the real player and
// converter. A profile chosen with the pointer is the one the conversion
// uses, with "Apply to All" on and off.
#include "AppMain.h"
#include "AppServices.h"
#include "ImageUtil.h"
#include "OutputWindow.h"
#include "ProfileComboBox.h"
#include "ProfileTestEnv.h"
#include "ProfileWindow.h"
#include "PvCheckBox.h"
#include "SelectWindow.h"
#include "StartWindow.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <gtk/gtk.h>

#include <cstdlib>
#include <vector>

using namespace ptest;

namespace {

// Answers every message box shown while it lives on the box itself, with its
// affirmative button, and keeps the boxes' messages.
class BoxAnswerer : public wxModalDialogHook {
public:
    BoxAnswerer()
    {
        Register();
        m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { AnswerOpenBox(); });
    }
    ~BoxAnswerer() override { Unregister(); }
    std::vector<wxString> messages;

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
            messages.push_back(box->GetMessage());
            m_open = box;
            m_timer.Start(100);  // the box's own loop runs the timer
        }
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override
    {
        if (dialog == m_open) {
            m_open = nullptr;
            m_timer.Stop();
        }
    }

private:
    void AnswerOpenBox()
    {
        if (!m_open || !m_open->GetHandle())
            return;
        GtkWidget* box = m_open->GetHandle();
        if (!gtk_widget_get_mapped(box))
            return;
        const bool question = (m_open->GetMessageDialogStyle() & wxYES_NO) != 0;
        gtk_dialog_response(GTK_DIALOG(box), question ? GTK_RESPONSE_YES : GTK_RESPONSE_OK);
    }

    wxMessageDialog* m_open = nullptr;
    wxTimer m_timer;
};

}  // namespace

TEST(ProfileConversion, ChosenProfileIsTheOneConverted)
{
    const std::string stage = mvtest::StageDir();
    const std::string theme = stage + "/Themes/default.zip";
    if (!mvtest::FileExists(theme) || !mvtest::HaveProgram("ffprobe"))
        GTEST_SKIP() << "no staged skin or no ffprobe";
    ProfileTestEnv env(RunCatalog(), theme);
    mvtest::TempDir media;
    mvtest::TempDir out;
    env.Settings().defaultOutputFolder = wxString::FromUTF8(out.path());
    AppServices::Create(AppMain::LinkedServices());
    ASSERT_TRUE(AppServices::Player() && AppServices::Converter());

    auto* frame = new wxFrame(nullptr, wxID_ANY, "run", wxPoint(10, 10), wxSize(620, 470),
                              wxBORDER_NONE);
    auto* list = new SelectWindow;
    ASSERT_TRUE(list->Create(frame, SelectWindow::ID_SELECT_WINDOW, NewPlainBitmap(wxSize(502, 320)),
                             wxPoint(0, 0), wxSize(502, 320)));
    auto* pane = new ProfileWindow;
    ASSERT_TRUE(pane->Create(frame, 2138, NewPlainBitmap(wxSize(560, 28)), wxPoint(0, 330), wxSize(560, 28)));
    auto* output = new OutputWindow;
    ASSERT_TRUE(output->Create(frame, OutputWindow::ID_OUTPUT_WINDOW, NewPlainBitmap(wxSize(600, 28)),
                               wxPoint(0, 365), wxSize(600, 28)));
    output->SetOutputFolder(wxString::FromUTF8(out.path()));
    auto* start = new StartWindow(frame, 2153, NewPlainBitmap(wxSize(136, 64)), wxPoint(0, 400),
                                  wxSize(136, 64));
    pane->Attach(list);
    ASSERT_TRUE(ShowAndWait(frame));

    wxArrayString paths;
    for (const char* name : {"one", "two", "three"}) {
        const std::string path = media / (std::string(name) + ".mp4");
        ASSERT_TRUE(mvtest::MakeClip(path, 1.0, {"-c:v", "mpeg4", "-c:a", "aac"}));
        paths.Add(wxString::FromUTF8(path));
    }
    list->AddFiles(paths);
    ASSERT_EQ(list->GetRowCount(), 3);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(list->GetCellText(SelectWindow::COL_PROFILE_ID, row), "mp4v (*.mp4)");

    // "Apply to All" off, the second row selected: the chosen profile
    // reaches that row only.
    PvCheckBox* box = pane->GetApplyToAllBox();
    Click(box, wxPoint(box->GetBoxSize().x / 2, box->GetSize().y / 2));
    Pump(150);
    ASSERT_FALSE(pane->IsApplyToAll());
    wxWindow* cells = list->FindWindowByName("GridWindow");
    ASSERT_TRUE(cells);
    Click(cells, wxPoint(80, 28 + 14));
    ASSERT_EQ(list->GetSelectedRows().size(), 1u);
    ChooseProfile(pane->GetCombo(), 1, 0);
    EXPECT_EQ(pane->GetCombo()->GetValue(), "Vorbis audio");
    const wxString expected[] = {"mp4v (*.mp4)", "ogg_vorbis (*.ogg)", "mp4v (*.mp4)"};
    const wxString extensions[] = {".mp4", ".ogg", ".mp4"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list->GetCellText(SelectWindow::COL_PROFILE_ID, row), expected[row]) << row;
        EXPECT_EQ(list->GetCellText(SelectWindow::COL_EXTENSION, row), extensions[row]) << row;
    }
    Screenshot("conversion-list");

    // Converted: each file with its own row's profile.
    {
        BoxAnswerer answer;
        start->RunConversion();
        EXPECT_EQ(answer.messages.size(), 1u) << "the run's end is told once";
    }
    Pump(200);
    EXPECT_EQ(mvtest::Probe(out / "one.mp4", "stream=codec_name", "v:0"), "mpeg4");
    const std::string vorbis = out / "two.ogg";
    ASSERT_TRUE(mvtest::FileExists(vorbis));
    EXPECT_EQ(mvtest::Probe(vorbis, "stream=codec_name", "a:0"), "vorbis");
    EXPECT_EQ(mvtest::Probe(vorbis, "stream=codec_name", "v:0"), "");
    EXPECT_FALSE(mvtest::FileExists(out / "two.mp4"));

    // "Apply to All" on and confirmed: every row takes the profile.
    {
        BoxAnswerer answer;
        Click(box, wxPoint(box->GetBoxSize().x / 2, box->GetSize().y / 2));
        Pump(300);
        EXPECT_EQ(answer.messages, std::vector<wxString>{"Apply current profile and settings to all?\n"});
    }
    ASSERT_TRUE(pane->IsApplyToAll());
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(list->GetCellText(SelectWindow::COL_PROFILE_ID, row), "ogg_vorbis (*.ogg)");

    frame->Destroy();
    Pump(100);
    AppServices::Free(AppMain::LinkedServices());
}
