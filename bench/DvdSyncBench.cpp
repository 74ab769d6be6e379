// Prints the bytes read and the time of the disc service's sync-start search
// over a sparse title set of five 1 GiB VOB files with 8,612 VOBUs, only the
// last one in sync: cold (the files' cached pages dropped) and warm.
//   mv_dvd_bench [folder on a disk-backed file system]
#include "CountingDiscFiles.h"
#include "DvdFolder.h"
#include "SparseTitleSet.h"

#include "TestSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct IoCounts {
    uint64_t rchar = 0;      // bytes handed out by read calls
    uint64_t readBytes = 0;  // bytes fetched from the storage
};

IoCounts ReadIo()
{
    IoCounts io;
    std::ifstream in("/proc/self/io");
    std::string key;
    uint64_t value = 0;
    while (in >> key >> value) {
        if (key == "rchar:")
            io.rchar = value;
        else if (key == "read_bytes:")
            io.readBytes = value;
    }
    return io;
}

// Drops the cached pages of one file (it was written back first).
void DropCache(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fdatasync(fd);
    (void)posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

}  // namespace

int main(int argc, char** argv)
{
    std::unique_ptr<mvtest::TempDir> temp;
    std::string root;
    if (argc > 1) {
        root = argv[1];
    } else {
        temp = std::make_unique<mvtest::TempDir>();
        root = temp->path();
    }
    const SparseTitleSet set(root, 5, 524288, 8612);
    for (const char* pass : {"cold", "warm"}) {
        if (std::string(pass) == "cold") {
            for (const std::string& vob : set.VobPaths())
                DropCache(vob);
            DropCache(root + "/VIDEO_TS/VTS_01_0.IFO");
        }
        CountingDiscFiles files(root);
        const IoCounts before = ReadIo();
        const auto begin = std::chrono::steady_clock::now();
        const int64_t found = DvdFolder(files).SyncStartOffset(1);
        const double spent =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        const IoCounts after = ReadIo();
        const uint64_t storage = after.readBytes - before.readBytes;
        std::printf("sync search, %s, %d VOBUs examined: %s, %.3f s; VOB files: %llu bytes "
                    "read (%.1f per VOBU); process: %llu bytes read, %llu from the storage "
                    "(%.2f x 2 KiB per VOBU)\n",
                    pass, set.Vobus(), found == set.Expected() ? "right answer" : "WRONG ANSWER",
                    spent, static_cast<unsigned long long>(files.VobBytesRead()),
                    double(files.VobBytesRead()) / set.Vobus(),
                    static_cast<unsigned long long>(after.rchar - before.rchar),
                    static_cast<unsigned long long>(storage), double(storage) / (2048.0 * set.Vobus()));
    }
    return 0;
}
