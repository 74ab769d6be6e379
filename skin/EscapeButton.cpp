#include "EscapeButton.h"

#include <wx/dialog.h>

void EscapeButton::OnCharHook(wxDialog& dialog, wxWindow* button, wxKeyEvent& event)
{
    if (event.GetKeyCode() != WXK_ESCAPE || dialog.GetEscapeId() == wxID_NONE || !button ||
        !button->IsShown()) {
        event.Skip();
        return;
    }
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}
