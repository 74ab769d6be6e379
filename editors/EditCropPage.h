// The edit dialog's crop page: zoom, the crop area's place and size, keep
// aspect ratio, and the key help line.
#pragma once

#include "EditPage.h"

class PvCheckBox;

class EditCropPage : public EditPage {
public:
    enum { ID_LEFT = 21, ID_TOP = 22, ID_WIDTH = 23, ID_HEIGHT = 24, ID_KEEP_ASPECT = 25 };

    void Create(wxDialog* dialog, wxBitmap* skin, int pageTop) override;

    wxOwnerDrawnComboBox* zoomCombo = nullptr;
    wxSpinCtrl* leftSpin = nullptr;
    wxSpinCtrl* topSpin = nullptr;
    wxSpinCtrl* widthSpin = nullptr;
    wxSpinCtrl* heightSpin = nullptr;
    PvCheckBox* keepAspect = nullptr;
};
