#include "EditSubtitlePage.h"

#include "ImageUtil.h"
#include "PvBitmapButton.h"
#include "PvButtonComboBox.h"
#include "PvCheckBox.h"
#include "PvSlider.h"
#include "PvStaticText.h"

#include <wx/arrstr.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/spinctrl.h>

void EditSubtitlePage::Create(wxDialog* dialog, wxBitmap* skin, int pageTop)
{
    Begin(dialog, skin);
    const int Y0 = pageTop + 6;
    plugIn = CheckBox("Enable the plug-in subtitle:", wxPoint(26, Y0));

    subtitleCombo = new PvButtonComboBox(dialog, wxID_ANY, wxEmptyString,
                                         wxPoint(38, Y0 + plugIn->GetSize().y + 20),
                                         wxSize(180, 21), wxArrayString(), 0);
    subtitleCombo->SetButtonBitmaps(
        ImageUtil::LoadThemeBitmapValue("surface/base/folder-normal.png"), false, wxNullBitmap,
        wxNullBitmap, ImageUtil::LoadThemeBitmapValue("surface/base/folder-disable.png"));

    const int K = 26 + plugIn->GetSize().x + 100;
    customStyle = CheckBox("Enable customized style", wxPoint(K, Y0));

    spacing = CreateSpacingRows(K + 40, Y0 + 16, 10);
    const SpacingRows& rows = spacing;

    auto* font = new wxButton(dialog, wxID_ANY, "T", wxPoint(rows.spinX + rows.spins[0]->GetSize().x + 10, rows.spinY - 2),
                              wxSize(50, 24), 0, wxDefaultValidator, wxButtonNameStr);
    PvBitmapButton* reset = ResetButton();

    for (wxWindow* w : std::initializer_list<wxWindow*>{plugIn, subtitleCombo, customStyle})
        Add(w);
    AddRows(rows);
    Add(font);
    Add(reset);
    Show(false);
}
