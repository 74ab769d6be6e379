#include "WmGrid.h"

#include <set>

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
    return GetTable()->DeleteRows(first, count);
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
