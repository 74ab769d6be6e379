#include "MouseCapture.h"

#include <wx/window.h>

namespace {

void OnHolderShown(wxShowEvent& event)
{
    event.Skip();
    auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
    if (event.IsShown() || !MouseCapture::Release(window))
        return;
    wxMouseCaptureLostEvent lost(window->GetId());
    lost.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(lost);
}

void OnHolderDestroyed(wxWindowDestroyEvent& event)
{
    event.Skip();
    MouseCapture::Release(dynamic_cast<wxWindow*>(event.GetEventObject()));
}

}  // namespace

void MouseCapture::Take(wxWindow* window)
{
    if (window->HasCapture())
        return;
    // Bound once per window, however many drags it starts.
    window->Unbind(wxEVT_SHOW, &OnHolderShown);
    window->Unbind(wxEVT_DESTROY, &OnHolderDestroyed);
    window->Bind(wxEVT_SHOW, &OnHolderShown);
    window->Bind(wxEVT_DESTROY, &OnHolderDestroyed);
    window->CaptureMouse();
}

bool MouseCapture::Release(wxWindow* window)
{
    if (!window || !window->HasCapture())
        return false;
    window->ReleaseMouse();
    return true;
}

void MouseCapture::ReleaseWithin(wxWindow* top)
{
    if (!top)
        return;
    // Releasing one capture hands it back to the window that held it
    // before, which may lie inside as well.
    for (wxWindow* holder = wxWindow::GetCapture();
         holder && (holder == top || top->IsDescendant(holder));
         holder = wxWindow::GetCapture())
        holder->ReleaseMouse();
}
