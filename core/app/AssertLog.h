// The program's answer to a toolkit assert: no dialog in front of the user;
// the assert (file, line, function, condition, message) goes to the log file
// and to standard error, and the program carries on.
#pragma once

#include <wx/string.h>

class AssertLog {
public:
    // Makes Report the toolkit's assert handler.
    static void Install();
    // Writes one assert; returns the line written.
    static wxString Report(const wxString& file, int line, const wxString& func,
                           const wxString& cond, const wxString& msg);
};
