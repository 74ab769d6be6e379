// Image buttons of the panes and dialogs, made from theme pictures over the
// piece of their parent's skin under them.
#pragma once

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class PvBitmapButton;
class wxWindow;

class SkinButton {
public:
    virtual ~SkinButton() = default;

    // A wxBORDER_NONE button at pos, sized to its normal picture. Empty names
    // leave that state without a picture; face (may be null) is the parent's
    // skin. A missing normal picture gives a blank 24 x 24 face.
    static PvBitmapButton* Create(wxWindow* parent, int id, const wxPoint& pos,
                                  const wxBitmap* face, const wxString& normal,
                                  const wxString& current, const wxString& pressed = wxString(),
                                  const wxString& disabled = wxString());
};
