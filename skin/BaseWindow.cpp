#include "BaseWindow.h"

BaseWindow::BaseWindow() = default;

BaseWindow::BaseWindow(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                       const wxSize& size, long style, const wxString& name)
{
    // The one-step form always takes the skin, even when creation fails.
    if (!Create(parent, id, skin, pos, size, style, name))
        SetShape(skin);
}

BaseWindow::~BaseWindow() = default;

bool BaseWindow::Create(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                        const wxSize& size, long style, const wxString& name)
{
    if (!wxPanel::Create(parent, id, pos, size, style, name))
        return false;
    SetShape(skin);
    return true;
}
