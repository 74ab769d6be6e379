#include "StreamByteSource.h"

#include <sys/types.h>

StreamByteSource::StreamByteSource(FILE* stream) : stream_(stream)
{
    if (stream_ && fseeko(stream_, 0, SEEK_END) == 0) {
        const off_t end = ftello(stream_);
        if (end > 0)
            size_ = static_cast<uint64_t>(end);
    }
}

StreamByteSource::~StreamByteSource()
{
    if (stream_) {
        clearerr(stream_);
        fseeko(stream_, 0, SEEK_SET);
    }
}

bool StreamByteSource::ReadInside(uint64_t pos, void* out, size_t n) const
{
    if (!stream_ || fseeko(stream_, static_cast<off_t>(pos), SEEK_SET) != 0)
        return false;
    return fread(out, 1, n, stream_) == n;
}
