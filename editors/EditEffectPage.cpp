#include "EditEffectPage.h"

#include "PvBitmapButton.h"
#include "PvSlider.h"
#include "PvStaticText.h"

#include <wx/arrstr.h>
#include <wx/dialog.h>
#include <wx/odcombo.h>

void EditEffectPage::Create(wxDialog* dialog, wxBitmap* skin, int pageTop)
{
    Begin(dialog, skin);
    const int E = pageTop + 16;
    int g = 34;
    PvSlider** sliders[3] = {&brightness, &contrast, &saturation};
    const char* names[3] = {"Brightness", "Contrast", "Saturation"};
    for (int i = 0; i < 3; ++i) {
        PvStaticText* name = Label(names[i], wxPoint(g, E));
        PvSlider* slider = Slider(ID_SLIDER, wxPoint(g - 6, E + name->GetSize().y + 8));
        slider->SetThumbPosNoRedraw(slider->GetRange() / 2);
        const wxRect r = slider->GetRect();
        const int S = r.y + r.height + 1;
        PvStaticText* low = Label("-100", wxPoint(g, S));
        PvStaticText* mid = Label("0", wxPoint(r.x + r.width / 2 - 3, S));
        PvStaticText* high = Label("100", wxPoint(r.x + slider->GetRange() - 10, S));
        for (wxWindow* w : std::initializer_list<wxWindow*>{name, slider, low, mid, high})
            Add(w);
        *sliders[i] = slider;
        g = g + r.width + 8;
    }

    const int x = g;
    PvStaticText* effect = Label("Effect:", wxPoint(x, E));
    wxArrayString effects;
    for (const char* item : {"No effect\n", "Gray", "Emboss", "Negative", "Old film"})
        effects.Add(item);
    effectCombo = Combo(ID_EFFECT, wxPoint(x, E + 20), wxSize(98, 21), effects);
    const wxPoint deinterlaceAt(effectCombo->GetPosition().x + effectCombo->GetSize().x + 16, E);
    PvStaticText* deinterlace = Label("Deinterlacing:", deinterlaceAt);
    wxArrayString modes;
    for (const char* item :
         {"None\n", "Repeat odd field", "Repeat even field", "Even interpolate", "Odd interpolate"})
        modes.Add(item);
    deinterlaceCombo = Combo(ID_DEINTERLACE, wxPoint(deinterlaceAt.x, E + 20), wxSize(112, 21), modes);
    PvBitmapButton* reset = ResetButton();
    for (wxWindow* w : std::initializer_list<wxWindow*>{effect, effectCombo, deinterlace,
                                                         deinterlaceCombo, reset})
        Add(w);
    Show(false);
}
