// A folder that cannot take writes for the object's life: made read-only (a
// read-only bind mount of it), or moved onto a small tmpfs that is then
// filled up, its files carried over. Needs root; ok() is false (with the
// reason) when the mount cannot be made. Undone on destruction.
#pragma once

#include <string>
#include <vector>

namespace mvtest {

class FolderFault {
public:
    enum Kind { READ_ONLY, FULL_DISK };
    FolderFault(const std::string& folder, Kind kind);
    ~FolderFault();
    FolderFault(const FolderFault&) = delete;
    FolderFault& operator=(const FolderFault&) = delete;
    bool ok() const { return m_ok; }
    const std::string& failure() const { return m_failure; }

private:
    bool Mount(const std::vector<std::string>& argv);
    std::string m_point;
    bool m_mounted = false;
    bool m_ok = false;
    std::string m_failure;
};

}  // namespace mvtest
