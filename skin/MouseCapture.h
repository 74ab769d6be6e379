// Taking and giving back the pointer. A window that still holds the capture
// when it is destroyed leaves a dangling entry in the toolkit's capture
// stack (an assert, then a crash at the next release anywhere); a hidden one
// keeps every pointer event. A window that takes the capture here gives it
// back when it is hidden (as a lost capture, so its drag ends through its
// capture-lost handler) or destroyed.
#pragma once

class wxWindow;

class MouseCapture {
public:
    // Captures the pointer for the window unless it already holds it.
    static void Take(wxWindow* window);
    // Releases the capture when the window holds it. True when it did.
    static bool Release(wxWindow* window);
    // Releases every capture held by the window or one of its descendants.
    static void ReleaseWithin(wxWindow* top);
};
