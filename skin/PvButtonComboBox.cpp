#include "PvButtonComboBox.h"

PvButtonComboBox::PvButtonComboBox(wxWindow* parent, int id, const wxString& value,
                                   const wxPoint& pos, const wxSize& size,
                                   const wxArrayString& choices, long style,
                                   const wxValidator& validator, const wxString& name)
    : wxOwnerDrawnComboBox(parent, id, value, pos, size, choices, style, validator, name)
{
}

void PvButtonComboBox::OnButtonClick()
{
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetEventObject(this);
    GetEventHandler()->ProcessEvent(event);
}

void PvButtonComboBox::DoSetPopupControl(wxComboPopup*)
{
    // No popup is ever made: the button belongs to the owner.
}
