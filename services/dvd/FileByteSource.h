// A byte source over a regular file opened for reading, with a few cached
// blocks so that walks over tables of short fields stay cheap even when they
// jump between tables.
#pragma once

#include "ByteSource.h"

#include <memory>
#include <string>
#include <vector>

class FileByteSource : public ByteSource {
public:
    // Null when the path names no readable regular file.
    static std::unique_ptr<FileByteSource> Open(const std::string& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    uint64_t Size() const override { return size_; }
    // Bytes read from the file so far, cache fills included.
    uint64_t BytesRead() const { return bytesRead_; }

protected:
    bool ReadInside(uint64_t pos, void* out, size_t n) const override;
    // Straight from the file; the system is told not to read ahead.
    bool ReadOnceInside(uint64_t pos, void* out, size_t n) const override;

private:
    FileByteSource(int fd, uint64_t size) : fd_(fd), size_(size) {}
    bool ReadDirect(uint64_t pos, void* out, size_t n) const;

    static constexpr uint64_t kBlock = 32 * 1024;
    static constexpr size_t kBlocks = 8;
    struct Block {
        std::vector<unsigned char> bytes;  // kBlock * 2 from start, or to the end
        uint64_t start = 0;
        uint64_t used = 0;  // last use, for replacement
    };
    int fd_;
    uint64_t size_;
    mutable Block blocks_[kBlocks];
    mutable uint64_t uses_ = 0;
    mutable uint64_t bytesRead_ = 0;
    mutable bool scattered_ = false;  // the read-ahead advice was given
};
