// A byte source over a stdio stream that the caller opened and owns; the
// stream is left at byte 0 when the source is destroyed.
#pragma once

#include "ByteSource.h"

#include <cstdio>

class StreamByteSource : public ByteSource {
public:
    explicit StreamByteSource(FILE* stream);
    ~StreamByteSource() override;
    StreamByteSource(const StreamByteSource&) = delete;
    StreamByteSource& operator=(const StreamByteSource&) = delete;

    uint64_t Size() const override { return size_; }

protected:
    bool ReadInside(uint64_t pos, void* out, size_t n) const override;

private:
    FILE* stream_;
    uint64_t size_ = 0;
};
