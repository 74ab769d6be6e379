// The profile pane opens the settings editor from its settings button and on
// NOTIFY_OPEN_SETTINGS, and OK there reaches the pane's chooser; the
// chooser's customise button opens the Customize Profile dialog.
#include "CheckTreeDialog.h"
#include "CheckedTreeCtrl.h"
#include "CustomizeFrame.h"
#include "MyPopupMenu.h"
#include "NotifyCode.h"
#include "PaneIds.h"
#include "ProfileComboBox.h"
#include "ProfileTestEnv.h"
#include "ProfileWindow.h"
#include "PvBitmapButton.h"
#include "PvSubject.h"
#include "SettingDialog.h"
#include "SettingFrame.h"
#include "StagedCopy.h"

#include <gtest/gtest.h>

#include <wx/frame.h>

using namespace stest;

TEST(OpenSettings, ButtonAndCodeSeventeenOpenTheEditor)
{
    StagedCopy copy;
    ASSERT_TRUE(copy.ok());
    auto* frame = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(0, 0), wxSize(800, 600), wxBORDER_NONE);
    auto* pane = new ProfileWindow;
    ASSERT_TRUE(pane->Create(frame, 2138, new wxBitmap(560, 28), wxPoint(0, 0), wxSize(560, 28)));
    ASSERT_TRUE(ptest::ShowAndWait(frame));
    pane->GetCombo()->SetValue("before");

    // The first opening ends with OK, the second with Cancel.
    int opened = 0;
    wxString shown;
    ModalAnswer answer(CLASSINFO(SettingDialog), [&](wxDialog* dialog) {
        auto* editor = dynamic_cast<SettingFrame*>(dialog->FindWindow(SettingFrame::ID_SETTING_FRAME));
        EXPECT_TRUE(editor);
        if (!editor)
            return wxID_CANCEL;
        shown = editor->GetChooser()->GetValue();
        ClickCentre(editor->FindWindow(++opened == 1 ? SettingFrame::ID_OK : SettingFrame::ID_CANCEL));
        return wxID_CANCEL;
    });
    ClickCentre(pane->GetSettingsButton());
    ASSERT_TRUE(ptest::WaitFor([&] { return answer.seen() == 1; }));
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(pane->GetProfileText(), shown);

    PvSubject sender;
    sender.SetState(NOTIFY_OPEN_SETTINGS);
    pane->GetCombo()->SetValue("kept");
    sender.Attach(pane);
    sender.Notify(nullptr);
    EXPECT_EQ(answer.seen(), 2);
    EXPECT_EQ(pane->GetProfileText(), "kept");
    frame->Destroy();
    ptest::Pump(50);
}

TEST(OpenSettings, ChoosersCustomiseButtonOpensTheCustomiser)
{
    StagedCopy copy;
    ASSERT_TRUE(copy.ok());
    auto* frame = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(0, 0), wxSize(800, 600), wxBORDER_NONE);
    auto* combo = new ProfileComboBox(frame, PANE_PROFILE_CHOOSER, wxPoint(10, 10), wxSize(288, 22));
    ASSERT_TRUE(ptest::ShowAndWait(frame));
    ptest::OpenChooser(combo);
    MyPopupMenu* popup = combo->GetPopup();
    wxWindow* customise = popup->FindWindow(MyPopupMenu::ID_CUSTOMIZE);
    ASSERT_TRUE(customise);

    bool popupHidden = false;
    ModalAnswer answer(CLASSINFO(CheckTreeDialog), [&](wxDialog* dialog) {
        popupHidden = !popup->IsShown();
        EXPECT_GT(static_cast<CheckTreeDialog*>(dialog)->GetFrame()->GetTree()->GetCategoryCount(), 0u);
        return wxID_OK;
    });
    ClickCentre(customise);
    EXPECT_TRUE(ptest::WaitFor([&] { return answer.seen() == 1; }));
    EXPECT_TRUE(popupHidden);
    frame->Destroy();
    ptest::Pump(50);
}
