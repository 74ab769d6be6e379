// The temporary file a conversion writes before it gets its destination's
// name: created here, locked (flock) from creation until it is renamed or
// removed, so that a cleaner in any process, in any PID namespace, can tell
// that its writer is still at work.
#pragma once

#include <string>
#include <sys/types.h>

class TempFile {
public:
    TempFile() = default;
    // Removes the file unless Release was called, then drops the lock.
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Creates and locks a new temporary for the destination name `name` in
    // `folder`; false with errno set (ENAMETOOLONG when `name` itself is
    // longer than the folder takes).
    bool Create(const std::string& folder, const std::string& name);
    const std::string& Path() const { return path_; }
    // The path still names the file created, not something put there since.
    bool StillOurs() const;
    // Once the file has its destination's name: only the lock is dropped.
    void Release();

    // ".mv-<pid>-<n>-<check>-<part>": <part> is `name` shortened to fit
    // `limit` bytes in all (its extension kept, no UTF-8 sequence cut),
    // <check> eight hex digits computed from the rest of the name.
    static std::string NameFor(const std::string& name, pid_t pid, unsigned n, size_t limit);
    // The pid of a name of exactly that form, else 0.
    static pid_t OwnerOf(const std::string& name);
    // Removes the folder's temporaries that are abandoned beyond doubt: of
    // that form, no process of that pid here, a regular file of this user
    // with one link, its lock free, untouched for kStaleSeconds. Returns
    // how many.
    static int RemoveStale(const std::string& folder);
    static constexpr long kStaleSeconds = 10 * 60;

private:
    std::string path_;
    int fd_ = -1;
    dev_t dev_ = 0;
    ino_t ino_ = 0;
};
