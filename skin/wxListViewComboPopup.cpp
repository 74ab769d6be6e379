#include "wxListViewComboPopup.h"

wxIMPLEMENT_DYNAMIC_CLASS(wxListViewComboPopup, wxListView);

wxBEGIN_EVENT_TABLE(wxListViewComboPopup, wxListView)
    EVT_MOTION(wxListViewComboPopup::OnMouseMove)
    EVT_LEFT_UP(wxListViewComboPopup::OnMouseClick)
wxEND_EVENT_TABLE()

wxListViewComboPopup::~wxListViewComboPopup() = default;

void wxListViewComboPopup::Init()
{
    m_value = -1;
}

bool wxListViewComboPopup::Create(wxWindow* parent)
{
    return wxListView::Create(parent, 1, wxPoint(0, 0), wxDefaultSize,
                              wxLC_LIST | wxLC_SINGLE_SEL | wxBORDER_SIMPLE, wxDefaultValidator,
                              wxListCtrlNameStr);
}

wxWindow* wxListViewComboPopup::GetControl()
{
    return this;
}

void wxListViewComboPopup::SetStringValue(const wxString& text)
{
    const long n = wxListView::FindItem(-1, text);
    if (n >= 0 && n < GetItemCount())
        Select(n);
}

wxString wxListViewComboPopup::GetStringValue() const
{
    if (m_value < 0 || m_value >= GetItemCount())
        return wxString();
    return GetItemText(m_value);
}

wxSize wxListViewComboPopup::GetAdjustedSize(int, int, int)
{
    int th = 0;
    GetTextExtent("T", nullptr, &th);
    return wxSize(m_combo->GetSize().x, (GetItemCount() + 1) * (th + 1) + 5);
}

void wxListViewComboPopup::OnMouseMove(wxMouseEvent&) {}

void wxListViewComboPopup::OnMouseClick(wxMouseEvent&)
{
    const long n = GetFirstSelected();
    if (n < 0)
        return;  // released beside every item: the list stays open
    m_value = static_cast<int>(n);
    Dismiss();
}
