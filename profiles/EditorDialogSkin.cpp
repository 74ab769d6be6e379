#include "EditorDialogSkin.h"

#include "ImageUtil.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/region.h>

#include <algorithm>

wxBitmap* EditorDialogSkin::LoadSkin(const wxString& entry, const wxSize& fallbackSize)
{
    if (wxBitmap* skin = ImageUtil::LoadThemeBitmap(entry))
        return skin;
    wxImage blank(fallbackSize);
    blank.SetRGB(wxRect(fallbackSize), 255, 255, 255);
    return new wxBitmap(blank);
}

void EditorDialogSkin::CentreOnTopWindow(wxDialog* dialog, const wxSize& size)
{
    wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    wxRect area(wxPoint(0, 0), wxGetDisplaySize());
    if (top && top != dialog)
        area = top->GetRect();
    wxPoint at(area.x + (area.width - size.x) / 2, area.y + (area.height - size.y) / 2);
    // Over a small or half-hidden top window the dialog still opens whole on
    // the screen: a borderless dialog cannot be dragged back from beyond it.
    const wxSize screen = wxGetDisplaySize();
    at.x = std::max(0, std::min(at.x, screen.x - size.x));
    at.y = std::max(0, std::min(at.y, screen.y - size.y));
    dialog->Move(at);
    dialog->SetSize(size);
}

bool EditorDialogSkin::ApplyMaskShape(wxDialog* dialog, const wxString& entry)
{
    if (!dialog->HasFlag(wxFRAME_SHAPED))
        return false;
    const wxBitmap mask = ImageUtil::LoadThemeBitmapValue(entry);
    if (!mask.IsOk())
        return false;
    return dialog->SetShape(wxRegion(mask, *wxWHITE, 0));
}
