// A grid whose selection is always one whole row: a click selects the
// clicked row, Up and Down step the selected row by one.
#pragma once

#include <wx/grid.h>

class MyGrid : public wxGrid {
public:
    MyGrid() = default;

    bool Create(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize);

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnCellLeftClick(wxGridEvent& event);

    wxDECLARE_EVENT_TABLE();
};
