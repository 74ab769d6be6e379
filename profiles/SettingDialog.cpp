#include "SettingDialog.h"

#include "EditorDialogSkin.h"
#include "EscapeButton.h"
#include "SettingFrame.h"

#include <wx/settings.h>

wxIMPLEMENT_DYNAMIC_CLASS(SettingDialog, wxDialog);

wxBEGIN_EVENT_TABLE(SettingDialog, wxDialog)
wxEND_EVENT_TABLE()

SettingDialog::SettingDialog() = default;

SettingDialog::SettingDialog(wxWindow* parent, wxWindowID id, const wxString& title,
                             const wxPoint& pos, const wxSize& size, long style,
                             const wxString& name)
{
    Create(parent, id, title, pos, size, style, name);
}

bool SettingDialog::Create(wxWindow* parent, wxWindowID id, const wxString& title,
                           const wxPoint& pos, const wxSize& size, long style,
                           const wxString& name)
{
    if (!wxDialog::Create(parent, id, title, pos, size, style, name))
        return false;
    CreateContent();
    ApplyShape();
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    return true;
}

void SettingDialog::CreateContent()
{
    wxBitmap* skin =
        EditorDialogSkin::LoadSkin("surface/setting/setting_window.png", wxSize(500, 390));
    const wxSize skinSize = skin->GetSize();
    auto* frame = new SettingFrame(this, SettingFrame::ID_SETTING_FRAME, skin, wxDefaultPosition,
                                   skinSize, wxBORDER_NONE, wxPanelNameStr);
    // Escape is Cancel: closes without saving.
    Bind(wxEVT_CHAR_HOOK, [this, frame](wxKeyEvent& event) {
        EscapeButton::OnCharHook(*this, frame->FindWindow(SettingFrame::ID_CANCEL), event);
    });
    EditorDialogSkin::CentreOnTopWindow(this, skinSize);
}

void SettingDialog::ApplyShape()
{
    EditorDialogSkin::ApplyMaskShape(this, "surface/setting/setting_corner.png");
}
