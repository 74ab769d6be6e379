// A path as the engine and the player read it: in double quotes, with each
// double quote and backslash escaped by a backslash.
#pragma once

#include <wx/string.h>

wxString EngineQuote(const wxString& path);
