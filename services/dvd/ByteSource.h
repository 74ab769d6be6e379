// Random access to the bytes of one file or memory block, every read checked
// against the size.
#pragma once

#include <cstddef>
#include <cstdint>

class ByteSource {
public:
    virtual ~ByteSource() = default;

    virtual uint64_t Size() const = 0;

    // Copies n bytes at pos into out. When any of them lies past the end,
    // nothing is read, out is zero-filled and the result is false.
    bool Read(uint64_t pos, void* out, size_t n) const;

    // Read for a walk whose reads lie far apart: the same answer as Read,
    // but only these bytes are fetched and nothing is kept for later reads.
    bool ReadOnce(uint64_t pos, void* out, size_t n) const;

    // Big-endian unsigned fields; 0 when the field does not lie in the source.
    uint32_t U8(uint64_t pos) const;
    uint32_t U16(uint64_t pos) const;
    uint32_t U32(uint64_t pos) const;

    // True when n bytes at pos lie inside the source.
    bool Holds(uint64_t pos, uint64_t n) const;

protected:
    // Reads exactly n bytes at pos, which lie inside the source.
    virtual bool ReadInside(uint64_t pos, void* out, size_t n) const = 0;
    // As ReadInside, for ReadOnce; sources without a cache keep the default.
    virtual bool ReadOnceInside(uint64_t pos, void* out, size_t n) const
    {
        return ReadInside(pos, out, n);
    }

private:
    bool Fetch(uint64_t pos, void* out, size_t n, bool once) const;
    uint32_t Field(uint64_t pos, int width) const;
};
