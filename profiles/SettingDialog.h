// The modal "Setting" dialog: a shaped dialog whose only content is the
// settings editor panel, centred on the application's top window.
#pragma once

#include <wx/dialog.h>

class SettingDialog : public wxDialog {
public:
    SettingDialog();
    SettingDialog(wxWindow* parent, wxWindowID id, const wxString& title,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                  long style = wxBORDER_NONE | wxFRAME_SHAPED,
                  const wxString& name = wxDialogNameStr);

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxBORDER_NONE | wxFRAME_SHAPED,
                const wxString& name = wxDialogNameStr);

private:
    void CreateContent();
    void ApplyShape();

    wxDECLARE_DYNAMIC_CLASS(SettingDialog);
    wxDECLARE_EVENT_TABLE();
};
