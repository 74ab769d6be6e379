// The edit dialog's subtitle page: a plug-in subtitle file, a customised
// style with its transparency and spacing, and the font button "T".
#pragma once

#include "EditPage.h"

class PvButtonComboBox;
class PvCheckBox;

class EditSubtitlePage : public EditPage {
public:
    void Create(wxDialog* dialog, wxBitmap* skin, int pageTop) override;

    PvCheckBox* plugIn = nullptr;
    PvCheckBox* customStyle = nullptr;
    PvButtonComboBox* subtitleCombo = nullptr;
    // Transparency, vertical space and horizontal space.
    SpacingRows spacing;
};
