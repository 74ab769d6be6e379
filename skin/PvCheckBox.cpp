#include "PvCheckBox.h"

#include <wx/dcclient.h>
#include <wx/renderer.h>

#include <algorithm>

wxDEFINE_EVENT(wxEVT_COMMAND_PVCHECKBOX_CLICKED, wxCommandEvent);

wxIMPLEMENT_DYNAMIC_CLASS(PvCheckBox, wxControl);

wxBEGIN_EVENT_TABLE(PvCheckBox, wxControl)
    EVT_PAINT(PvCheckBox::OnPaint)
    EVT_ERASE_BACKGROUND(PvCheckBox::OnEraseBackground)
    EVT_LEFT_DOWN(PvCheckBox::OnLeftDown)
    EVT_LEFT_DCLICK(PvCheckBox::OnLeftDown)
    EVT_LEFT_UP(PvCheckBox::OnLeftUp)
wxEND_EVENT_TABLE()

PvCheckBox::PvCheckBox() = default;

PvCheckBox::PvCheckBox(wxWindow* parent, int id, const wxString& label, const wxPoint& pos,
                       const wxSize& size, long style, const wxValidator& validator)
{
    if (!wxControl::Create(parent, id, pos, size, style, validator, wxControlNameStr))
        return;
    SetBackgroundStyle(wxBG_STYLE_ERASE);
    m_caption = label;
    m_boxSize = wxRendererNative::GetDefault().GetCheckBoxSize(this);
}

PvCheckBox* PvCheckBox::SetValue(bool value)
{
    m_value = value;
    if (value)
        m_flags |= wxCONTROL_CHECKED;
    else
        m_flags &= ~wxCONTROL_CHECKED;
    Refresh(true);
    return this;
}

PvCheckBox* PvCheckBox::SetBackgroundBitmap(const wxBitmap& snapshot)
{
    m_snapshot = snapshot;
    return this;
}

PvCheckBox* PvCheckBox::FitToLabel()
{
    GetTextExtent(m_caption, &m_textWidth, &m_textHeight);
    SetSize(m_boxSize.x + m_gap + m_textWidth, std::max(m_textHeight, m_boxSize.y));
    return this;
}

PvCheckBox* PvCheckBox::SetCaption(const wxString& caption)
{
    m_caption = caption;
    return this;
}

bool PvCheckBox::Enable(bool enable)
{
    if (enable)
        m_flags &= ~wxCONTROL_DISABLED;
    else
        m_flags |= wxCONTROL_DISABLED;
    Refresh(true);
    return wxControl::Enable(enable);
}

wxPoint PvCheckBox::GetLabelPosition() const
{
    const int d = GetSize().y - m_textHeight;
    const int y = (d > 0 ? d / 2 : (-d) / 2) + m_labelTop;
    return wxPoint(m_boxSize.x + 6, y);
}

void PvCheckBox::DrawFace(wxDC& dc)
{
    wxRendererNative::Get().DrawCheckBox(this, dc, wxRect(wxPoint(0, 0), m_boxSize), m_flags);
    dc.SetFont(GetFont());
    dc.SetTextForeground(GetForegroundColour());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawText(m_caption, GetLabelPosition());
}

void PvCheckBox::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawFace(dc);
}

void PvCheckBox::OnEraseBackground(wxEraseEvent& event)
{
    if (event.GetDC() && m_snapshot.IsOk())
        event.GetDC()->DrawBitmap(m_snapshot, 0, 0, true);
}

void PvCheckBox::OnLeftDown(wxMouseEvent&)
{
    m_pressed = true;
}

void PvCheckBox::OnLeftUp(wxMouseEvent& event)
{
    // The release of a press on the box comes here wherever it happens; a
    // click is a press and a release on the box.
    const bool click = m_pressed && GetClientRect().Contains(event.GetPosition());
    m_pressed = false;
    if (!click)
        return;
    SetValue(!m_value);
    auto* clicked = new wxCommandEvent(wxEVT_COMMAND_PVCHECKBOX_CLICKED, GetId());
    clicked->SetInt(m_value ? 1 : 0);
    GetEventHandler()->QueueEvent(clicked);
}
