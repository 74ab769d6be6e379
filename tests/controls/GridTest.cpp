// The grid, its two renderers and the cell progress event.
#include "ControlsTestUtil.h"
#include "EventTypes.h"
#include "PvGridCellRenderCommandEvent.h"
#include "PvPdfItemGridCellRenderer.h"
#include "TfGridCellRenderer.h"
#include "WmGrid.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<int> Rows(const wxArrayInt& rows)
{
    return std::vector<int>(rows.begin(), rows.end());
}

class GridFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(skin.ok());
        frame = new wxFrame(nullptr, wxID_ANY, "grid", wxPoint(40, 40), wxSize(500, 300),
                            wxBORDER_NONE);
        grid = new WmGrid(frame, 2136, wxPoint(0, 0), wxSize(500, 300));
        grid->CreateGrid(3, 3, wxGrid::wxGridSelectRows);
        for (int r = 0; r < 3; ++r)
            grid->SetCellValue(r, 1, wxString::Format("row %d", r));
        ASSERT_TRUE(ctest::ShowAndWait(frame));
    }
    void TearDown() override
    {
        frame->Destroy();
        ctest::Pump(50);
    }
    wxPoint CellCentre(int row) const
    {
        const wxRect r = grid->CellToRect(row, 1);
        return wxPoint(r.x + r.width / 2, r.y + r.height / 2);
    }
    void ClickRow(int row, bool ctrl)
    {
        wxUIActionSimulator sim;
        if (ctrl) {
            sim.KeyDown(WXK_CONTROL);
            ctest::Pump(30);
        }
        const wxPoint at = row >= 0 ? CellCentre(row) : CellCentre(2) + wxPoint(0, 60);
        ctest::Click(grid->GetGridWindow(), at);
        if (ctrl) {
            sim.KeyUp(WXK_CONTROL);
            ctest::Pump(30);
        }
    }

    ctest::SkinArchive skin{ctest::StandardSkin()};
    wxFrame* frame = nullptr;
    WmGrid* grid = nullptr;
};

TEST_F(GridFixture, CtrlClickTogglesRowsAndAClickBelowTheRowsClears)
{
    struct Step {
        const char* what;
        int row;  // -1: below the last row
        bool ctrl;
        std::vector<int> selected;
    };
    const Step steps[] = {
        {"click row 0", 0, false, {0}},
        {"ctrl-click row 2 adds it", 2, true, {0, 2}},
        {"ctrl-click row 0 removes it", 0, true, {2}},
        {"plain click selects only row 1", 1, false, {1}},
        {"click below the last row clears", -1, false, {}},
        {"ctrl-click on nothing selected adds", 2, true, {2}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        ClickRow(s.row, s.ctrl);
        EXPECT_EQ(Rows(grid->GetAllSelectedRows()), s.selected);
    }
    ctest::Screenshot("grid");
}

// A long list: Ctrl + click on a selected row deselects it by repainting
// that row, not the whole list.
TEST_F(GridFixture, CtrlClickRepaintsOnlyItsRow)
{
    grid->AppendRows(997);
    grid->SetCellHighlightPenWidth(0);
    // wxGTK gives a paint the bounding box of what was invalidated, and GTK
    // redraws its overlay scroll bar on its own: the bar's fading and the
    // row drawn in one frame would read as the whole list.
    grid->ShowScrollbars(wxSHOW_SB_NEVER, wxSHOW_SB_NEVER);
    ClickRow(0, false);
    ClickRow(2, true);
    ClickRow(1, true);
    wxWindow* body = grid->GetGridWindow();
    // The earlier clicks' repaints are over (a loaded machine may take long).
    for (int tries = 0; tries < 50; ++tries) {
        const ctest::PaintRecorder settle(body);
        body->Update();
        ctest::Pump(200);
        if (settle.Painted().empty())
            break;
    }
    std::vector<wxRect> painted;
    {
        const ctest::PaintRecorder recorder(body);
        ClickRow(1, true);
        body->Update();
        ctest::Pump(200);
        painted = recorder.Painted();
    }

    EXPECT_EQ(Rows(grid->GetAllSelectedRows()), (std::vector<int>{0, 2}));
    wxRect row = grid->CellToRect(1, 0).Union(grid->CellToRect(1, grid->GetNumberCols() - 1));
    row.width += 1;  // with the grid lines
    row.height += 1;
    for (const wxRect& rect : painted)
        EXPECT_TRUE(row.Contains(rect)) << "painted beyond the row: " << rect.x << "," << rect.y
                                        << " " << rect.width << "x" << rect.height;
    EXPECT_FALSE(painted.empty()) << "the deselected row was not drawn";
}

TEST_F(GridFixture, AllSelectedRowsListsEachRowOnce)
{
    grid->SelectRow(1);
    EXPECT_EQ(Rows(grid->GetAllSelectedRows()), std::vector<int>{1});
    grid->SelectRow(2, true);
    grid->SelectRow(0, true);
    EXPECT_EQ(Rows(grid->GetAllSelectedRows()), (std::vector<int>{0, 1, 2}));
    grid->ClearSelection();
    grid->SelectBlock(0, 0, 1, 2);
    EXPECT_EQ(Rows(grid->GetAllSelectedRows()), (std::vector<int>{0, 1}));
}

TEST_F(GridFixture, RowAndColumnHelpers)
{
    EXPECT_FALSE(grid->DeleteRows(0, 0));
    EXPECT_EQ(grid->GetNumberRows(), 3);
    EXPECT_FALSE(grid->DeleteRows(5, 1));  // past the end: refused, no assert
    EXPECT_TRUE(grid->DeleteRows(1, 1));
    EXPECT_EQ(grid->GetNumberRows(), 2);
    EXPECT_EQ(grid->GetCellValue(1, 1), "row 2");
    EXPECT_TRUE(grid->DeleteAllRows());
    EXPECT_EQ(grid->GetNumberRows(), 0);
    EXPECT_FALSE(grid->DeleteAllRows());
    EXPECT_FALSE(grid->DeleteColumns(0, 0));

    grid->SetColumn(0, "Name", 120);
    EXPECT_EQ(grid->GetColLabelValue(0), "Name");
    EXPECT_EQ(grid->GetColSize(0), 120);
    grid->HideColumnsFrom(1);
    EXPECT_EQ(grid->GetColSize(1), 0);
    EXPECT_EQ(grid->GetColSize(2), 0);
    EXPECT_EQ(grid->GetColSize(0), 120);
}

// Deleting rows leaves the selection on exactly the selected rows that stay
// and the cursor on a row that exists; a click below the rows afterwards
// (which clears the selection) raises no toolkit assert.
TEST_F(GridFixture, DeletedRowsTakeTheirSelectionAndTheCursorStaysOnARow)
{
    struct Span {
        int first, count;  // count 0: every row
    };
    struct Case {
        const char* what;
        int rows;
        int cursor;
        std::vector<Span> selected;  // blocks, as a drag selects them
        std::vector<Span> deleted;   // in this order
        std::vector<std::string> selectedAfter;
        std::string cursorAfter;  // "" for none
    };
    const Case cases[] = {
        {"last two rows, bottom up", 4, 3, {{2, 2}}, {{3, 1}, {2, 1}}, {}, "row 1"},
        {"middle block, bottom up", 6, 2, {{2, 2}}, {{3, 1}, {2, 1}}, {}, "row 4"},
        {"first row", 4, 0, {{0, 1}}, {{0, 1}}, {}, "row 1"},
        {"cursor below follows its row", 5, 2, {{0, 1}}, {{0, 1}}, {}, "row 2"},
        {"selection on both sides stays", 5, 4, {{0, 1}, {3, 2}}, {{1, 1}}, {"row 0", "row 3", "row 4"},
         "row 4"},
        {"two rows at once", 5, 2, {{1, 3}}, {{1, 3}}, {}, "row 4"},
        {"every row", 4, 1, {{1, 1}}, {{0, 0}}, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        grid->ClearSelection();
        grid->DeleteAllRows();
        grid->AppendRows(c.rows);
        for (int r = 0; r < c.rows; ++r)
            grid->SetCellValue(r, 1, wxString::Format("row %d", r));
        grid->SetGridCursor(c.cursor, 1);
        for (const Span& s : c.selected)
            grid->SelectBlock(s.first, 0, s.first + s.count - 1, 2, true);
        for (const Span& d : c.deleted)
            ASSERT_TRUE(d.count ? grid->DeleteRows(d.first, d.count) : grid->DeleteAllRows());
        ctest::Pump(30);

        auto name = [&](int row) {
            return row >= grid->GetNumberRows() ? "no row " + std::to_string(row)
                                                : grid->GetCellValue(row, 1).ToStdString();
        };
        std::vector<std::string> selected;
        for (int row : grid->GetAllSelectedRows())
            selected.push_back(name(row));
        EXPECT_EQ(selected, c.selectedAfter);
        const int cursor = grid->GetGridCursorRow();
        EXPECT_EQ(cursor < 0 ? std::string() : name(cursor), c.cursorAfter);
        ClickRow(-1, false);
        EXPECT_TRUE(grid->GetAllSelectedRows().empty());
    }
}

TEST_F(GridFixture, PeekingARendererLeavesItsReferenceCount)
{
    auto* bar = new TfGridCellRenderer;
    grid->SetCellRenderer(0, 0, bar);
    const int before = bar->GetRefCount();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(grid->PeekCellRenderer(0, 0), bar);
    EXPECT_EQ(bar->GetRefCount(), before);
    grid->RefreshCell(0, 0);
    grid->RefreshCell(10, 10);  // outside the grid: nothing
}

// Draws one renderer into a marked bitmap at the cell rectangle.
wxBitmap DrawCell(WmGrid* grid, wxGridCellRenderer* renderer, const wxRect& rect)
{
    wxBitmap bitmap(200, 40);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(wxColour(0, 255, 255)));
    dc.Clear();
    wxGridCellAttr* attr = grid->GetOrCreateCellAttr(0, 0);
    attr->SetBackgroundColour(*wxWHITE);
    renderer->Draw(*grid, *attr, dc, rect, 0, 0, false);
    attr->DecRef();
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

TEST_F(GridFixture, PercentBarIsClampedToItsCell)
{
    const wxColour orange(252, 156, 0);
    const wxRect cell(10, 5, 120, 24);
    struct Case {
        int percent;
        int bar;  // pixels
    };
    for (const Case c : {Case{50, 60}, Case{0, 0}, Case{100, 120}, Case{150, 120}, Case{-20, 0}}) {
        SCOPED_TRACE(c.percent);
        TfGridCellRenderer renderer;
        renderer.SetPercent(c.percent);
        renderer.SetLabel(wxString::Format("%d%%", c.percent));
        EXPECT_EQ(renderer.BarWidth(cell.width), c.bar);
        const wxBitmap face = DrawCell(grid, &renderer, cell);
        const int y = cell.y + cell.height - 4;  // under the label
        if (c.bar > 2) {
            EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, cell.x + c.bar - 3, y), orange));
        }
        if (c.bar < cell.width) {
            EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, cell.x + c.bar + 2, y), *wxWHITE));
        }
        // Nothing is drawn right of the cell.
        EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, cell.x + cell.width + 3, y), wxColour(0, 255, 255)));
    }
}

TEST_F(GridFixture, IconRendererStartsWithoutIconAndIndentsTheText)
{
    const wxColour iconBlue(40, 40, 200);
    const wxRect cell(10, 5, 180, 24);
    auto renderer = std::make_unique<PvPdfItemGridCellRenderer>();
    EXPECT_EQ(renderer->GetState(), 0);
    renderer->SetText("clip.mp4");
    const int iconY = cell.y + (cell.height - 12) / 2 + 6;

    const wxBitmap plain = DrawCell(grid, renderer.get(), cell);
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(plain, cell.x + 10, iconY), *wxWHITE));
    // The first dark pixel of the text lies at or just right of x + 16 + 8.
    int firstInk = -1;
    for (int x = cell.x; x < cell.x + cell.width && firstInk < 0; ++x)
        for (int y = cell.y; y < cell.y + cell.height; ++y)
            if (ctest::PixelAt(plain, x, y).Red() < 128) {
                firstInk = x;
                break;
            }
    EXPECT_EQ(renderer->TextX(cell.x), cell.x + 16 + 8);
    EXPECT_GE(firstInk, cell.x + 16 + 8);
    EXPECT_LE(firstInk, cell.x + 16 + 8 + 3);

    for (int state : {1, 2}) {
        renderer->SetState(state);
        const wxBitmap icon = DrawCell(grid, renderer.get(), cell);
        EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(icon, cell.x + 4 + 8, iconY), iconBlue)) << state;
        EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(icon, cell.x + 2, iconY), *wxWHITE)) << state;
    }
}

TEST_F(GridFixture, CellEventKeepsRowColumnAndStatusWhenCopied)
{
    PvGridCellRenderCommandEvent event(EVT_CONVERT_PROGRESS, 2160);
    EXPECT_EQ(event.GetStatus(), ProgressTarget::STATUS_PROGRESS);
    event.SetInt(42);
    event.SetRow(3);
    event.SetColumn(2);
    event.SetStatus(ProgressTarget::STATUS_FAILED);
    std::unique_ptr<wxEvent> copy(event.Clone());
    auto* cell = dynamic_cast<PvGridCellRenderCommandEvent*>(copy.get());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->GetInt(), 42);
    EXPECT_EQ(cell->GetRow(), 3);
    EXPECT_EQ(cell->GetColumn(), 2);
    EXPECT_EQ(cell->GetStatus(), ProgressTarget::STATUS_FAILED);

    // Posted by copy (wxPostEvent clones), it still arrives whole.
    std::vector<int> seen;
    frame->Bind(wxEventTypeTag<PvGridCellRenderCommandEvent>(EVT_CONVERT_PROGRESS),
                [&](PvGridCellRenderCommandEvent& e) {
                    seen = {e.GetInt(), e.GetRow(), e.GetColumn(), e.GetStatus()};
                });
    wxPostEvent(frame, event);
    ctest::Pump(50);
    EXPECT_EQ(seen, (std::vector<int>{42, 3, 2, ProgressTarget::STATUS_FAILED}));
}

}  // namespace
