// The one writer of the files under Plugin/FormatList/. It writes the whole
// document to a temporary file in the same folder and renames it over the
// old file, so a crash or a full disk never leaves a truncated catalog.
#pragma once

#include <wx/string.h>
#include <wx/xml/xml.h>

class CatalogWriter {
public:
    virtual ~CatalogWriter() = default;

    // Saves `document` scrambled to `path` with the indent step. A document
    // without a root element is never written. On any failure the old file
    // is left as it was, no temporary file remains, false is returned and
    // `error` (when given) holds the errno of the step that failed.
    static bool Save(const wxXmlDocument& document, const wxString& path, int indent = 1,
                     int* error = nullptr);

    // How many saves have succeeded in this process; a caller that loaded a
    // catalog can tell from it whether someone rewrote the file since.
    static unsigned long GetSaveCount();
};
