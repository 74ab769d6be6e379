#include "CheckTreeDialog.h"

#include "CustomizeFrame.h"
#include "EditorDialogSkin.h"
#include "EscapeButton.h"

#include <wx/settings.h>

CheckTreeDialog::CheckTreeDialog(wxWindow* parent, wxWindowID id, const wxString& title,
                                 const wxPoint& pos, const wxSize& size, long style)
{
    Create(parent, id, title, pos, size, style);
}

bool CheckTreeDialog::Create(wxWindow* parent, wxWindowID id, const wxString& title,
                             const wxPoint& pos, const wxSize& size, long style)
{
    if (!wxDialog::Create(parent, id, title, pos, size, style, wxDialogNameStr))
        return false;
    CreateLayout();
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    return true;
}

void CheckTreeDialog::RunModal()
{
    CheckTreeDialog dialog(nullptr, wxID_ANY, "Customize Profile", wxDefaultPosition,
                           wxDefaultSize, wxBORDER_NONE | wxFRAME_SHAPED);
    dialog.ShowModal();
}

void CheckTreeDialog::CreateLayout()
{
    wxBitmap* skin =
        EditorDialogSkin::LoadSkin("surface/customise/customise_bg.png", wxSize(356, 440));
    const wxSize skinSize = skin->GetSize();
    m_frame = new CustomizeFrame(this, wxID_ANY, skin, wxDefaultPosition, skinSize, wxNO_BORDER,
                                 wxPanelNameStr);
    EditorDialogSkin::CentreOnTopWindow(this, skinSize);
    ApplyShape();
    // Escape is the close button: closes without saving.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        EscapeButton::OnCharHook(*this, m_frame->FindWindow(CustomizeFrame::ID_CLOSE), event);
    });
}

void CheckTreeDialog::ApplyShape()
{
    EditorDialogSkin::ApplyMaskShape(this, "surface/customise/custom_corner.png");
}
