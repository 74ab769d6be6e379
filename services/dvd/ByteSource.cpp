#include "ByteSource.h"

#include "ZR_Tool.h"

#include <cstring>

bool ByteSource::Holds(uint64_t pos, uint64_t n) const
{
    const uint64_t size = Size();
    return pos <= size && n <= size - pos;
}

bool ByteSource::Read(uint64_t pos, void* out, size_t n) const
{
    return Fetch(pos, out, n, false);
}

bool ByteSource::ReadOnce(uint64_t pos, void* out, size_t n) const
{
    return Fetch(pos, out, n, true);
}

bool ByteSource::Fetch(uint64_t pos, void* out, size_t n, bool once) const
{
    if (n == 0)
        return Holds(pos, 0);
    if (Holds(pos, n) && (once ? ReadOnceInside(pos, out, n) : ReadInside(pos, out, n)))
        return true;
    std::memset(out, 0, n);
    return false;
}

uint32_t ByteSource::Field(uint64_t pos, int width) const
{
    char bytes[4] = {0, 0, 0, 0};
    if (!Read(pos, bytes, static_cast<size_t>(width)))
        return 0;
    return static_cast<uint32_t>(ZRCharArrayToInt(bytes, width));
}

uint32_t ByteSource::U8(uint64_t pos) const { return Field(pos, 1); }
uint32_t ByteSource::U16(uint64_t pos) const { return Field(pos, 2); }
uint32_t ByteSource::U32(uint64_t pos) const { return Field(pos, 4); }
