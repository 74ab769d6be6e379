// An advisory lock (flock) on the folder of a catalog file, held while it
// lives. Every read-check-write of a catalog takes it, so two running copies
// saving at once each see the other's save. The folder is locked rather than
// the file because a save renames a new file over the old one, and rather
// than a lock file because the folder would keep it.
#pragma once

#include <wx/string.h>

class CatalogLock {
public:
    // Waits for the lock on the folder of `path`. When the folder cannot be
    // opened nothing is locked; the save that follows then fails on its own.
    explicit CatalogLock(const wxString& path);
    ~CatalogLock();
    CatalogLock(const CatalogLock&) = delete;
    CatalogLock& operator=(const CatalogLock&) = delete;

    bool IsLocked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
