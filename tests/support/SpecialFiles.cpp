#include "SpecialFiles.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace mvtest {

namespace {
const char* const kPipe = "pipe.mp4";
}

SpecialFiles::SpecialFiles(const std::string& folder, int releaseAfterMs)
    : folder_(folder), releaseAfterMs_(releaseAfterMs)
{
    names_ = {kPipe, "socket.mp4", "zero.mp4", "dangling.mp4", "loop.mp4"};
    bool made = (mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST) && mkfifo((folder + "/" + kPipe).c_str(), 0644) == 0;

    socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string socketPath = folder + "/socket.mp4";
    made = made && socket_ >= 0 && socketPath.size() < sizeof addr.sun_path;
    if (made) {
        std::memcpy(addr.sun_path, socketPath.c_str(), socketPath.size() + 1);
        made = bind(socket_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
               listen(socket_, 1) == 0;
    }
    made = made && symlink("/dev/zero", (folder + "/zero.mp4").c_str()) == 0;
    made = made && symlink("nowhere/gone.mp4", (folder + "/dangling.mp4").c_str()) == 0;
    made = made && symlink("loop.mp4", (folder + "/loop.mp4").c_str()) == 0;
    ok_ = made;
    watchdog_ = std::thread([this] { Watch(); });
}

SpecialFiles::~SpecialFiles()
{
    stop_ = true;
    watchdog_.join();
    if (socket_ >= 0)
        close(socket_);
}

std::vector<std::string> SpecialFiles::paths() const
{
    std::vector<std::string> out;
    for (const std::string& name : names_)
        out.push_back(folder_ + "/" + name);
    return out;
}

void SpecialFiles::Watch()
{
    const auto release = std::chrono::steady_clock::now() + std::chrono::milliseconds(releaseAfterMs_);
    const std::string pipe = folder_ + "/" + kPipe;
    while (!stop_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (std::chrono::steady_clock::now() < release)
            continue;
        // A non-blocking open for writing succeeds only while a reader holds
        // the pipe; it wakes a reader blocked in open, and the close gives
        // it the end of the file.
        int fd = open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            blocked_ = true;
            close(fd);
        }
    }
}

}  // namespace mvtest
