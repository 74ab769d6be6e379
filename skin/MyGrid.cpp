#include "MyGrid.h"

wxBEGIN_EVENT_TABLE(MyGrid, wxGrid)
    EVT_KEY_DOWN(MyGrid::OnKeyDown)
    EVT_GRID_CELL_LEFT_CLICK(MyGrid::OnCellLeftClick)
wxEND_EVENT_TABLE()

bool MyGrid::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size)
{
    wxGrid::Create(parent, id, pos, size, wxWANTS_CHARS, wxGridNameStr);
    return true;
}

void MyGrid::OnCellLeftClick(wxGridEvent& event)
{
    SelectRow(event.GetRow(), false);
}

void MyGrid::OnKeyDown(wxKeyEvent& event)
{
    const int rows = GetNumberRows();
    if (rows <= 0) {
        event.Skip();
        return;
    }
    const wxArrayInt selected = GetSelectedRows();
    const int key = event.GetKeyCode();
    if (selected.empty()) {
        // Nothing selected yet: either key selects the first row.
        if (key == WXK_UP || key == WXK_DOWN)
            SelectRow(0, false);
        return;
    }
    const int row = selected[0];
    if (key == WXK_UP)
        SelectRow(row > 0 ? row - 1 : row, false);
    else if (key == WXK_DOWN)
        SelectRow(row == rows - 1 ? row : row + 1, false);
}
