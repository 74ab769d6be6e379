// What a file held at one moment (presence, size, content digest), to tell
// later whether anyone rewrote it.
#pragma once

#include <wx/string.h>

#include <cstddef>
#include <cstdint>

class FileStamp {
public:
    FileStamp() = default;
    static FileStamp Of(const wxString& path);

    bool Exists() const { return exists_; }
    bool operator==(const FileStamp& other) const;
    bool operator!=(const FileStamp& other) const { return !(*this == other); }

private:
    bool exists_ = false;
    std::uint64_t size_ = 0;
    std::size_t digest_ = 0;
};
