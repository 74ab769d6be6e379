// The file list and the toolbar in the main frame: their places, and the
// notifications between them.
#include "FileListEnv.h"

#include "FrameTESSALINE.h"
#include "PvBitmapButton.h"
#include "SelectWindow.h"
#include "ToolbarWindow.h"
#include "WmGrid.h"

#include <gtest/gtest.h>
#include <wx/filedlg.h>

namespace {

class MainWindowTest : public fltest::PaneTest {
protected:
    void SetUp() override
    {
        fltest::PaneTest::SetUp();
        host.reset();  // the frame brings its own file list
        frame = new FrameTESSALINE;
        ASSERT_TRUE(frame->Create(2000, wxEmptyString, wxDefaultSize));
        frame->Show();
        ASSERT_TRUE(fltest::WaitFor([&] { return frame->IsShownOnScreen(); }, 3000));
        fltest::Pump(200);
        select = wxDynamicCast(wxWindow::FindWindowById(SelectWindow::ID_SELECT_WINDOW, frame), SelectWindow);
        toolbar = wxDynamicCast(wxWindow::FindWindowById(ToolbarWindow::ID_TOOLBAR_WINDOW, frame), ToolbarWindow);
        ASSERT_NE(select, nullptr);
        ASSERT_NE(toolbar, nullptr);
    }
    void TearDown() override
    {
        if (frame)
            frame->Destroy();
        fltest::Pump(50);
        fltest::PaneTest::TearDown();
    }

    FrameTESSALINE* frame = nullptr;
    SelectWindow* select = nullptr;
    ToolbarWindow* toolbar = nullptr;
};

TEST_F(MainWindowTest, PanesSitInTheirSlots)
{
    EXPECT_EQ(select->GetRect(), wxRect(10, 108, 502, 320));
    EXPECT_EQ(toolbar->GetRect(), wxRect(0, 56, frame->GetClientSize().x, 44));
    EXPECT_FALSE(select->GetGrid()->IsShown());
}

TEST_F(MainWindowTest, AddButtonOpensTheFileDialogAndTheFirstSelectionWakesTheToolbar)
{
    int dialogs = 0;
    {
        fltest::ModalCloser closer(CLASSINFO(wxFileDialog), [&](wxDialog*) {
            ++dialogs;
            return wxID_CANCEL;
        });
        fltest::Click(toolbar->GetAddButton(), wxPoint(60, 22));
        ASSERT_TRUE(fltest::WaitFor([&] { return closer.seen() == 1; }, 5000));
        fltest::Pump(100);
    }
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(select->GetRowCount(), 0);

    wxArrayString paths;
    paths.Add(wxString::FromUTF8(fltest::Clip("two.mp4", 2)));
    paths.Add(wxString::FromUTF8(fltest::Clip("four.mp4", 4)));
    paths.Add(wxString::FromUTF8(fltest::Clip("clip0.mp4", 1)));
    select->AddFiles(paths);
    ASSERT_EQ(select->GetRowCount(), 3);
    EXPECT_FALSE(toolbar->GetClipButton()->IsEnabled());

    const wxRect cell = select->GetGrid()->CellToRect(1, 1);
    fltest::Click(select->GetGrid()->GetGridWindow(), cell.GetPosition() + wxPoint(20, cell.height / 2));
    EXPECT_EQ(select->GetSelectedRows(), wxArrayInt(1, 1));
    EXPECT_TRUE(toolbar->GetClipButton()->IsEnabled());
    EXPECT_FALSE(toolbar->GetClipButton()->IsShown());
    fltest::Screenshot("main-window-rows");
}

}  // namespace
