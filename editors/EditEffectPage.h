// The edit dialog's effect page: brightness, contrast and saturation
// sliders, the effect list and the deinterlacing list.
#pragma once

#include "EditPage.h"

class EditEffectPage : public EditPage {
public:
    enum { ID_SLIDER = 27, ID_EFFECT = 30, ID_DEINTERLACE = 31 };

    void Create(wxDialog* dialog, wxBitmap* skin, int pageTop) override;

    PvSlider* brightness = nullptr;
    PvSlider* contrast = nullptr;
    PvSlider* saturation = nullptr;
    wxOwnerDrawnComboBox* effectCombo = nullptr;
    wxOwnerDrawnComboBox* deinterlaceCombo = nullptr;
};
