// The program's format catalog file and the one copy of it in memory that
// every pane reads (AppSettings::catalog). The catalog editors work on
// documents of their own and save them through here: after every save that
// succeeds, the copy in memory is the file's new content.
#pragma once

#include <wx/string.h>
#include <wx/xml/xml.h>

class LiveCatalog {
public:
    virtual ~LiveCatalog() = default;

    // Program folder + "/Plugin/FormatList/format_catalog.bin".
    static wxString Path();

    // Saves `document` to the catalog file; once written, the application's
    // catalog is read again from the file. On failure the file and the copy
    // in memory stay as they were and `reason` (when given) says why.
    static bool Save(const wxXmlDocument& document, int indent, wxString* reason = nullptr);

    // Reads the file again into the application's catalog document, which
    // keeps its address, and counts a new catalog generation. False, and the
    // document as it was, when there is no application catalog or the file
    // cannot be read.
    static bool Reload();

    // The text of a message box about a failed catalog save.
    static wxString FailureMessage(const wxString& reason);
    // The reason for a catalog file that cannot be read back.
    static wxString UnreadableReason();
};
