// The about box: product name, version, the maker's web address and the
// rights notice, centred on the info background.
#pragma once

#include "PvInfoDialog.h"

class wxHyperlinkEvent;
class wxStaticText;

class PvAboutDialog : public PvInfoDialog {
public:
    PvAboutDialog();

    static wxString GetWebAddress();

protected:
    void CreateControls() override;
    void OnCloseButton(wxCommandEvent& event) override;

private:
    void OnLink(wxHyperlinkEvent& event);
    int CentredX(const wxSize& extent) const;
    wxStaticText* AddLine(const wxString& text, const wxFont& font, int y);

    wxDECLARE_DYNAMIC_CLASS(PvAboutDialog);
    wxDECLARE_EVENT_TABLE();
};
