// A byte source over a copy of a memory block.
#pragma once

#include "ByteSource.h"

#include <string>

class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::string bytes) : bytes_(std::move(bytes)) {}
    uint64_t Size() const override { return bytes_.size(); }

protected:
    bool ReadInside(uint64_t pos, void* out, size_t n) const override;

private:
    std::string bytes_;
};
