// The program's one catalog after "Save Profile As", on a copy of the staged
// program folder with the real file list, profile, output folder and start
// panes, player and converter: the saved profile is offered, gets its size
// estimate and converts a clip, and still converts it once hidden.
#include "FormatCatalog.h"
#include "LiveCatalog.h"
#include "MenuItemArray.h"
#include "MyMenuItem.h"
#include "MyPopupMenu.h"
#include "ProfileComboBox.h"
#include "ProfileTestEnv.h"
#include "ProfileWindow.h"
#include "RunPanes.h"
#include "SelectWindow.h"
#include "SettingDialog.h"
#include "SettingFrame.h"
#include "StagedCopy.h"
#include "StartWindow.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dir.h>
#include <wx/regex.h>
#include <wx/textdlg.h>

using namespace stest;

namespace {

// The index of a category among the chooser's rows.
int CategoryRow(ProfileComboBox* combo, const wxString& id)
{
    const MenuItemArray* items = combo->GetPopup()->GetItems();
    for (size_t i = 0; i < items->GetCount(); ++i)
        if (items->Item(i)->GetId() == id)
            return int(i);
    ADD_FAILURE() << "no category " << id;
    return 0;
}

}  // namespace

TEST(LiveCatalog, SavedProfileIsOfferedEstimatedAndConverted)
{
    StagedCopy copy;
    ASSERT_TRUE(copy.ok());
    if (!mvtest::HaveProgram("ffprobe"))
        GTEST_SKIP() << "no ffprobe";
    mvtest::TempDir media;
    mvtest::TempDir out;
    copy.Settings().defaultOutputFolder = wxString::FromUTF8(out.path());
    ptest::RunPanes run(out.path());
    ASSERT_TRUE(run.ok());
    wxTheApp->SetTopWindow(run.frame);
    SelectWindow* list = run.list;
    ProfileWindow* pane = run.pane;

    const std::string clip = media / "one.mp4";
    ASSERT_TRUE(mvtest::MakeClip(clip, 1.0, {"-c:v", "mpeg4", "-c:a", "aac"}));
    list->AddFiles(wxArrayString(1, wxString::FromUTF8(clip)));
    ASSERT_EQ(list->GetRowCount(), 1);
    const wxString sourceId = list->GetCellText(SelectWindow::COL_PROFILE_ID, 0);
    const wxString sourceSize = list->GetCellText(SelectWindow::COL_SIZE, 0);
    ASSERT_FALSE(sourceSize.empty());

    // The settings button, then "Save Profile As" under a new name, then
    // the editor closed.
    {
        ModalAnswer names(CLASSINFO(wxTextEntryDialog), [](wxDialog* dialog) {
            static_cast<wxTextEntryDialog*>(dialog)->SetValue("My Small MP4");
            return wxID_OK;
        });
        ModalAnswer editor(CLASSINFO(SettingDialog), [&](wxDialog* dialog) {
            auto* frame = static_cast<SettingFrame*>(dialog->FindWindow(SettingFrame::ID_SETTING_FRAME));
            EXPECT_TRUE(ptest::WaitFor([&] { return frame->IsCatalogLoaded(); }));
            ClickCentre(frame->FindWindow(SettingFrame::ID_SAVE_AS));
            EXPECT_TRUE(ptest::WaitFor([&] { return names.seen() == 1; }));
            ptest::Pump(100);
            ClickCentre(frame->FindWindow(SettingFrame::ID_CANCEL));
            return wxID_CANCEL;
        });
        ClickCentre(pane->FindWindow(ProfileWindow::ID_SETTINGS_BUTTON));
        ASSERT_TRUE(ptest::WaitFor([&] { return editor.seen() == 1 && names.seen() == 1; }));
        ptest::Pump(200);
    }

    // Offered under "User Defined" and chosen there with the pointer.
    ProfileComboBox* combo = pane->GetCombo();
    ptest::ChooseProfile(combo, CategoryRow(combo, "User Defined"), 0);
    EXPECT_EQ(combo->GetValue(), "My Small MP4");
    const wxString id = list->GetCellText(SelectWindow::COL_PROFILE_ID, 0);
    EXPECT_TRUE(wxRegEx("^[0-9]{14} \\(\\*\\.mp4\\)$", wxRE_ADVANCED).Matches(id)) << id;
    EXPECT_EQ(list->GetCellText(SelectWindow::COL_SIZE, 0), sourceSize);
    EXPECT_EQ(EstimateOutputSize(*copy.Settings().catalog, id, 1), sourceSize);
    ptest::Screenshot("saved-profile-chosen");

    // Converted with the copied parameters: the source profile's codec.
    {
        MessageBoxAnswer boxes;
        run.start->RunConversion();
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_FALSE(boxes.messages()[0].Contains("failed")) << boxes.messages()[0];
    }
    ptest::Pump(200);
    const std::string converted = out / "one.mp4";
    ASSERT_TRUE(mvtest::FileExists(converted));
    FormatEntry source;
    ASSERT_TRUE(FindProfile(*copy.Settings().catalog, sourceId, source));
    EXPECT_TRUE(source.transfer_extra_param.Contains("libx264")) << source.transfer_extra_param;
    EXPECT_EQ(mvtest::Probe(converted, "stream=codec_name", "v:0"), "h264");

    // Hidden from the menus afterwards ("User Defined" unchecked in the
    // customiser), the profile still converts the file it was given to.
    auto hidden = copy.ReadCatalog();
    ASSERT_TRUE(hidden);
    wxXmlNode* user = Group(*hidden, "User Defined");
    user->DeleteAttribute("isShow");
    user->AddAttribute("isShow", "0");
    ASSERT_TRUE(LiveCatalog::Save(*hidden, 1));
    {
        MessageBoxAnswer boxes;
        run.start->RunConversion();
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_FALSE(boxes.messages()[0].Contains("failed")) << boxes.messages()[0];
    }
    ptest::Pump(200);
    EXPECT_EQ(list->GetCellText(SelectWindow::COL_PROFILE_ID, 0), id);
    wxArrayString outputs;
    wxDir::GetAllFiles(wxString::FromUTF8(out.path()), &outputs);
    ASSERT_EQ(outputs.size(), 2u);
    for (const wxString& output : outputs)
        EXPECT_EQ(mvtest::Probe(output.ToStdString(), "stream=codec_name", "v:0"), "h264") << output;

    wxTheApp->SetTopWindow(nullptr);
}
