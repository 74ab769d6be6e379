// Grid cell renderer of the run list: the cell's text, a percent bar and a
// label centred at the top of the cell.
#pragma once

#include <wx/grid.h>

class TfGridCellRenderer : public wxGridCellStringRenderer {
public:
    TfGridCellRenderer();

    void SetLabel(const wxString& label) { m_label = label; }
    void SetBarColour(const wxColour& colour) { m_barColour = colour; }
    void SetPercent(int percent) { m_percent = percent; }
    int GetPercent() const { return m_percent; }
    wxString GetLabel() const { return m_label; }

    // The bar's width in a cell w pixels wide; percent is taken within 0..100.
    int BarWidth(int w) const;

    void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
              bool isSelected) override;

private:
    int m_percent = 0;
    wxString m_label;
    wxColour m_barColour;
};
