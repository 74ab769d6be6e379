// The modal "Customize Profile" dialog: a shaped dialog filled by the
// customiser panel, centred on the application's top window.
#pragma once

#include <wx/dialog.h>

class CustomizeFrame;

class CheckTreeDialog : public wxDialog {
public:
    CheckTreeDialog(wxWindow* parent, wxWindowID id, const wxString& title,
                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                    long style = wxBORDER_NONE | wxFRAME_SHAPED);

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxBORDER_NONE | wxFRAME_SHAPED);

    CustomizeFrame* GetFrame() const { return m_frame; }

    // Opens "Customize Profile" without a parent, modally, and destroys it
    // when it closes (the Option menu and the chooser's customise button).
    static void RunModal();

private:
    void CreateLayout();
    void ApplyShape();

    CustomizeFrame* m_frame = nullptr;
};
