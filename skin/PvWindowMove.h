// Drag operations with which a child window (the grabber) moves a window,
// usually its top-level window, while the left mouse button is held.
#pragma once

#include <wx/event.h>
#include <wx/gdicmn.h>

class wxDC;
class wxWindow;

class PvWindowMove {
public:
    virtual ~PvWindowMove() = default;

    // Captures the mouse on the grabber and records where in the window the
    // press happened.
    static void BeginMove(wxWindow* window, wxWindow* grabber, const wxMouseEvent& event,
                          wxPoint& offset);
    // Moves the window so that the pressed point follows the mouse; only on a
    // drag with the left button down while the grabber holds the capture.
    static void MoveWindow(wxWindow* window, wxWindow* grabber, const wxMouseEvent& event,
                           const wxPoint& offset);
    // Releases the capture if the grabber still holds it.
    static void EndMove(wxWindow* window, wxWindow* grabber);

    // Outline variant: drags an XOR rectangle and moves the window on release.
    static void BeginOutlineMove(wxWindow* window, wxWindow* grabber, const wxMouseEvent& event,
                                 wxPoint& offset, wxRect& outline);
    static void MoveOutline(wxWindow* window, wxWindow* grabber, const wxMouseEvent& event,
                            const wxPoint& offset, wxRect& outline);
    static void EndOutlineMove(wxWindow* window, wxWindow* grabber, const wxMouseEvent& event,
                               const wxPoint& offset, wxRect& outline);
    static void DrawDottedRect(wxDC& dc, const wxRect& r);

private:
    static bool IsMoveDrag(wxWindow* grabber, const wxMouseEvent& event);
    static wxPoint ScreenPoint(wxWindow* grabber, const wxMouseEvent& event);
    static void DrawOutline(const wxRect& outline);
};
