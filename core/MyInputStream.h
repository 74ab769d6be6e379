// Reads a scrambled catalog file: every byte read is unscrambled with the key.
#pragma once

#include <wx/wfstream.h>

class MyInputStream : public wxFileInputStream {
public:
    // A file that cannot be opened gives a stream that is not OK.
    explicit MyInputStream(const wxString& fileName);

protected:
    size_t OnSysRead(void* buffer, size_t size) override;
};
