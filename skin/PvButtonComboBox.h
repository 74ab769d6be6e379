// Owner-drawn combo box without a popup: its drop button reports
// wxEVT_BUTTON with the combo's id at once, so that the owner can open a
// dialog or menu of its own.
#pragma once

#include <wx/odcombo.h>

class PvButtonComboBox : public wxOwnerDrawnComboBox {
public:
    PvButtonComboBox(wxWindow* parent, int id, const wxString& value, const wxPoint& pos,
                     const wxSize& size, const wxArrayString& choices, long style = 0,
                     const wxValidator& validator = wxDefaultValidator,
                     const wxString& name = wxComboBoxNameStr);

    void OnButtonClick() override;

protected:
    void DoSetPopupControl(wxComboPopup* popup) override;
};
