// The road from the chooser to a converted file: the profile pane over the
// real file list, output folder and start panes, with the real player and
// converter. A profile chosen with the pointer is the one the conversion
// uses, with "Apply to All" on and off.
#include "ImageUtil.h"
#include "ProfileComboBox.h"
#include "ProfileTestEnv.h"
#include "ProfileWindow.h"
#include "PvCheckBox.h"
#include "RunPanes.h"
#include "SelectWindow.h"
#include "StartWindow.h"

#include <gtest/gtest.h>

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
    RunPanes run(out.path());
    ASSERT_TRUE(run.ok());
    SelectWindow* list = run.list;
    ProfileWindow* pane = run.pane;

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
        run.start->RunConversion();
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

}
