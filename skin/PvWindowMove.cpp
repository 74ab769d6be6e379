#include "PvWindowMove.h"

#include "MouseCapture.h"

#include <wx/dcscreen.h>
#include <wx/window.h>

void PvWindowMove::BeginMove(wxWindow* window, wxWindow* grabber, const wxMouseEvent& event,
                             wxPoint& offset)
{
    // A second press while dragging must not stack a second capture.
    MouseCapture::Take(grabber);
    offset = ScreenPoint(grabber, event) - window->GetPosition();
}

void PvWindowMove::MoveWindow(wxWindow* window, wxWindow* grabber, const wxMouseEvent& event,
                              const wxPoint& offset)
{
    if (!IsMoveDrag(grabber, event))
        return;
    window->Move(ScreenPoint(grabber, event) - offset, 0);
}

void PvWindowMove::EndMove(wxWindow*, wxWindow* grabber)
{
    if (grabber->HasCapture())
        grabber->ReleaseMouse();
}

void PvWindowMove::BeginOutlineMove(wxWindow* window, wxWindow* grabber, const wxMouseEvent& event,
                                    wxPoint& offset, wxRect& outline)
{
    BeginMove(window, grabber, event, offset);
    outline = wxRect(window->GetPosition(), window->GetSize());
    DrawOutline(outline);
}

void PvWindowMove::MoveOutline(wxWindow* window, wxWindow* grabber, const wxMouseEvent& event,
                               const wxPoint& offset, wxRect& outline)
{
    if (!IsMoveDrag(grabber, event))
        return;
    DrawOutline(outline);
    outline = wxRect(ScreenPoint(grabber, event) - offset, window->GetSize());
    DrawOutline(outline);
}

void PvWindowMove::EndOutlineMove(wxWindow* window, wxWindow* grabber, const wxMouseEvent& event,
                                  const wxPoint& offset, wxRect& outline)
{
    if (!grabber->HasCapture())
        return;
    grabber->ReleaseMouse();
    DrawOutline(outline);
    window->Freeze();
    window->Move(ScreenPoint(grabber, event) - offset, 0);
    window->Thaw();
}

void PvWindowMove::DrawDottedRect(wxDC& dc, const wxRect& r)
{
    for (int x = r.x; x <= r.x + r.width; x += 2) {
        dc.DrawPoint(x, r.y);
        dc.DrawPoint(x, r.y + r.height);
    }
    for (int y = r.y; y <= r.y + r.height; y += 2) {
        dc.DrawPoint(r.x, y);
        dc.DrawPoint(r.x + r.width, y);
    }
}

bool PvWindowMove::IsMoveDrag(wxWindow* grabber, const wxMouseEvent& event)
{
    return event.Dragging() && event.LeftIsDown() && grabber->HasCapture();
}

wxPoint PvWindowMove::ScreenPoint(wxWindow* grabber, const wxMouseEvent& event)
{
    return grabber->ClientToScreen(event.GetPosition());
}

void PvWindowMove::DrawOutline(const wxRect& outline)
{
    wxScreenDC dc;
    const wxRasterOperationMode saved = dc.GetLogicalFunction();
    dc.SetLogicalFunction(wxXOR);
    dc.SetPen(wxPen(*wxWHITE, 1, wxPENSTYLE_SOLID));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(outline);
    dc.SetLogicalFunction(saved);
}
