#include "FileByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

std::unique_ptr<FileByteSource> FileByteSource::Open(const std::string& path)
{
    // Non-blocking, so that a FIFO or device of that name cannot stall us.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<FileByteSource>(
        new FileByteSource(fd, static_cast<uint64_t>(st.st_size)));
}

FileByteSource::~FileByteSource()
{
    ::close(fd_);
}

bool FileByteSource::ReadDirect(uint64_t pos, void* out, size_t n) const
{
    auto* to = static_cast<unsigned char*>(out);
    while (n > 0) {
        const ssize_t got = ::pread(fd_, to, n, static_cast<off_t>(pos));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytesRead_ += static_cast<uint64_t>(got);
        to += got;
        pos += static_cast<uint64_t>(got);
        n -= static_cast<size_t>(got);
    }
    return true;
}

bool FileByteSource::ReadInside(uint64_t pos, void* out, size_t n) const
{
    if (n > kBlock / 2)
        return ReadDirect(pos, out, n);
    Block* hit = nullptr;
    Block* oldest = &blocks_[0];
    for (Block& block : blocks_) {
        if (!block.bytes.empty() && pos >= block.start && pos - block.start + n <= block.bytes.size())
            hit = &block;
        if (block.used < oldest->used)
            oldest = &block;
    }
    if (!hit) {
        hit = oldest;
        hit->start = pos - pos % kBlock;
        hit->bytes.resize(static_cast<size_t>(std::min<uint64_t>(kBlock * 2, size_ - hit->start)));
        if (!ReadDirect(hit->start, hit->bytes.data(), hit->bytes.size())) {
            hit->bytes.clear();
            hit->used = 0;
            return false;
        }
    }
    hit->used = ++uses_;
    std::memcpy(out, hit->bytes.data() + (pos - hit->start), n);
    return true;
}

bool FileByteSource::ReadOnceInside(uint64_t pos, void* out, size_t n) const
{
    if (!scattered_) {
        scattered_ = true;
        (void)posix_fadvise(fd_, 0, 0, POSIX_FADV_RANDOM);
    }
    return ReadDirect(pos, out, n);
}
