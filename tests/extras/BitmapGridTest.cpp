// The static bitmap over its parent's skin, and the grid that selects and
// steps whole rows.
#include "ExtrasTestUtil.h"
#include "MyGrid.h"
#include "MyStaticBitmap.h"

#include <wx/uiaction.h>

#include <vector>

namespace {

using etest::ShownPane;

TEST_F(ShownPane, StaticBitmapShowsTheSkinWhereItsImageIsTransparent)
{
    // A 30 x 20 red image whose left half is the mask colour.
    wxImage image = ctest::Solid({30, 20}, wxColour(220, 20, 20));
    image.SetRGB(wxRect(0, 0, 15, 20), 0, 255, 0);
    image.SetMaskColour(0, 255, 0);
    auto* picture = new MyStaticBitmap;
    ASSERT_TRUE(picture->Create(wxBitmap(image), pane, wxID_ANY, wxPoint(40, 50)));
    picture->SetBackground(pane->GetShape());
    EXPECT_EQ(picture->GetBestSize(), wxSize(30, 20));
    EXPECT_EQ(picture->GetSize(), wxSize(30, 20));

    const wxBitmap face = etest::Face(picture, {30, 20});
    for (int y = 0; y < 20; y += 3) {
        for (int x = 0; x < 15; x += 2)
            ASSERT_TRUE(ctest::SameColour(ctest::PixelAt(face, x, y), ctest::GradientAt(40 + x, 50 + y)))
                << x << "," << y;
        for (int x = 15; x < 30; x += 2)
            ASSERT_TRUE(ctest::SameColour(ctest::PixelAt(face, x, y), wxColour(220, 20, 20)))
                << x << "," << y;
    }

    // Without a background only the image is drawn.
    auto* bare = new MyStaticBitmap;
    ASSERT_TRUE(bare->Create(wxBitmap(image), pane, wxID_ANY, wxPoint(100, 50)));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(etest::Face(bare, {30, 20}), 3, 3),
                                  wxColour(255, 0, 255)));
    ctest::Pump(100);
    ctest::Screenshot("extras-static-bitmap");
}

class RowGridTest : public ShownPane {
protected:
    void SetUp() override
    {
        ShownPane::SetUp();
        grid = new MyGrid;
        ASSERT_TRUE(grid->Create(pane, wxID_ANY, wxPoint(10, 10), wxSize(360, 200)));
        grid->CreateGrid(3, 3);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                grid->SetCellValue(r, c, wxString::Format("r%dc%d", r, c));
        ctest::Pump(100);
    }
    // The selected rows; every selected row is whole.
    std::vector<int> Rows() const
    {
        std::vector<int> rows;
        for (int r = 0; r < grid->GetNumberRows(); ++r) {
            int cells = 0;
            for (int c = 0; c < grid->GetNumberCols(); ++c)
                cells += grid->IsInSelection(r, c) ? 1 : 0;
            EXPECT_TRUE(cells == 0 || cells == grid->GetNumberCols()) << "row " << r << " partly";
            if (cells)
                rows.push_back(r);
        }
        return rows;
    }
    wxPoint CellCentre(int row, int col) const
    {
        const wxRect r = grid->CellToRect(row, col);
        int x = 0, y = 0;
        grid->CalcScrolledPosition(r.x + r.width / 2, r.y + r.height / 2, &x, &y);
        return {x, y};
    }
    MyGrid* grid = nullptr;
};

TEST_F(RowGridTest, UpAndDownStepTheSelectedRowWithinTheGrid)
{
    struct Case {
        const char* name;
        int selected;  // -1: nothing selected
        std::vector<int> keys;
        int expected;
    };
    const Case cases[] = {
        {"down at the last row stays", 2, {WXK_DOWN}, 2},
        {"up at the first row stays", 0, {WXK_UP}, 0},
        {"down steps", 0, {WXK_DOWN}, 1},
        {"down twice", 0, {WXK_DOWN, WXK_DOWN, WXK_DOWN}, 2},
        {"up steps", 2, {WXK_UP}, 1},
        {"other keys keep the row", 1, {WXK_RIGHT, WXK_LEFT, WXK_PAGEDOWN, WXK_END, 'a'}, 1},
        {"down with nothing selected", -1, {WXK_DOWN}, 0},
        {"up with nothing selected", -1, {WXK_UP}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grid->ClearSelection();
        if (c.selected >= 0)
            grid->SelectRow(c.selected);
        for (int key : c.keys)
            EXPECT_TRUE(etest::SendKey(grid->GetGridWindow(), key)) << key;
        EXPECT_EQ(Rows(), std::vector<int>{c.expected});
    }
    grid->ClearSelection();
    EXPECT_TRUE(etest::SendKey(grid->GetGridWindow(), WXK_RIGHT));
    EXPECT_TRUE(Rows().empty());
}

TEST_F(RowGridTest, ClickSelectsTheWholeRowAndRealKeysStepIt)
{
    ctest::Click(grid->GetGridWindow(), CellCentre(1, 2));
    EXPECT_EQ(Rows(), std::vector<int>{1});
    ctest::Click(grid->GetGridWindow(), CellCentre(0, 0));
    EXPECT_EQ(Rows(), std::vector<int>{0});

    grid->GetGridWindow()->SetFocus();
    ctest::Pump(50);
    wxUIActionSimulator sim;
    sim.Char(WXK_DOWN);
    sim.Char(WXK_DOWN);
    sim.Char(WXK_DOWN);
    ctest::Pump(150);
    EXPECT_EQ(Rows(), std::vector<int>{2});
    sim.Char(WXK_UP);
    ctest::Pump(150);
    EXPECT_EQ(Rows(), std::vector<int>{1});
    ctest::Screenshot("extras-row-grid");
}

TEST_F(ShownPane, RowGridWithoutRowsLeavesKeysToTheGrid)
{
    auto* grid = new MyGrid;
    ASSERT_TRUE(grid->Create(pane, wxID_ANY, wxPoint(10, 10), wxSize(200, 100)));
    grid->CreateGrid(0, 2);
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = WXK_DOWN;
    grid->GetEventHandler()->ProcessEvent(event);  // the grid's own handling, no assert
    EXPECT_TRUE(grid->GetSelectedRows().empty());
}

}  // namespace
