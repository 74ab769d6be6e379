#include "PvStaticText.h"

#include "PvWindowMove.h"
#include "ShapeWindow.h"

#include <wx/dcbuffer.h>

wxIMPLEMENT_DYNAMIC_CLASS(PvStaticText, wxControl);

wxBEGIN_EVENT_TABLE(PvStaticText, wxControl)
    EVT_PAINT(PvStaticText::OnPaint)
    EVT_LEFT_DOWN(PvStaticText::OnLeftDown)
    EVT_LEFT_UP(PvStaticText::OnLeftUp)
    EVT_MOTION(PvStaticText::OnMotion)
    EVT_MOUSE_CAPTURE_LOST(PvStaticText::OnCaptureLost)
wxEND_EVENT_TABLE()

PvStaticText::PvStaticText() : m_font(*wxNORMAL_FONT) {}

PvStaticText::PvStaticText(wxWindow* parent, int id, const wxString& text, const wxFont& font,
                           wxWindow* moveTarget, const wxPoint& pos, const wxSize& size,
                           long style, const wxValidator& validator)
    : PvStaticText()
{
    Create(parent, id, text, font, moveTarget, pos, size, style, validator);
}

bool PvStaticText::Create(wxWindow* parent, int id, const wxString& text, const wxFont& font,
                          wxWindow* moveTarget, const wxPoint& pos, const wxSize&, long style,
                          const wxValidator& validator)
{
    m_text = text;
    m_font = font.IsOk() ? font : *wxNORMAL_FONT;
    m_moveTarget = moveTarget;
    // Before the label exists its parent measures for it.
    const wxSize extent = MeasureText(parent);
    if (!wxControl::Create(parent, id, pos, extent, style, validator, wxControlNameStr))
        return false;
    SetFont(m_font);
    return true;
}

wxSize PvStaticText::MeasureText(wxWindow* measurer) const
{
    int w = 0;
    int h = 0;
    if (measurer)
        measurer->GetTextExtent(m_text, &w, &h, nullptr, nullptr, &m_font);
    return wxSize(w, h);
}

void PvStaticText::SetText(const wxString& text)
{
    m_text = text;
    SetSize(MeasureText(this));
    Refresh(false);
    Update();
}

wxSize PvStaticText::DoGetBestSize() const
{
    return GetSize();
}

void PvStaticText::DrawFace(wxDC& dc) const
{
    const wxSize size = GetSize();
    dc.SetClippingRegion(wxPoint(0, 0), size);
    if (m_parentSkin && m_parentSkin->IsOk())
        dc.DrawBitmap(ShapeWindow::CopyPiece(*m_parentSkin, wxRect(GetPosition(), size)), 0, 0,
                      false);
    dc.SetFont(m_font);
    dc.SetTextForeground(GetForegroundColour());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawText(m_text, 0, 0);
    dc.DestroyClippingRegion();
}

void PvStaticText::OnPaint(wxPaintEvent&)
{
    wxBufferedPaintDC dc(this);
    DrawFace(dc);
}

void PvStaticText::OnLeftDown(wxMouseEvent& event)
{
    if (m_moveTarget)
        PvWindowMove::BeginMove(m_moveTarget, this, event, m_dragOffset);
}

void PvStaticText::OnMotion(wxMouseEvent& event)
{
    if (m_moveTarget)
        PvWindowMove::MoveWindow(m_moveTarget, this, event, m_dragOffset);
}

void PvStaticText::OnLeftUp(wxMouseEvent&)
{
    if (m_moveTarget)
        PvWindowMove::EndMove(m_moveTarget, this);
}

void PvStaticText::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // The drag ends: without the capture no motion moves the target.
}
