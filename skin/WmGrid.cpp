#include "WmGrid.h"

#include <algorithm>
#include <set>
#include <vector>

wxIMPLEMENT_CLASS(WmGrid, wxGrid);

wxBEGIN_EVENT_TABLE(WmGrid, wxGrid)
    EVT_GRID_CELL_LEFT_CLICK(WmGrid::OnCellLeftClick)
wxEND_EVENT_TABLE()

WmGrid::WmGrid() = default;

WmGrid::WmGrid(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style,
               const wxString& name)
{
    Create(parent, id, pos, size, style, name);
}

bool WmGrid::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style,
                    const wxString& name)
{
    if (!wxGrid::Create(parent, id, pos, size, style, name))
        return false;
    GetGridWindow()->Bind(wxEVT_LEFT_DOWN, &WmGrid::OnBodyLeftDown, this);
    return true;
}

wxArrayInt WmGrid::GetAllSelectedRows() const
{
    // The toolkit reports a selected row both as a row and as a block.
    std::set<int> rows;
    for (int row : GetSelectedRows())
        rows.insert(row);
    const wxGridCellCoordsArray tops = GetSelectionBlockTopLeft();
    const wxGridCellCoordsArray bottoms = GetSelectionBlockBottomRight();
    if (!tops.empty() && !bottoms.empty()) {
        const size_t blocks = std::min(tops.size(), bottoms.size());
        for (size_t b = 0; b < blocks; ++b)
            for (int row = tops[b].GetRow(); row <= bottoms[b].GetRow(); ++row)
                rows.insert(row);
    }
    wxArrayInt result;
    for (int row : rows)
        result.push_back(row);
    return result;
}

wxGridCellRenderer* WmGrid::PeekCellRenderer(int row, int col) const
{
    wxGridCellRenderer* renderer = GetCellRenderer(row, col);
    if (renderer && renderer->GetRefCount() > 1)
        renderer->DecRef();
    return renderer;
}

wxGridCellEditor* WmGrid::PeekCellEditor(int row, int col) const
{
    wxGridCellEditor* editor = GetCellEditor(row, col);
    if (editor && editor->GetRefCount() > 1)
        editor->DecRef();
    return editor;
}

void WmGrid::RefreshCell(int row, int col)
{
    wxRect rect = CellToRect(row, col);
    if (rect.IsEmpty())
        return;
    CalcScrolledPosition(rect.x, rect.y, &rect.x, &rect.y);
    GetGridWindow()->Refresh(true, &rect);
}

bool WmGrid::DeleteRows(int first, int count, bool)
{
    if (count <= 0 || !GetTable() || first < 0 || first >= GetNumberRows())
        return false;
    count = std::min(count, GetNumberRows() - first);
    // The toolkit's selection can keep a block whose rows were deleted (it
    // then refers to another row, or to none, and the next click asserts),
    // so the selection is taken down while its rows exist and put back on
    // the rows that stay.
    const wxGridUpdateLocker batch(this);
    const wxArrayInt selected = GetAllSelectedRows();
    const int cursorRow = GetGridCursorRow();
    const int cursorCol = GetGridCursorCol();
    ClearSelection();
    if (!GetTable()->DeleteRows(first, count))
        return false;

    const int rows = GetNumberRows();
    std::vector<int> kept;
    for (int row : selected) {
        if (row < first)
            kept.push_back(row);
        else if (row >= first + count)
            kept.push_back(row - count);
    }
    const int lastCol = GetNumberCols() - 1;
    for (size_t i = 0; i < kept.size() && lastCol >= 0;) {
        size_t j = i;
        while (j + 1 < kept.size() && kept[j + 1] == kept[j] + 1)
            ++j;
        SelectBlock(kept[i], 0, kept[j], lastCol, true);
        i = j + 1;
    }

    // The cursor stays on its row when that row stays, else on the row now
    // in the place of the deleted ones; none in an empty grid.
    int target = cursorRow;
    if (cursorRow >= first + count)
        target = cursorRow - count;
    else if (cursorRow >= first)
        target = std::min(first, rows - 1);
    if (rows == 0 || cursorRow < 0 || lastCol < 0)
        m_currentCellCoords = wxGridNoCellCoords;
    else if (target != GetGridCursorRow() || GetGridCursorCol() < 0)
        SetGridCursor(target, std::max(0, std::min(cursorCol, lastCol)));
    return true;
}

bool WmGrid::DeleteAllRows()
{
    return DeleteRows(0, GetNumberRows(), true);
}

bool WmGrid::DeleteColumns(int first, int count, bool)
{
    if (count <= 0 || !GetTable() || first < 0 || first >= GetNumberCols())
        return false;
    return GetTable()->DeleteCols(first, count);
}

void WmGrid::HideColumnsFrom(int first)
{
    for (int col = first; col < GetNumberCols(); ++col)
        SetColSize(col, 0);
}

void WmGrid::SetColumn(int column, const wxString& label, int width)
{
    SetColLabelValue(column, label);
    SetColSize(column, width);
}

void WmGrid::OnCellLeftClick(wxGridEvent& event)
{
    const int row = event.GetRow();
    if (!event.ControlDown()) {
        event.Skip();
        return;
    }
    if (IsInSelection(row, 0)) {
        DeselectRow(row);
        // That row only: a long list repaints no other row.
        RefreshBlock(row, 0, row, GetNumberCols() - 1);
    } else {
        SelectRow(row, true);
    }
}

void WmGrid::OnBodyLeftDown(wxMouseEvent& event)
{
    if (YToRow(event.GetY(), false) == wxNOT_FOUND)
        ClearSelection();
    event.Skip();
}
