// A text file of key=value lines.
#pragma once

#include <wx/string.h>

class PropertiesHelper {
public:
    PropertiesHelper() = default;
    explicit PropertiesHelper(const wxString& path) : path(path) {}
    virtual ~PropertiesHelper() = default;

    const wxString& GetPath() const { return path; }
    void SetPath(const wxString& newPath) { path = newPath; }

    // The text after the first "=" of the first line whose text before its
    // first "=" equals the key; empty when no line has the key. Lines without
    // "=" are skipped; the last line counts like any other.
    wxString GetValue(const wxString& key) const;
    // Replaces the first line with the key by key=value and writes the file
    // back (through a temporary file). False, and the file unchanged, when
    // no line has the key or the file cannot be read or written.
    bool SetValue(const wxString& key, const wxString& value);

private:
    wxString path;
};
