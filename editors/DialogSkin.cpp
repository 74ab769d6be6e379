#include "DialogSkin.h"

#include "ImageUtil.h"
#include "PvBitmapButton.h"
#include "PvStaticText.h"

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
    wxBitmap* normal = ImageUtil::LoadThemeBitmap(normalName, wxBITMAP_TYPE_PNG);
    const wxSize size = normal ? normal->GetSize() : wxSize(1, 1);
    auto* button = new PvBitmapButton(parent, id, pos, size, wxBORDER_NONE);
    button->SetBitmapNormal(normal);
    if (images >= WITH_CURRENT)
        button->SetBitmapCurrent(ImageUtil::LoadThemeBitmap(StateName(normalName, "current")));
    if (images >= WITH_CURRENT_AND_PRESSED)
        button->SetBitmapPressed(ImageUtil::LoadThemeBitmap(StateName(normalName, "pressed")));
    if (skin.IsOk())
        button->SetBackgroundBitmap(ImageUtil::CropBitmap(skin, pos.x, pos.y, size.x, size.y));
    return button;
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
