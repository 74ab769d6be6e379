#include "PvComboCtrl.h"

#include "EraseDC.h"
#include "wxListViewComboPopup.h"

#include <wx/dcclient.h>
#include <wx/utils.h>

wxIMPLEMENT_DYNAMIC_CLASS(PvComboCtrl, wxComboCtrl);

wxBEGIN_EVENT_TABLE(PvComboCtrl, wxComboCtrl)
    EVT_PAINT(PvComboCtrl::OnPaint)
    EVT_ERASE_BACKGROUND(PvComboCtrl::OnEraseBackground)
    EVT_ENTER_WINDOW(PvComboCtrl::OnEnterWindow)
    EVT_LEAVE_WINDOW(PvComboCtrl::OnLeaveWindow)
wxEND_EVENT_TABLE()

PvComboCtrl::PvComboCtrl() = default;

PvComboCtrl::PvComboCtrl(wxWindow* parent, int id, const wxString& value, const wxPoint& pos,
                         const wxSize& size, long style, const wxValidator& validator,
                         const wxString& name)
{
    Create(parent, id, value, pos, size, style, validator, name);
}

bool PvComboCtrl::Create(wxWindow* parent, int id, const wxString& value, const wxPoint& pos,
                         const wxSize& size, long style, const wxValidator& validator,
                         const wxString& name)
{
    if (!wxComboCtrl::Create(parent, id, value, pos, size, wxCB_READONLY | wxBORDER_NONE,
                             validator, name))
        return false;
    SetBackgroundColour(*wxWHITE);
    SetBackgroundStyle(wxBG_STYLE_ERASE);
    m_buttonState = 0;
    m_textWidth = 0;
    m_list = new wxListViewComboPopup;
    SetPopupControl(m_list);

    const long textStyle = (style & EDITABLE_TEXT) ? wxBORDER_NONE : (wxTE_READONLY | wxBORDER_NONE);
    m_innerText = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxPoint(1, 1),
                                 wxSize(1, GetSize().y - 2), textStyle, wxDefaultValidator,
                                 wxTextCtrlNameStr);
    // GTK warns when it lays out an entry narrower than its frame; the field
    // stays hidden until the button picture gives it its width.
    m_innerText->Hide();
    m_innerText->SetBackgroundColour(GetBackgroundColour());
    return true;
}

void PvComboCtrl::SetButtonBitmaps(const wxBitmap& normal, bool pushButtonBg,
                                   const wxBitmap& pressed, const wxBitmap& hover,
                                   const wxBitmap& disabled)
{
    wxComboCtrl::SetButtonBitmaps(normal, pushButtonBg, pressed, hover, disabled);
    m_normalImage = normal;
    m_hoverImage = hover.IsOk() ? hover : normal;
    if (!normal.IsOk() || !m_innerText)
        return;
    m_textWidth = GetSize().x - normal.GetWidth();
    SetSize(GetSize().x, normal.GetHeight());
    int th = 0;
    m_innerText->GetTextExtent("T", nullptr, &th);
    m_innerText->SetSize(m_textWidth - 1, th);
    m_innerText->Move(1, (GetSize().y - m_innerText->GetSize().y) / 2);
    m_innerText->Show();
}

void PvComboCtrl::AppendItem(const wxString& text)
{
    m_list->InsertItem(m_list->GetItemCount(), text);
}

void PvComboCtrl::ClearItems()
{
    m_list->DeleteAllItems();
}

void PvComboCtrl::SetValue(const wxString& value)
{
    wxComboCtrl::SetValue(value);
    if (m_innerText)
        m_innerText->ChangeValue(value);
}

wxString PvComboCtrl::GetValue() const
{
    return m_innerText ? m_innerText->GetValue() : wxString();
}

void PvComboCtrl::HidePopup(bool generateEvent)
{
    const bool shown = IsPopupShown();
    wxComboCtrl::HidePopup(generateEvent);
    // The base shows a choice only in a text field of its own.
    if (shown && m_innerText && m_list && m_list->GetChosen() >= 0)
        m_innerText->ChangeValue(m_list->GetStringValue());
    // While the list was open the pointer was grabbed and no leave arrived.
    if (shown && m_buttonState == 1 &&
        !GetScreenRect().Contains(wxGetMousePosition())) {
        m_buttonState = 4;
        Refresh(true);
    }
}

void PvComboCtrl::DrawBox(wxDC& dc) const
{
    dc.SetPen(wxPen(wxColour(124, 124, 124), 1, wxPENSTYLE_SOLID));
    dc.SetBrush(wxBrush(*wxWHITE, wxBRUSHSTYLE_SOLID));
    dc.DrawRectangle(wxPoint(0, 0), GetSize());
}

void PvComboCtrl::DrawButton(wxDC& dc) const
{
    const wxBitmap& image = m_buttonState == 1 ? m_hoverImage : m_normalImage;
    if (image.IsOk())
        dc.DrawBitmap(image, m_textWidth, 0, true);
}

void PvComboCtrl::DrawFace(wxDC& dc) const
{
    DrawBox(dc);
    DrawButton(dc);
}

void PvComboCtrl::OnPaint(wxPaintEvent&)
{
    // The generic combo of GTK would draw its own button here; the skinned
    // one is drawn whatever state the base keeps.
    wxPaintDC dc(this);
    DrawButton(dc);
}

void PvComboCtrl::OnEraseBackground(wxEraseEvent& event)
{
    // Only draws: asking for a repaint from here would repaint forever on GTK.
    DrawBox(*EraseDC(event, this));
}

void PvComboCtrl::OnEnterWindow(wxMouseEvent&)
{
    m_buttonState = 1;
    Refresh(true);
}

void PvComboCtrl::OnLeaveWindow(wxMouseEvent&)
{
    m_buttonState = 4;
    Refresh(true);
}
