// The program's format catalog file and the one copy of it in memory that
// every pane reads (AppSettings::catalog). The catalog editors work on
// documents of their own and save them through here: after every save that
// succeeds, the copy in memory is the file's new content. Every save holds
// the catalog lock (CatalogLock) from reading the file to renaming the new one.
#pragma once

#include <wx/string.h>
#include <wx/xml/xml.h>

#include <functional>

class LiveCatalog {
public:
    virtual ~LiveCatalog() = default;

    // Program folder + "/Plugin/FormatList/format_catalog.bin".
    static wxString Path();

    // Saves `document` to the catalog file; once written, the application's
    // catalog is read again from the file. On failure the file and the copy
    // in memory stay as they were and `reason` (when given) says why.
    static bool Save(const wxXmlDocument& document, int indent, wxString* reason = nullptr);

    // Changes the file as it is now: reads it into `document`, lets `edit`
    // change that and saves it, then reads the application's catalog again.
    // Another running copy's save in between is never undone. False when the
    // file cannot be read, when `edit` returns false (nothing is written) or
    // when the write fails; `reason` (when given) says why.
    using Edit = std::function<bool(wxXmlDocument& document, wxString& reason)>;
    static bool Update(wxXmlDocument& document, const Edit& edit, int indent,
                       wxString* reason = nullptr);

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
