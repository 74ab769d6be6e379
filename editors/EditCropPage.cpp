#include "EditCropPage.h"

#include "DialogSkin.h"
#include "PvBitmapButton.h"
#include "PvCheckBox.h"
#include "PvStaticText.h"

#include <wx/arrstr.h>
#include <wx/dialog.h>
#include <wx/odcombo.h>
#include <wx/spinctrl.h>

#include <algorithm>

namespace {

int RightOf(const wxWindow* w, int gap)
{
    return w->GetPosition().x + w->GetSize().x + gap;
}

}  // namespace

void EditCropPage::Create(wxDialog* dialog, wxBitmap* skin, int pageTop)
{
    Begin(dialog, skin);
    const int Y = pageTop + 30;
    const wxSize spinSize(60, 22);

    PvStaticText* zoom = Label("Zoom:", wxPoint(34, Y));
    wxArrayString zoomItems;
    for (const char* item : {"Keep original\n", "Full screen", "16:9", "4:3", "Letter box", "Pan&Scan"})
        zoomItems.Add(item);
    zoomCombo = Combo(wxID_ANY, wxPoint(RightOf(zoom, 8), Y - 2), wxSize(98, 21), zoomItems);
    PvStaticText* left = Label("Left:", wxPoint(zoomCombo->GetPosition().x + 98 + 16, Y));
    leftSpin = Spin(ID_LEFT, wxPoint(RightOf(left, 8), Y - 2), spinSize);
    PvStaticText* top = Label("Top:", wxPoint(RightOf(leftSpin, 16), Y));
    topSpin = Spin(ID_TOP, wxPoint(RightOf(top, 8), Y - 2), spinSize);
    // The area's size and its ratio box on a second row: one row has no
    // room for four spins of GTK's size.
    const int Y2 = Y + topSpin->GetSize().y + 4;
    PvStaticText* area = Label("Cropped Area Size:", wxPoint(34, Y2));
    widthSpin = Spin(ID_WIDTH, wxPoint(RightOf(area, 8), Y2 - 2), spinSize);
    PvStaticText* by = Label("X", wxPoint(RightOf(widthSpin, 16), Y2));
    heightSpin = Spin(ID_HEIGHT, wxPoint(RightOf(by, 8), Y2 - 2), spinSize);

    const wxPoint checkAt(RightOf(heightSpin, 16), Y2 + 2);
    keepAspect = new PvCheckBox(dialog, ID_KEEP_ASPECT, "Keep Aspect Ratio", checkAt);
    keepAspect->SetFont(DialogSkin::GuiFont());
    keepAspect->SetLabelTop(-2);
    keepAspect->FitToLabel();
    keepAspect->SetBackgroundBitmap(SkinPiece(checkAt, keepAspect->GetSize()));
    keepAspect->SetValue(false);

    PvStaticText* help = Label(
        "Ctrl+Arrow Keys: Adjust the crop area location; Shift+Arrow Keys: Zoom the crop area.",
        wxPoint(34, std::max(Y + 36, heightSpin->GetRect().GetBottom() + 4)));
    PvBitmapButton* reset = ResetButton();

    for (wxWindow* w : std::initializer_list<wxWindow*>{zoomCombo, leftSpin, zoom, left, top,
                                                         topSpin, area, widthSpin, by, heightSpin,
                                                         keepAspect, help, reset})
        Add(w);
}
