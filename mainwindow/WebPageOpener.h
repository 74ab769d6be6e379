// Opens the pages named in option.cfg in the browser, and tells the user
// when an address is no web address (nothing is opened then).
#pragma once

#include <wx/string.h>

class wxWindow;

class WebPageOpener {
public:
    // What the user is told when an address is refused.
    static const char* const kRefusedText;

    // Hands an http or https address to the browser; any other (empty,
    // file:, javascript: ...) is refused with a message box over `parent`.
    // True when the page was handed over.
    static bool Open(const wxString& url, wxWindow* parent);
};
