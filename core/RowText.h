// The file list's row text: fields joined by "|". Inside a field a backslash
// escapes the next character, so "|" is written "\|" and "\" is written "\\".
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

class RowText {
public:
    static wxString Join(const wxArrayString& fields);
    static wxArrayString Split(const wxString& text);
};
