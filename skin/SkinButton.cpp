#include "SkinButton.h"

#include "ImageUtil.h"
#include "PvBitmapButton.h"

namespace {

wxBitmap* Load(const wxString& entry)
{
    return entry.empty() ? nullptr : ImageUtil::LoadThemeBitmap(entry);
}

}  // namespace

PvBitmapButton* SkinButton::Create(wxWindow* parent, int id, const wxPoint& pos,
                                   const wxBitmap* face, const wxString& normal,
                                   const wxString& current, const wxString& pressed,
                                   const wxString& disabled)
{
    wxBitmap* picture = Load(normal);
    if (!picture)
        picture = new wxBitmap(24, 24);
    const wxSize size = picture->GetSize();
    auto* button = new PvBitmapButton(parent, id, pos, size, wxBORDER_NONE);
    button->SetBitmapNormal(picture);
    button->SetBitmapCurrent(Load(current));
    button->SetBitmapPressed(Load(pressed));
    button->SetBitmapDisable(Load(disabled));
    if (face && face->IsOk())
        button->SetBackgroundBitmap(ImageUtil::CropBitmap(*face, pos.x, pos.y, size.x, size.y));
    return button;
}
