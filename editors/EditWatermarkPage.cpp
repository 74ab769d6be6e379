#include "EditWatermarkPage.h"

#include "ImageUtil.h"
#include "PvBitmapButton.h"
#include "PvButtonComboBox.h"
#include "PvCheckBox.h"
#include "PvRadioButton.h"
#include "PvRadioGroup.h"
#include "PvSlider.h"
#include "PvStaticText.h"

#include <wx/arrstr.h>
#include <wx/dialog.h>
#include <wx/spinctrl.h>

#include <algorithm>

EditWatermarkPage::EditWatermarkPage() = default;

EditWatermarkPage::~EditWatermarkPage() = default;

void EditWatermarkPage::Create(wxDialog* dialog, wxBitmap* skin, int pageTop)
{
    Begin(dialog, skin);
    const int Y0 = pageTop + 8;
    startup = CheckBox("Startup Watermark", wxPoint(26, Y0));

    const int Y1 = Y0 + startup->GetSize().y + 8;
    imageRadio = new PvRadioButton(dialog, wxID_ANY, "Image Watermark", wxPoint(46, Y1),
                                   wxDefaultSize, wxBORDER_NONE);
    imageRadio->SetValue(true);
    // The skin piece at the size as created, before the label font.
    imageRadio->SetBackgroundBitmap(SkinPiece(imageRadio->GetPosition(), imageRadio->GetSize()));
    imageRadio->SetLabelFont(m_smallFont);
    const int Y2 = Y1 + imageRadio->GetSize().y + 10;
    textRadio = new PvRadioButton(dialog, wxID_ANY, "Text Watermark", wxPoint(46, Y2),
                                  wxDefaultSize, wxBORDER_NONE);
    textRadio->SetValue(false);
    textRadio->SetBackgroundBitmap(SkinPiece(textRadio->GetPosition(), textRadio->GetSize()));
    textRadio->SetLabelFont(m_smallFont);
    radioGroup = std::make_unique<PvRadioGroup>();
    radioGroup->Add(imageRadio)->Add(textRadio);
    radioGroup->InitSelection();

    const int M = 46 + imageRadio->GetSize().x + 8;
    imageCombo = new PvButtonComboBox(dialog, wxID_ANY, wxEmptyString, wxPoint(M, Y1 - 4),
                                      wxSize(150, 21), wxArrayString(), 0);
    imageCombo->SetButtonBitmaps(ImageUtil::LoadThemeBitmapValue("surface/base/folder-normal.png"),
                                 false, wxNullBitmap, wxNullBitmap,
                                 ImageUtil::LoadThemeBitmapValue("surface/base/folder-disable.png"));
    imageCombo->Disable();
    textCombo = new PvButtonComboBox(dialog, wxID_ANY, wxEmptyString, wxPoint(M, Y2),
                                     wxSize(150, 21), wxArrayString(), 0);
    textCombo->SetButtonBitmaps(ImageUtil::LoadThemeBitmapValue("surface/base/t-normal.png"), false,
                                wxNullBitmap, wxNullBitmap,
                                ImageUtil::LoadThemeBitmapValue("surface/base/t-disable.png"));

    // The image size below the watermark choices, the spacing rows right
    // of both: beside the rows there is no room for two spins of GTK's size.
    const int Q2 = Y2 + textCombo->GetSize().y + 8;
    int sizeWidth = 0;
    int textHeight = 0;
    dialog->GetTextExtent("Image Size:", &sizeWidth, &textHeight, nullptr, nullptr, &m_smallFont);
    imageWidth = Spin(wxID_ANY, wxPoint(46 + sizeWidth + 4, Q2), wxSize(60, 20));
    // The labels on the spins' middle line.
    const int labelY = Q2 + (imageWidth->GetSize().y - textHeight) / 2;
    PvStaticText* size = Label("Image Size:", wxPoint(46, labelY));
    PvStaticText* by =
        Label("X", wxPoint(imageWidth->GetPosition().x + imageWidth->GetSize().x + 4, labelY));
    imageHeight = Spin(wxID_ANY, wxPoint(by->GetPosition().x + by->GetSize().x + 4, Q2),
                       wxSize(60, 20));

    const int rowsX = std::max(M + 150 + 8, imageHeight->GetRect().GetRight() + 1 + 12);
    spacing = CreateSpacingRows(rowsX, Y1 - 14, 8);
    const SpacingRows& rows = spacing;
    // Tab goes through the rows before the size, as they are read.
    imageWidth->MoveAfterInTabOrder(rows.spins[2]);
    imageHeight->MoveAfterInTabOrder(imageWidth);
    PvBitmapButton* reset = ResetButton();

    for (wxWindow* w : std::initializer_list<wxWindow*>{startup, imageRadio, textRadio, imageCombo,
                                                         textCombo})
        Add(w);
    AddRows(rows);
    for (wxWindow* w : std::initializer_list<wxWindow*>{size, imageWidth, by, imageHeight, reset})
        Add(w);
    Show(false);
}
