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
#include <wx/uiaction.h>

#include <vector>

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
        ASSERT_TRUE(fltest::WaitFor([&] { return frame->IsShownOnScreen(); }));
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
        ASSERT_TRUE(fltest::WaitFor([&] { return closer.seen() == 1; }));
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

namespace {

// Four files, Page_Down, rows 3-4 selected by a drag, Delete, a click on the
// title bar, then a drag from the empty list area onto the preview: the
// selection and the cursor left by the deletion lie on rows that exist, so
// the grid handles the drag without a toolkit assert. Both drag directions
// (the cursor stays where the drag started).
TEST_F(MainWindowTest, DragAfterDeletingTheCursorsRowsStaysOnRowsThatExist)
{
    wxWindow* title = wxWindow::FindWindowById(2165, frame);
    wxWindow* preview = wxWindow::FindWindowById(2140, frame);
    ASSERT_NE(title, nullptr);
    ASSERT_NE(preview, nullptr);
    WmGrid* grid = select->GetGrid();
    wxWindow* body = grid->GetGridWindow();
    auto centre = [&](int row) {
        const wxRect r = grid->CellToRect(row, 1);
        int x = 0, y = 0;
        grid->CalcScrolledPosition(r.x + r.width / 2, r.y + r.height / 2, &x, &y);
        return wxPoint(x, y);
    };
    for (const bool upwards : {false, true}) {
        SCOPED_TRACE(upwards ? "dragged from row 4 to row 3" : "dragged from row 3 to row 4");
        select->ClearAll();
        wxArrayString paths;
        for (int i = 0; i < 4; ++i)
            paths.Add(wxString::FromUTF8(fltest::Clip("clip" + std::to_string(i) + ".mp4", i + 1)));
        select->AddFiles(paths);
        ASSERT_EQ(select->GetRowCount(), 4);

        body->SetFocus();
        fltest::Pump(50);
        wxUIActionSimulator keys;
        keys.Char(WXK_PAGEDOWN);
        fltest::Pump(100);
        ctest::Drag(body, centre(upwards ? 3 : 2), centre(upwards ? 2 : 3));
        const wxArrayInt selected = select->GetSelectedRows();
        ASSERT_EQ(std::vector<int>(selected.begin(), selected.end()), (std::vector<int>{2, 3}));
        keys.Char(WXK_DELETE);
        ASSERT_TRUE(fltest::WaitFor([&] { return select->GetRowCount() == 2; }));
        EXPECT_LT(grid->GetGridCursorRow(), 2);
        EXPECT_GE(grid->GetGridCursorRow(), 0);
        EXPECT_TRUE(select->GetSelectedRows().empty());

        fltest::Click(title, wxPoint(title->GetClientSize().x / 2, 10));
        const wxPoint empty(200, body->GetClientSize().y - 20);
        const wxPoint onPreview =
            body->ScreenToClient(preview->ClientToScreen(wxPoint(160, 160)));
        ctest::Drag(body, empty, onPreview, 8);
        EXPECT_EQ(select->GetRowCount(), 2);
        for (int row : select->GetSelectedRows())
            EXPECT_LT(row, 2);
    }
}

}  // namespace
