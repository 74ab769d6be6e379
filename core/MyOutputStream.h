// Writes a scrambled catalog file: every byte is scrambled with the key.
// Opening creates or empties the file; rewrite a catalog through
// CatalogWriter, which never truncates the file in place.
#pragma once

#include <wx/wfstream.h>

class MyOutputStream : public wxFileOutputStream {
public:
    explicit MyOutputStream(const wxString& fileName);

protected:
    // Writes the requested bytes up to the first zero byte among them;
    // returns the number of bytes the file took.
    size_t OnSysWrite(const void* buffer, size_t size) override;
};
