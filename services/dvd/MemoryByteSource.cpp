#include "MemoryByteSource.h"

#include <cstring>

bool MemoryByteSource::ReadInside(uint64_t pos, void* out, size_t n) const
{
    std::memcpy(out, bytes_.data() + pos, n);
    return true;
}
