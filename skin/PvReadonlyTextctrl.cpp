#include "PvReadonlyTextctrl.h"

#include "EraseDC.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(PvReadonlyTextctrl, wxControl);

PvReadonlyTextctrl::PvReadonlyTextctrl() = default;

bool PvReadonlyTextctrl::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size)
{
    return PvControl::Create(parent, id, pos, size, wxBORDER_NONE, wxDefaultValidator,
                             wxControlNameStr);
}

void PvReadonlyTextctrl::SetText(const wxString& text)
{
    SetToolTip(text);
    m_text = text;
    GetTextExtent(m_text, &m_textWidth, &m_textHeight);
}

void PvReadonlyTextctrl::DrawBox(wxDC& dc) const
{
    dc.SetPen(wxPen(wxColour(124, 124, 124), 1, wxPENSTYLE_SOLID));
    dc.SetBrush(wxBrush(*wxWHITE, wxBRUSHSTYLE_SOLID));
    dc.DrawRectangle(wxPoint(0, 0), GetSize());
}

void PvReadonlyTextctrl::DrawText(wxDC& dc) const
{
    if (m_text.empty())
        return;
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawText(m_text, 2, (GetSize().y - m_textHeight) / 2);
}

void PvReadonlyTextctrl::DrawFace(wxDC& dc) const
{
    DrawBox(dc);
    dc.SetFont(GetFont());
    dc.SetTextForeground(*wxBLACK);
    DrawText(dc);
}

void PvReadonlyTextctrl::OnEraseBackground(wxEraseEvent& event)
{
    // Only draws: asking for a repaint from here would repaint forever on GTK.
    DrawBox(*EraseDC(event, this));
}

void PvReadonlyTextctrl::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawText(dc);
}

void PvReadonlyTextctrl::OnEnterWindow(wxMouseEvent&)
{
    Refresh(true);
}

void PvReadonlyTextctrl::OnLeaveWindow(wxMouseEvent&)
{
    Refresh(true);
}

void PvReadonlyTextctrl::OnLeftDown(wxMouseEvent&) {}

void PvReadonlyTextctrl::OnLeftUp(wxMouseEvent&) {}

void PvReadonlyTextctrl::OnLeftDClick(wxMouseEvent&) {}
