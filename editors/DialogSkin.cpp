#include "DialogSkin.h"

#include "PvBitmapButton.h"
#include "PvStaticText.h"
#include "SkinButton.h"

#include <wx/settings.h>

wxString DialogSkin::StateName(const wxString& normalName, const wxString& state)
{
    wxString name = normalName;
    name.Replace("-normal.png", "-" + state + ".png");
    return name;
}

PvBitmapButton* DialogSkin::Button(wxWindow* parent, int id, const wxPoint& pos,
                                   const wxString& normalName, const wxBitmap& skin,
                                   ButtonImages images)
{
    return SkinButton::Create(parent, id, pos, &skin, normalName,
                              images >= WITH_CURRENT ? StateName(normalName, "current") : wxString(),
                              images >= WITH_CURRENT_AND_PRESSED ? StateName(normalName, "pressed")
                                                                 : wxString());
}

PvStaticText* DialogSkin::Label(wxWindow* parent, const wxString& text, const wxFont& font,
                                wxBitmap* skin, wxWindow* moveTarget, const wxPoint& pos)
{
    auto* label = new PvStaticText(parent, wxID_ANY, text, font, moveTarget, pos);
    label->SetBackground(skin);
    return label;
}

wxSize DialogSkin::SizeOf(const wxBitmap& bitmap)
{
    return bitmap.IsOk() ? bitmap.GetSize() : wxSize(0, 0);
}

wxFont DialogSkin::GuiFont()
{
    return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
}
