// A folder's worth of names that are not regular files: a named pipe, a
// socket, a link to /dev/zero, a dangling link and a link loop. A watchdog
// releases anyone blocked opening the pipe after a while and remembers it,
// so a test of code that would hang fails instead.
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace mvtest {

class SpecialFiles {
public:
    // Makes the names in folder (made when missing); the watchdog starts at once.
    explicit SpecialFiles(const std::string& folder, int releaseAfterMs = 8000);
    ~SpecialFiles();
    SpecialFiles(const SpecialFiles&) = delete;
    SpecialFiles& operator=(const SpecialFiles&) = delete;

    bool ok() const { return ok_; }
    // File names (without folder), and full paths.
    const std::vector<std::string>& names() const { return names_; }
    std::vector<std::string> paths() const;
    // True once someone was found blocked opening the pipe.
    bool SomeoneBlocked() const { return blocked_; }

private:
    void Watch();

    std::string folder_;
    std::vector<std::string> names_;
    int socket_ = -1;
    bool ok_ = false;
    int releaseAfterMs_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> blocked_{false};
    std::thread watchdog_;
};

}  // namespace mvtest
