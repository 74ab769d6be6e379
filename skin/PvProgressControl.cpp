#include "PvProgressControl.h"

#include "EraseDC.h"

#include <wx/dcclient.h>

#include <algorithm>

wxIMPLEMENT_DYNAMIC_CLASS(PvProgressControl, wxControl);

PvProgressControl::PvProgressControl() = default;

PvProgressControl::PvProgressControl(wxWindow* parent, int id, const wxPoint& pos,
                                     const wxSize& size, long style, const wxValidator& validator,
                                     const wxString& name)
{
    Create(parent, id, pos, size, style, validator, name);
}

bool PvProgressControl::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                               long, const wxValidator&, const wxString&)
{
    if (!PvControl::Create(parent, id, pos, size, wxBORDER_NONE))
        return false;
    m_fillBrush = wxBrush(wxColour(14, 177, 242), wxBRUSHSTYLE_SOLID);
    m_borderPen = wxPen(wxColour(124, 124, 124), 1, wxPENSTYLE_SOLID);
    m_backgroundBrush = wxBrush(*wxWHITE, wxBRUSHSTYLE_SOLID);
    m_value = 0;
    return true;
}

void PvProgressControl::SetValue(int value)
{
    m_value = value;
    Refresh(true);
    Update();
}

int PvProgressControl::BarWidth(int w) const
{
    if (m_range <= 0 || m_value <= 0 || w <= 0)
        return 0;
    const long long width = static_cast<long long>(m_value) * w / m_range;
    return static_cast<int>(std::min<long long>(width, w));
}

void PvProgressControl::DrawBox(wxDC& dc) const
{
    dc.SetPen(m_borderPen);
    dc.SetBrush(m_backgroundBrush);
    dc.DrawRectangle(wxPoint(0, 0), GetSize());
}

void PvProgressControl::DrawBar(wxDC& dc) const
{
    const wxSize size = GetSize();
    const int bar = BarWidth(size.x);
    if (bar == 0)
        return;
    // The pen stays the paint context's own (black): the bar's outline
    // covers the border on its left, top and bottom.
    dc.SetBrush(m_fillBrush);
    dc.DrawRectangle(0, 0, bar, size.y);
}

void PvProgressControl::DrawFace(wxDC& dc) const
{
    DrawBox(dc);
    dc.SetPen(*wxBLACK_PEN);  // what a fresh paint context holds
    DrawBar(dc);
}

void PvProgressControl::OnEraseBackground(wxEraseEvent& event)
{
    // Only draws: asking for a repaint from here would repaint forever on GTK.
    DrawBox(*EraseDC(event, this));
}

void PvProgressControl::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawBar(dc);
}
