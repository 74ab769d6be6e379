// Builds the skinned children of the preview dialogs: image buttons from
// their "-normal.png" picture, labels over the dialog's face.
#pragma once

#include <wx/bitmap.h>
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class PvBitmapButton;
class PvStaticText;
class wxWindow;

class DialogSkin {
public:
    enum ButtonImages {
        NORMAL_ONLY = 0,
        WITH_CURRENT = 1,
        WITH_CURRENT_AND_PRESSED = 2,
    };

    // A button at pos sized to its normal picture, with the "-current.png"
    // and "-pressed.png" pictures of the same name as asked, over the piece
    // of skin under it (SkinButton).
    static PvBitmapButton* Button(wxWindow* parent, int id, const wxPoint& pos,
                                  const wxString& normalName, const wxBitmap& skin,
                                  ButtonImages images = WITH_CURRENT_AND_PRESSED);
    // The picture's name with "-normal.png" replaced by suffix + ".png".
    static wxString StateName(const wxString& normalName, const wxString& state);
    // A label at pos in the font, over the dialog's skin; dragging it moves
    // moveTarget.
    static PvStaticText* Label(wxWindow* parent, const wxString& text, const wxFont& font,
                               wxBitmap* skin, wxWindow* moveTarget,
                               const wxPoint& pos = wxDefaultPosition);
    // The size of a loaded picture, 0 x 0 for a missing one.
    static wxSize SizeOf(const wxBitmap& bitmap);
    // The toolkit's GUI font.
    static wxFont GuiFont();
};
