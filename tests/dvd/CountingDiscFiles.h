// The files of a VIDEO_TS folder on disk, counting the bytes read from the
// VOB files by every source opened through it.
#pragma once

#include "DiscFiles.h"
#include "FolderDiscFiles.h"

#include <cstdint>
#include <memory>

class CountingDiscFiles : public DiscFiles {
public:
    explicit CountingDiscFiles(const std::string& root) : folder_(root) {}

    std::unique_ptr<ByteSource> Open(const std::string& name) const override;
    bool Exists(const std::string& name) const override { return folder_.Exists(name); }
    int64_t SizeOf(const std::string& name) const override { return folder_.SizeOf(name); }
    std::string PathOf(const std::string& name) const override { return folder_.PathOf(name); }

    // Bytes read from VOB files by the sources closed so far.
    uint64_t VobBytesRead() const { return *vobBytes_; }

private:
    FolderDiscFiles folder_;
    std::shared_ptr<uint64_t> vobBytes_ = std::make_shared<uint64_t>(0);
};
