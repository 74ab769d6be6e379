// The grid of the file list and of the run list: whole-row selection with
// Ctrl + click, a click below the last row clears the selection, and a few
// row and cell helpers.
#pragma once

#include <wx/grid.h>

class WmGrid : public wxGrid {
public:
    WmGrid();
    WmGrid(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
           const wxSize& size = wxDefaultSize, long style = wxWANTS_CHARS,
           const wxString& name = wxGridNameStr);

    bool Create(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxWANTS_CHARS,
                const wxString& name = wxGridNameStr);

    // Every selected row once, in ascending order (rows selected one by one
    // and rows inside selected blocks alike).
    wxArrayInt GetAllSelectedRows() const;
    // The cell's renderer or editor without an extra reference for the
    // caller to release.
    wxGridCellRenderer* PeekCellRenderer(int row, int col) const;
    wxGridCellEditor* PeekCellEditor(int row, int col) const;
    // Repaints one cell (with erasing).
    void RefreshCell(int row, int col);
    // False at once when count is 0 (or there is no table). The rows that
    // stay keep their selection; the cursor stays on its row, moves to the
    // row now in the deleted rows' place, or is none in an empty grid.
    bool DeleteRows(int first = 0, int count = 1, bool updateLabels = true);
    bool DeleteAllRows();
    bool DeleteColumns(int first = 0, int count = 1, bool updateLabels = true);
    // Gives every column from first to the last the width 0.
    void HideColumnsFrom(int first);
    void SetColumn(int column, const wxString& label, int width);

private:
    void OnCellLeftClick(wxGridEvent& event);
    void OnBodyLeftDown(wxMouseEvent& event);

    wxDECLARE_CLASS(WmGrid);
    wxDECLARE_EVENT_TABLE();
};
