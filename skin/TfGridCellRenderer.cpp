#include "TfGridCellRenderer.h"

#include <wx/dc.h>
#include <wx/settings.h>

#include <algorithm>

TfGridCellRenderer::TfGridCellRenderer() : m_barColour(252, 156, 0) {}

int TfGridCellRenderer::BarWidth(int w) const
{
    const int percent = std::clamp(m_percent, 0, 100);
    return w * percent / 100;
}

void TfGridCellRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect,
                              int row, int col, bool isSelected)
{
    wxGridCellStringRenderer::Draw(grid, attr, dc, rect, row, col, isSelected);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(wxBrush(m_barColour, wxBRUSHSTYLE_SOLID));
    const int bar = BarWidth(rect.width);
    if (bar > 0)
        dc.DrawRectangle(rect.x, rect.y, bar, rect.height);
    dc.SetTextForeground(*wxBLACK);
    dc.DrawLabel(m_label, rect, wxALIGN_CENTER_HORIZONTAL);
}
