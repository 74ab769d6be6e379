// Small helpers for the catalog tests: scrambled fixture files and a
// wxWidgets base library initialised once for the whole test program.
#pragma once

#include <string>

#include <wx/string.h>
#include <wx/xml/xml.h>

namespace catalogtest {

// Writes the plain text scrambled, as the program's catalog files are stored.
void WriteScrambled(const std::string& path, const std::string& plain);
// The plain text of a scrambled file.
std::string ReadUnscrambled(const std::string& path);
// A document parsed from plain XML text (no root when it does not parse).
void ParseXml(wxXmlDocument& document, const std::string& xml);

inline wxString W(const std::string& text) { return wxString::FromUTF8(text); }

}  // namespace catalogtest
