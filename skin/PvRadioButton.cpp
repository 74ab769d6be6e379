#include "PvRadioButton.h"

#include "EraseDC.h"
#include "PvRadioGroup.h"

#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include <algorithm>

wxDEFINE_EVENT(wxEVT_COMMAND_PVRADIOBUTTON_SELECTED, wxCommandEvent);

wxIMPLEMENT_DYNAMIC_CLASS(PvRadioButton, wxControl);

wxBEGIN_EVENT_TABLE(PvRadioButton, wxControl)
    EVT_ERASE_BACKGROUND(PvRadioButton::OnEraseBackground)
    EVT_PAINT(PvRadioButton::OnPaint)
    EVT_LEFT_DOWN(PvRadioButton::OnLeftDown)
    EVT_LEFT_DCLICK(PvRadioButton::OnLeftDown)
    EVT_LEFT_UP(PvRadioButton::OnLeftUp)
wxEND_EVENT_TABLE()

PvRadioButton::PvRadioButton() = default;

PvRadioButton::PvRadioButton(wxWindow* parent, int id, const wxString& label, const wxPoint& pos,
                             const wxSize& size, long style, const wxValidator& validator)
{
    Create(parent, id, label, pos, size, style, validator);
}

bool PvRadioButton::Create(wxWindow* parent, int id, const wxString& label, const wxPoint& pos,
                           const wxSize& size, long style, const wxValidator& validator)
{
    SetBackgroundStyle(wxBG_STYLE_ERASE);
    if (!wxControl::Create(parent, id, pos, size, style, validator, wxControlNameStr))
        return false;
    m_label = label;
    m_checked = false;
    m_index = -1;
    m_gap = 6;
    m_textColour = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    m_indicatorSize = wxRendererNative::GetDefault().GetCheckBoxSize(this);
    m_flags = 0;
    FitSize();
    return true;
}

void PvRadioButton::FitSize()
{
    int w = 0, h = 0;
    GetTextExtent(m_label, &w, &h);
    SetSize(m_indicatorSize.x + m_gap + w, std::max(h, m_indicatorSize.y));
}

void PvRadioButton::SetValue(bool value)
{
    m_checked = value;
    // Unchecking leaves the group's selection alone: a group always keeps
    // the button it selected last.
    if (value && m_group && m_index >= 0)
        m_group->Select(m_index);
}

void PvRadioButton::SetLabelFont(const wxFont& font)
{
    SetFont(font);
    FitSize();
}

bool PvRadioButton::Enable(bool enable)
{
    if (enable)
        m_flags &= ~wxCONTROL_DISABLED;
    else
        m_flags |= wxCONTROL_DISABLED;
    Refresh(true);
    return wxControl::Enable(enable);
}

void PvRadioButton::DrawFace(wxDC& dc)
{
    const int h = GetSize().y;
    if (m_checked)
        m_flags |= wxCONTROL_CHECKED;
    else
        m_flags &= ~wxCONTROL_CHECKED;
    const wxRect mark(wxPoint(0, (h - m_indicatorSize.y) / 2), m_indicatorSize);
    wxRendererNative::Get().DrawRadioBitmap(this, dc, mark, m_flags);
    dc.SetFont(GetFont());
    int w = 0, th = 0;
    dc.GetTextExtent(m_label, &w, &th);
    dc.SetTextForeground(m_textColour);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawText(m_label, m_indicatorSize.x + m_gap, (h - th) / 2);
}

void PvRadioButton::OnEraseBackground(wxEraseEvent& event)
{
    // Only draws: a repaint asked for here would repaint forever.
    if (m_background.IsOk()) {
        EraseDC dc(event, this);
        dc->DrawBitmap(m_background, 0, 0, true);
    }
}

void PvRadioButton::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawFace(dc);
}

void PvRadioButton::OnLeftDown(wxMouseEvent&)
{
    m_pressed = true;
}

void PvRadioButton::OnLeftUp(wxMouseEvent& event)
{
    // The release of a press on the button comes here wherever it happens;
    // a click is a press and a release on the button.
    const bool click = m_pressed && GetClientRect().Contains(event.GetPosition());
    m_pressed = false;
    // A button outside a group cannot be chosen by a click: nothing would
    // ever uncheck it again.
    if (!click || m_checked || !m_group || m_index < 0)
        return;
    m_group->Select(m_index);
    GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_COMMAND_PVRADIOBUTTON_SELECTED, GetId()));
}
