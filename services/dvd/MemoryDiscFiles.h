// A VIDEO_TS folder held in memory, file name to contents.
#pragma once

#include "DiscFiles.h"

#include <map>

class MemoryDiscFiles : public DiscFiles {
public:
    void Add(const std::string& name, std::string bytes) { files_[name] = std::move(bytes); }

    std::unique_ptr<ByteSource> Open(const std::string& name) const override;
    bool Exists(const std::string& name) const override { return files_.count(name) != 0; }
    int64_t SizeOf(const std::string& name) const override;
    std::string PathOf(const std::string& name) const override { return "VIDEO_TS/" + name; }

private:
    std::map<std::string, std::string> files_;
};
