// Working on a filled list: selecting with Ctrl + click, removing by key,
// menu and code, applying the profile, and the file information dialog.
#include "FileListEnv.h"

#include "FormatCatalog.h"
#include "MenuTestUtil.h"
#include "MediaInfo.h"
#include "NotifyCode.h"
#include "PlayJob.h"
#include "PvFileInfoDialog.h"
#include "PvBitmapButton.h"
#include "PvPdfItemGridCellRenderer.h"
#include "SelectWindow.h"
#include "ToolbarWindow.h"
#include "WmGrid.h"

#include <gtest/gtest.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>

namespace {

using fltest::Pump;
using fltest::WaitFor;

wxString W(const std::string& s) { return wxString::FromUTF8(s); }

class ListEditTest : public fltest::PaneTest {
protected:
    WmGrid* grid() const { return host->pane->GetGrid(); }

    // Rows named clip0.mp4 .. clip<n-1>.mp4, clip i lasting i + 1 seconds.
    void Fill(int n)
    {
        wxArrayString paths;
        for (int i = 0; i < n; ++i) {
            const std::string name = "clip" + std::to_string(i) + ".mp4";
            paths.Add(W(fltest::Clip(name, i + 1)));
        }
        pane()->AddFiles(paths);
        ASSERT_EQ(pane()->GetRowCount(), n);
        Pump(100);
    }

    wxPoint CellCentre(int row, int col = 1) const
    {
        const wxRect r = grid()->CellToRect(row, col);
        int x = 0, y = 0;
        grid()->CalcScrolledPosition(r.x + r.width / 2, r.y + r.height / 2, &x, &y);
        return wxPoint(x, y);
    }

    // Each remaining row still shows its own record's file.
    void ExpectRowsMatchRecords()
    {
        ASSERT_EQ(size_t(pane()->GetRowCount()), pane()->GetRecords().size());
        for (int row = 0; row < pane()->GetRowCount(); ++row) {
            const MediaInfo* record = pane()->GetRecords()[size_t(row)];
            auto* renderer = dynamic_cast<PvPdfItemGridCellRenderer*>(
                grid()->PeekCellRenderer(row, SelectWindow::COL_SOURCE));
            ASSERT_NE(renderer, nullptr);
            EXPECT_EQ(renderer->GetText(), record->fileName) << "row " << row;
            EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_DURATION, row), record->duration);
        }
    }

    std::vector<wxString> Names() const
    {
        std::vector<wxString> names;
        for (const MediaInfo* record : pane()->GetRecords())
            names.push_back(record->fileName);
        return names;
    }

    // A real right click on a row, and the menu's first item, Remove,
    // chosen with real keys once the server shows the menu.
    void RightClickRemove(int row) { RightClickChoose(row, ROW_MENU_REMOVE); }

    // The right-click menu's items, by the Down presses that reach them.
    enum RowMenuItem { ROW_MENU_REMOVE = 1, ROW_MENU_CLEAR_ALL = 2 };
    void RightClickChoose(int row, RowMenuItem item)
    {
        menutest::Script script;
        script.When("the row's menu on screen", [] { return menutest::ShownPopupMenu() != nullptr; });
        menutest::AddPopupPick(script, int(item));
        script.When("the row's menu to close", &menutest::MenusClosed);
        ctest::MoveTo(grid()->GetGridWindow(), CellCentre(row));
        script.Run();
        ctest::SyncWithServer();
        wxUIActionSimulator().MouseClick(wxMOUSE_BTN_RIGHT);
        ASSERT_TRUE(WaitFor([&] { return script.Done(); })) << "the row's menu script did not end";
        ASSERT_FALSE(script.Failed()) << script.Failure();
    }

    // A real key press on the focused cell area.
    void SendKey(int key)
    {
        grid()->GetGridWindow()->SetFocus();
        Pump(50);
        wxUIActionSimulator sim;
        sim.Char(key);
        Pump(100);
    }

};

// The other panes read the cells by column index: the order, labels and the
// two hidden columns are what they rely on.
TEST_F(ListEditTest, ColumnsInTheOrderTheOtherPanesReadThem)
{
    struct Column {
        int index;
        const char* label;
        int width;
    };
    const Column columns[] = {
        {SelectWindow::COL_SOURCE, "Source", 160},
        {SelectWindow::COL_DURATION, "Trimmed Length", 100},
        {SelectWindow::COL_SIZE, "Estimated Size", 90},
        {SelectWindow::COL_BASE_NAME, "Destination Files", 100},
        {SelectWindow::COL_EXTENSION, "Profile", 50},
        {SelectWindow::COL_PATH, "", 0},
        {SelectWindow::COL_PROFILE_ID, "", 0},
    };
    ASSERT_EQ(grid()->GetNumberCols(), int(std::size(columns)));
    for (const Column& c : columns) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(grid()->GetColSize(c.index), c.width);
        if (*c.label) {
            EXPECT_EQ(grid()->GetColLabelValue(c.index), c.label);
        }
    }

    Fill(1);
    const MediaInfo* record = pane()->GetRecords()[0];
    EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_SOURCE, 0), "");
    EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_BASE_NAME, 0), "clip0");
    EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_PATH, 0), record->path);
    EXPECT_TRUE(pane()->GetCellText(SelectWindow::COL_PATH, 0).EndsWith("/clip0.mp4"));
}

TEST_F(ListEditTest, CtrlClickedRowsAreRemovedWithExactlyTheirRecords)
{
    Fill(6);
    fltest::Click(grid()->GetGridWindow(), CellCentre(5));
    fltest::Click(grid()->GetGridWindow(), CellCentre(2), true);
    const wxArrayInt selected = pane()->GetSelectedRows();
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0], 2);
    EXPECT_EQ(selected[1], 5);

    pane()->RemoveSelected();
    const std::vector<wxString> expected = {"clip0.mp4", "clip1.mp4", "clip3.mp4", "clip4.mp4"};
    EXPECT_EQ(Names(), expected);
    ExpectRowsMatchRecords();

    // A Ctrl + click on a selected row takes just that row out.
    fltest::Click(grid()->GetGridWindow(), CellCentre(0));
    fltest::Click(grid()->GetGridWindow(), CellCentre(3), true);
    fltest::Click(grid()->GetGridWindow(), CellCentre(0), true);
    EXPECT_EQ(pane()->GetSelectedRows(), wxArrayInt(1, 3));
}

TEST_F(ListEditTest, DeleteBackspaceMenuAndCodesRemoveRowsArrowsDoNotMove)
{
    Fill(5);
    grid()->SelectRow(1);
    const int cursor = grid()->GetGridCursorRow();
    SendKey(WXK_DOWN);
    EXPECT_EQ(grid()->GetGridCursorRow(), cursor);
    SendKey(WXK_DELETE);
    EXPECT_EQ(Names(), (std::vector<wxString>{"clip0.mp4", "clip2.mp4", "clip3.mp4", "clip4.mp4"}));

    grid()->SelectRow(0);
    SendKey(WXK_BACK);
    EXPECT_EQ(Names(), (std::vector<wxString>{"clip2.mp4", "clip3.mp4", "clip4.mp4"}));

    // The right-click menu's first item, Remove, chosen by keys; then code 12.
    grid()->SelectRow(2);
    RightClickRemove(2);
    ASSERT_TRUE(WaitFor([&] { return pane()->GetRowCount() == 2; }));
    EXPECT_EQ(Names(), (std::vector<wxString>{"clip2.mp4", "clip3.mp4"}));
    grid()->SelectRow(0);
    fltest::Sender menu;
    menu.Attach(pane());
    menu.Send(NOTIFY_REMOVE_SELECTED);
    EXPECT_EQ(Names(), std::vector<wxString>{"clip3.mp4"});
    ExpectRowsMatchRecords();

    // Nothing selected: nothing removed.
    grid()->ClearSelection();
    SendKey(WXK_DELETE);
    EXPECT_EQ(pane()->GetRowCount(), 1);

    // Clear All (menu id 3), twice: the grid stays shown and empty.
    wxCommandEvent clear(wxEVT_MENU, SelectWindow::ID_MENU_CLEAR_ALL);
    pane()->GetEventHandler()->ProcessEvent(clear);
    menu.Send(NOTIFY_CLEAR_ALL);
    EXPECT_EQ(pane()->GetRowCount(), 0);
    EXPECT_TRUE(pane()->GetRecords().empty());
    EXPECT_TRUE(grid()->IsShown());
}

// Delete, Remove and Clear All with the grid cursor on the first, a middle
// and the last row (a drag selects from the cursor's row): the rows go with
// their records, the cursor stays on a row that exists (none in an empty
// list), and the next drag from the empty area raises no toolkit assert.
TEST_F(ListEditTest, RemovingRowsUnderTheCursorLeavesItOnARowThatExists)
{
    enum How { DELETE_KEY, REMOVE_ITEM, CLEAR_ALL_ITEM };
    struct Case {
        const char* what;
        How how;
        int cursor;  // the drag starts on this row ...
        int other;   // ... and ends on this one
        std::vector<wxString> left;
    };
    const Case cases[] = {
        {"Delete, first row", DELETE_KEY, 0, 1, {"clip2.mp4", "clip3.mp4"}},
        {"Delete, middle row", DELETE_KEY, 1, 2, {"clip0.mp4", "clip3.mp4"}},
        {"Delete, last row", DELETE_KEY, 3, 2, {"clip0.mp4", "clip1.mp4"}},
        {"Remove, first row", REMOVE_ITEM, 0, 0, {"clip1.mp4", "clip2.mp4", "clip3.mp4"}},
        {"Remove, middle row", REMOVE_ITEM, 2, 1, {"clip0.mp4", "clip3.mp4"}},
        {"Remove, last row", REMOVE_ITEM, 3, 1, {"clip0.mp4"}},
        {"Clear All, first row", CLEAR_ALL_ITEM, 0, 1, {}},
        {"Clear All, middle row", CLEAR_ALL_ITEM, 2, 2, {}},
        {"Clear All, last row", CLEAR_ALL_ITEM, 3, 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pane()->ClearAll();
        Fill(4);
        ctest::Drag(grid()->GetGridWindow(), CellCentre(c.cursor), CellCentre(c.other));
        ASSERT_EQ(grid()->GetGridCursorRow(), c.cursor);
        ASSERT_EQ(pane()->GetSelectedRows().size(), size_t(std::abs(c.cursor - c.other) + 1));
        switch (c.how) {
        case DELETE_KEY:
            SendKey(WXK_DELETE);
            break;
        case REMOVE_ITEM:
            RightClickChoose(c.cursor, ROW_MENU_REMOVE);
            break;
        case CLEAR_ALL_ITEM:
            RightClickChoose(c.cursor, ROW_MENU_CLEAR_ALL);
            break;
        }
        ASSERT_TRUE(WaitFor([&] { return pane()->GetRowCount() == int(c.left.size()); }));
        EXPECT_EQ(Names(), c.left);
        ExpectRowsMatchRecords();
        const int rows = pane()->GetRowCount();
        const int cursor = grid()->GetGridCursorRow();
        if (rows == 0) {
            EXPECT_EQ(cursor, -1);
        } else {
            EXPECT_GE(cursor, 0);
            EXPECT_LT(cursor, rows);
        }
        for (int row : pane()->GetSelectedRows())
            EXPECT_LT(row, rows);

        // From below the last row up to the top of the list.
        const wxPoint empty(200, grid()->GetGridWindow()->GetClientSize().y - 20);
        ctest::Drag(grid()->GetGridWindow(), empty, wxPoint(200, 5));
        for (int row : pane()->GetSelectedRows())
            EXPECT_LT(row, rows);
    }
}

// A right click on a row outside the selection selects that row, so the
// menu's Remove takes the row clicked; on a selected row the whole selection
// stays and goes.
TEST_F(ListEditTest, RightClickRemoveTakesTheRowClickedOrTheSelectionItIsIn)
{
    struct Case {
        const char* what;
        std::vector<int> selected;  // clicked in turn, Ctrl held after the first
        int clicked;
        std::vector<wxString> left;
    };
    const Case cases[] = {
        {"outside the selection", {0}, 2, {"clip0.mp4", "clip1.mp4", "clip3.mp4"}},
        {"inside a selection of two", {0, 2}, 2, {"clip1.mp4", "clip3.mp4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pane()->ClearAll();
        Fill(4);
        for (size_t i = 0; i < c.selected.size(); ++i)
            fltest::Click(grid()->GetGridWindow(), CellCentre(c.selected[i]), i > 0);
        ASSERT_EQ(pane()->GetSelectedRows().size(), c.selected.size());
        RightClickRemove(c.clicked);
        ASSERT_TRUE(WaitFor([&] { return pane()->GetRowCount() == int(c.left.size()); }));
        EXPECT_EQ(Names(), c.left);
        ExpectRowsMatchRecords();
    }
}

TEST_F(ListEditTest, ApplyToAllDecidesWhichRowsTakeANewProfile)
{
    Fill(3);
    fltest::Sender profile;
    profile.Attach(pane());
    const wxString sizeA1 = pane()->GetCellText(SelectWindow::COL_SIZE, 1);
    const wxString sizeB1 = EstimateOutputSize(env->catalog, fltest::kProfileB, 2);
    ASSERT_FALSE(sizeB1.empty());
    ASSERT_NE(sizeA1, sizeB1);

    int off = 0;
    profile.Send(NOTIFY_APPLY_TO_ALL, &off);
    EXPECT_FALSE(pane()->IsApplyToAll());
    grid()->SelectRow(1);
    env->UseProfile(fltest::kProfileB, ".avi");
    profile.Send(NOTIFY_PROFILE_CHANGED);
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        const bool changed = row == 1;
        const int seconds = row + 1;
        const char* id = changed ? fltest::kProfileB : fltest::kProfileA;
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_PROFILE_ID, row), id);
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_EXTENSION, row), changed ? ".avi" : ".mp4");
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_SIZE, row),
                  EstimateOutputSize(env->catalog, id, uint64_t(seconds)));
    }

    int on = 1;
    profile.Send(NOTIFY_APPLY_TO_ALL, &on);
    EXPECT_TRUE(pane()->IsApplyToAll());
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_PROFILE_ID, row), fltest::kProfileB);
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_EXTENSION, row), ".avi");
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_SIZE, row),
                  EstimateOutputSize(env->catalog, fltest::kProfileB, uint64_t(row + 1)));
    }

    // A profile the catalog does not hold leaves the size empty.
    env->UseProfile("no such profile (*.xyz)", ".xyz");
    profile.Send(NOTIFY_PROFILE_CHANGED);
    EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_SIZE, 0), "");
    EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_EXTENSION, 0), ".xyz");
}

TEST_F(ListEditTest, ProfileChangedBeforeTheFirstFilesReachesThemThroughTheSettings)
{
    fltest::Sender profile;
    profile.Attach(pane());
    env->UseProfile(fltest::kProfileB, ".avi");
    profile.Send(NOTIFY_PROFILE_CHANGED);
    int on = 1;
    profile.Send(NOTIFY_APPLY_TO_ALL, &on);
    EXPECT_FALSE(grid()->IsShown());
    Fill(1);
    EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_PROFILE_ID, 0), fltest::kProfileB);
    EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_EXTENSION, 0), ".avi");
}

TEST_F(ListEditTest, SelectingARowNotifiesOnceTheListIsFilled)
{
    fltest::Recorder observer;
    pane()->Attach(&observer);
    ToolbarWindow toolbar;
    ASSERT_TRUE(toolbar.Create(host->frame, ToolbarWindow::ID_TOOLBAR_WINDOW, new wxBitmap(400, 44),
                               wxPoint(0, 0), wxSize(400, 44)));
    toolbar.Show(false);
    pane()->Attach(&toolbar);
    Fill(3);
    // Adding rows sends nothing.
    EXPECT_TRUE(std::find(observer.codes.begin(), observer.codes.end(), int(NOTIFY_SELECTION_CHANGED)) ==
                observer.codes.end());
    EXPECT_FALSE(toolbar.GetClipButton()->IsEnabled());

    fltest::Click(grid()->GetGridWindow(), CellCentre(2));
    ASSERT_FALSE(observer.codes.empty());
    EXPECT_EQ(observer.codes.back(), int(NOTIFY_SELECTION_CHANGED));
    EXPECT_EQ(observer.arguments.back(), nullptr);
    EXPECT_TRUE(toolbar.GetClipButton()->IsEnabled());
    EXPECT_TRUE(toolbar.GetEditButton()->IsEnabled());
    EXPECT_FALSE(toolbar.GetClipButton()->IsShown());
    pane()->Detach(&toolbar);
    pane()->Detach(&observer);
}

TEST_F(ListEditTest, FileInformationShowsTheFirstSelectedRowsRecord)
{
    Fill(3);
    fltest::Sender menu;
    menu.Attach(pane());

    {
        fltest::ModalCloser closer(CLASSINFO(PvFileInfoDialog), [](wxDialog*) { return 0; });
        menu.Send(NOTIFY_FILE_INFO);  // nothing selected
        EXPECT_EQ(closer.seen(), 0);
    }

    std::map<std::string, wxString> shown;
    fltest::ModalCloser reader(CLASSINFO(PvFileInfoDialog), [&](wxDialog* dialog) {
        auto* info = static_cast<PvFileInfoDialog*>(dialog);
        shown["name"] = info->GetFileNameField()->GetValue();
        shown["length"] = info->GetMediaLengthField()->GetValue();
        shown["resolution"] = info->GetResolutionField()->GetValue();
        shown["fps"] = info->GetFrameRateField()->GetValue();
        shown["rate"] = info->GetSampleRateField()->GetValue();
        shown["channel"] = info->GetChannelField()->GetValue();
        shown["editable"] = info->GetFileNameField()->IsEditable() ? "yes" : "no";
        fltest::Screenshot("file-information");
        return 0;
    });
    grid()->SelectRow(2);
    grid()->SelectRow(1, true);
    menu.Send(NOTIFY_FILE_INFO);
    EXPECT_EQ(reader.seen(), 1);
    EXPECT_EQ(shown["name"], "clip1.mp4");
    EXPECT_EQ(shown["length"], "00:00:02");
    EXPECT_EQ(shown["resolution"], "320 x 240");
    EXPECT_EQ(shown["fps"], "25 fps");
    EXPECT_EQ(shown["rate"], "44100 Hz");
    EXPECT_EQ(shown["channel"], "1 channel mono");
    EXPECT_EQ(shown["editable"], "no");
}

TEST_F(ListEditTest, EditAndClipCodesWithoutSelectionOnlyClearThePreviewPath)
{
    Fill(2);
    fltest::Sender toolbar;
    toolbar.Attach(pane());
    fltest::ModalCloser closer(CLASSINFO(wxDialog), [](wxDialog*) { return 0; });
    for (int code : {int(NOTIFY_EDIT), int(NOTIFY_CLIP)}) {
        pane()->GetPlayJob()->media->path = "left over";
        toolbar.Send(code);
        EXPECT_EQ(pane()->GetPlayJob()->media->path, "");
    }
    EXPECT_EQ(closer.seen(), 0);
}

}  // namespace
