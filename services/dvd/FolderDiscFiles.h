// The files of root + "/VIDEO_TS" on disk.
#pragma once

#include "DiscFiles.h"

class FolderDiscFiles : public DiscFiles {
public:
    explicit FolderDiscFiles(const std::string& root) : folder_(root + "/VIDEO_TS") {}

    std::unique_ptr<ByteSource> Open(const std::string& name) const override;
    bool Exists(const std::string& name) const override;
    int64_t SizeOf(const std::string& name) const override;
    std::string PathOf(const std::string& name) const override { return folder_ + "/" + name; }

private:
    std::string folder_;
};
