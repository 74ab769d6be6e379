// The real main frame's wiring: every menu command and the profile pane,
// driven by real input, reach the pane the frame attached them to (the file
// list, the settings editor, the run dialog, the action log).
#include "AppMain.h"
#include "AppServices.h"
#include "CheckTreeDialog.h"
#include "ConvertJob.h"
#include "FileListEnv.h"
#include "FrameTESSALINE.h"
#include "ImageUtil.h"
#include "MenuTestUtil.h"
#include "MenuWindow.h"
#include "OutputWindow.h"
#include "ProfileComboBox.h"
#include "ProfileTestEnv.h"
#include "ProfileWindow.h"
#include "ProgressDialog.h"
#include "PvAboutDialog.h"
#include "RkMenuBar.h"
#include "SelectWindow.h"
#include "SettingDialog.h"
#include "StartWindow.h"
#include "SystemActions.h"
#include "WmGrid.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace ptest;

namespace {

// Which kind of dialog a command opened.
std::string KindOf(wxDialog* dialog)
{
    if (dynamic_cast<wxFileDialog*>(dialog))
        return "file";
    if (dynamic_cast<wxDirDialog*>(dialog))
        return "folder";
    if (dynamic_cast<SettingDialog*>(dialog))
        return "settings";
    if (dynamic_cast<CheckTreeDialog*>(dialog))
        return "customize";
    if (dynamic_cast<ProgressDialog*>(dialog))
        return "run";
    if (dynamic_cast<PvAboutDialog*>(dialog))
        return "about";
    return "other";
}

class FrameWiringTest : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string theme = mvtest::StageDir() + "/Themes/default.zip";
        if (!mvtest::FileExists(theme))
            GTEST_SKIP() << "no staged skin";
        env = std::make_unique<ProfileTestEnv>(RunCatalog(), theme);
        // The help addresses are only recorded, never visited.
        const std::string base = "http://127.0.0.1:9";
        mvtest::WriteFile(env->Root() + "/option.cfg",
                          "<option><address><help>" + base + "/help</help><home>" + base +
                              "/</home><support>" + base + "/support</support><buy>" + base +
                              "/buy</buy><update>" + base + "/mv</update><product>" + base +
                              "/product</product></address></option>");
        AppServices::Create(AppMain::LinkedServices());
        SystemActions::SetRecorder(
            [this](const SystemActions::Action& a) { actions.push_back(a.LogLine()); });

        frame = new FrameTESSALINE;
        ASSERT_TRUE(frame->Create(FrameTESSALINE::ID_MAIN_FRAME, wxEmptyString, wxDefaultSize));
        wxTheApp->SetTopWindow(frame);
        ASSERT_TRUE(ShowAndWait(frame));
        menu = dynamic_cast<MenuWindow*>(frame->FindWindow(2155));
        list = dynamic_cast<SelectWindow*>(frame->FindWindow(SelectWindow::ID_SELECT_WINDOW));
        profile = dynamic_cast<ProfileWindow*>(frame->FindWindow(2138));
        ASSERT_TRUE(menu && list && profile);
    }

    void TearDown() override
    {
        SystemActions::SetRecorder({});
        if (frame) {
            wxTheApp->SetTopWindow(nullptr);
            frame->Destroy();
            Pump(100);
            AppServices::Free(AppMain::LinkedServices());
        }
    }

    // Picks the n-th item (1-based, separators not counted) of a title's real
    // menu with the keys; every modal dialog it opens is recorded as it opens
    // and answered with `answer`. A message box (a run of no files ends with
    // one, perhaps before its dialog is answered) is answered at once.
    std::vector<std::string> Choose(int titleId, int item, int answer = wxID_CANCEL)
    {
        std::vector<std::string> opened;
        ctest::MessageBoxCatcher boxes;
        fltest::ModalCloser closer(
            CLASSINFO(wxDialog), [&](wxDialog*) { return answer; },
            [&](wxDialog* dialog) { opened.push_back(KindOf(dialog)); });
        EXPECT_TRUE(menutest::Choose(menu->GetMenuBar(), titleId, item));
        // The command opens its dialog while it is handled.
        menutest::WaitForQueuedCommands(menu->GetMenuBar());
        Pump(100);
        return opened;
    }

    // Rows of short clips, added through the import.
    void AddClips(std::initializer_list<const char*> names)
    {
        wxArrayString paths;
        for (const char* name : names) {
            const std::string path = media / (std::string(name) + ".mp4");
            ASSERT_TRUE(mvtest::MakeClip(path, 1.0, {"-c:v", "mpeg4", "-c:a", "aac"}));
            paths.Add(wxString::FromUTF8(path));
        }
        list->AddFiles(paths);
        ASSERT_EQ(list->GetRowCount(), int(paths.size()));
        Pump(100);
    }

    std::vector<wxString> Names() const
    {
        std::vector<wxString> names;
        for (int row = 0; row < list->GetRowCount(); ++row)
            names.push_back(list->GetCellText(SelectWindow::COL_BASE_NAME, row));
        return names;
    }

    void ClickRow(int row)
    {
        const wxRect cell = list->GetGrid()->CellToRect(row, SelectWindow::COL_SOURCE);
        fltest::Click(list->GetGrid()->GetGridWindow(), cell.GetPosition() + wxPoint(20, cell.height / 2));
        Pump(100);
    }

    std::unique_ptr<ProfileTestEnv> env;
    mvtest::TempDir media;
    FrameTESSALINE* frame = nullptr;
    MenuWindow* menu = nullptr;
    SelectWindow* list = nullptr;
    ProfileWindow* profile = nullptr;
    std::vector<std::string> actions;
};

TEST_F(FrameWiringTest, FileMenuOpensTheFileListsChoosers)
{
    EXPECT_EQ(Choose(MenuWindow::ID_MENU_FILE, 1), std::vector<std::string>{"file"});
    EXPECT_EQ(Choose(MenuWindow::ID_MENU_FILE, 2), std::vector<std::string>{"folder"});
    EXPECT_EQ(list->GetRowCount(), 0);
    EXPECT_TRUE(actions.empty());
}

TEST_F(FrameWiringTest, EditMenuRemovesTheSelectedRowAndClearsTheList)
{
    AddClips({"one", "two", "three"});
    ClickRow(1);
    ASSERT_EQ(list->GetSelectedRows(), wxArrayInt(1, 1));
    EXPECT_TRUE(Choose(MenuWindow::ID_MENU_EDIT, 1).empty());
    EXPECT_EQ(Names(), (std::vector<wxString>{"one", "three"}));
    EXPECT_TRUE(Choose(MenuWindow::ID_MENU_EDIT, 2).empty());
    EXPECT_EQ(list->GetRowCount(), 0);
    EXPECT_TRUE(list->GetRecords().empty());
}

TEST_F(FrameWiringTest, StartConversionOpensTheRunDialog)
{
    EXPECT_EQ(Choose(MenuWindow::ID_MENU_FILE, 4), std::vector<std::string>{"run"});
}

TEST_F(FrameWiringTest, PreferencesOpensTheSettingsEditor)
{
    EXPECT_EQ(Choose(MenuWindow::ID_MENU_OPTION, 1), std::vector<std::string>{"settings"});
}

// Customize Profile opens no dialog in every build yet: once it opens one,
// it must be the customiser.
TEST_F(FrameWiringTest, CustomizeProfileOpensTheCustomiserWhenItOpensAnything)
{
    const std::vector<std::string> opened = Choose(MenuWindow::ID_MENU_OPTION, 2);
    if (opened.empty())
        GTEST_SKIP() << "Customize Profile opens no dialog in this build";
    EXPECT_EQ(opened, std::vector<std::string>{"customize"});
}

TEST_F(FrameWiringTest, HelpMenuPagesReachTheActionLogAndAboutOpensTheBox)
{
    EXPECT_TRUE(Choose(MenuWindow::ID_MENU_HELP, 1).empty());
    EXPECT_TRUE(Choose(MenuWindow::ID_MENU_HELP, 2).empty());
    EXPECT_TRUE(Choose(MenuWindow::ID_MENU_HELP, 3).empty());
    EXPECT_EQ(actions, (std::vector<std::string>{"open-url http://127.0.0.1:9/help",
                                                  "open-url http://127.0.0.1:9/support",
                                                  "open-url http://127.0.0.1:9/product"}));
    EXPECT_EQ(Choose(MenuWindow::ID_MENU_HELP, 5, wxID_OK), std::vector<std::string>{"about"});
}

TEST_F(FrameWiringTest, ProfileChosenInThePaneReachesTheFileList)
{
    AddClips({"one", "two"});
    ClickRow(0);
    ChooseProfile(profile->GetCombo(), 1, 0);
    EXPECT_EQ(profile->GetCombo()->GetValue(), "Vorbis audio");
    EXPECT_EQ(list->GetCellText(SelectWindow::COL_PROFILE_ID, 0), "ogg_vorbis (*.ogg)");
    EXPECT_EQ(list->GetCellText(SelectWindow::COL_EXTENSION, 0), ".ogg");
    Screenshot("frame-wiring-profile");
}

// A run reads each file's stream lengths from the file list's record: an
// audio profile on a clip whose sound ends before its picture converts the
// whole sound, and the run ends without a failure.
TEST_F(FrameWiringTest, TheRunMeasuresEachFileByTheStreamsOfItsRecord)
{
    const std::string clip = media / "short sound.mp4";
    ASSERT_EQ(mvtest::Run({"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi",
                           "-i", "testsrc2=size=320x240:rate=25:duration=3", "-f", "lavfi", "-i",
                           "sine=frequency=440:sample_rate=44100:duration=1", "-c:v", "mpeg4", "-c:a",
                           "aac", clip})
                  .status,
              0);
    list->AddFiles(wxArrayString(1, wxString::FromUTF8(clip)));
    ASSERT_EQ(list->GetRowCount(), 1);
    ClickRow(0);
    ChooseProfile(profile->GetCombo(), 1, 0);
    ASSERT_EQ(list->GetCellText(SelectWindow::COL_PROFILE_ID, 0), "ogg_vorbis (*.ogg)");
    mvtest::TempDir out;
    auto* output = dynamic_cast<OutputWindow*>(frame->FindWindow(OutputWindow::ID_OUTPUT_WINDOW));
    ASSERT_NE(output, nullptr);
    output->SetOutputFolder(wxString::FromUTF8(out.path()));

    ctest::MessageBoxCatcher boxes;
    ProgressDialog dialog;
    wxBitmap* background = ImageUtil::LoadThemeBitmap("surface/window/progress-convert.png");
    ASSERT_NE(background, nullptr);
    const wxSize size = background->GetSize();
    ASSERT_TRUE(dialog.Create(nullptr, StartWindow::ID_PROGRESS_DIALOG, wxEmptyString, nullptr, background,
                              wxDefaultPosition, size, wxBORDER_NONE | wxFRAME_SHAPED));
    dialog.ShowModal();  // ends with the run
    EXPECT_EQ(boxes.messages, std::vector<wxString>{"Convert files finished."});
    const ConvertJob* job = dialog.GetJob();
    ASSERT_EQ(job->lengths.size(), 1u);
    EXPECT_NEAR(job->lengths[0].video, 3.0, 0.1);
    EXPECT_NEAR(job->lengths[0].audio, 1.0, 0.1);
    EXPECT_EQ(job->lengths[0].whole, 3.0);
    EXPECT_FALSE(job->lengths[0].estimated);
    EXPECT_NEAR(std::stod(mvtest::Probe(out / "short sound.ogg", "format=duration")), 1.0, 0.1);
}

}  // namespace
