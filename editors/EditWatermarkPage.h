// The edit dialog's watermark page: a startup watermark, an image or a text
// watermark, its transparency and spacing, and the image's size.
#pragma once

#include "EditPage.h"

#include <memory>

class PvButtonComboBox;
class PvCheckBox;
class PvRadioButton;
class PvRadioGroup;

class EditWatermarkPage : public EditPage {
public:
    EditWatermarkPage();
    ~EditWatermarkPage() override;

    void Create(wxDialog* dialog, wxBitmap* skin, int pageTop) override;

    PvCheckBox* startup = nullptr;
    PvRadioButton* imageRadio = nullptr;
    PvRadioButton* textRadio = nullptr;
    std::unique_ptr<PvRadioGroup> radioGroup;
    PvButtonComboBox* imageCombo = nullptr;
    PvButtonComboBox* textCombo = nullptr;
    // Transparency, vertical space and horizontal space.
    SpacingRows spacing;
    wxSpinCtrl* imageWidth = nullptr;
    wxSpinCtrl* imageHeight = nullptr;
};
