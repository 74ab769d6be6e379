#include "EngineQuote.h"

wxString EngineQuote(const wxString& path)
{
    wxString out = "\"";
    for (wxUniChar c : path) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}
