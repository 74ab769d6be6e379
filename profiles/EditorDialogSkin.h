// What the two catalog editor dialogs do alike: load the panel's skin, place
// the dialog over the application's top window and cut it to a mask picture.
#pragma once

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxDialog;

class EditorDialogSkin {
public:
    virtual ~EditorDialogSkin() = default;

    // The theme picture, owned by the caller; a white picture of
    // `fallbackSize` when the theme lacks it.
    static wxBitmap* LoadSkin(const wxString& entry, const wxSize& fallbackSize);
    // Centres `size` on the top window (integer division); on the screen when
    // there is no other top window; kept inside the screen. Then sizes the
    // dialog.
    static void CentreOnTopWindow(wxDialog* dialog, const wxSize& size);
    // Shapes the dialog to the picture's non-white pixels. Only a dialog
    // created with wxFRAME_SHAPED can be shaped; others are left alone.
    static bool ApplyMaskShape(wxDialog* dialog, const wxString& entry);
};
