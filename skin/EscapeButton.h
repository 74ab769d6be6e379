// Escape on a skinned dialog clicks its close button, as on a native dialog.
// A dialog that must not be ended by the user sets its escape id to none.
#pragma once

class wxDialog;
class wxKeyEvent;
class wxWindow;

class EscapeButton {
public:
    // For a dialog's char hook: Escape sends the click of `button` (when
    // shown); any other key, or no button, goes on to the toolkit.
    static void OnCharHook(wxDialog& dialog, wxWindow* button, wxKeyEvent& event);
};
