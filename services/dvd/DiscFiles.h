// The files of one VIDEO_TS folder, by name ("VIDEO_TS.IFO", "VTS_01_0.IFO",
// "VTS_01_1.VOB"), wherever they are kept.
#pragma once

#include "ByteSource.h"

#include <cstdint>
#include <memory>
#include <string>

class DiscFiles {
public:
    virtual ~DiscFiles() = default;

    // Null when the file is missing or not a readable file.
    virtual std::unique_ptr<ByteSource> Open(const std::string& name) const = 0;
    // True when the file exists and is no folder.
    virtual bool Exists(const std::string& name) const = 0;
    // Size in bytes; 0 when unknown.
    virtual int64_t SizeOf(const std::string& name) const = 0;
    // The path that names the file to a caller.
    virtual std::string PathOf(const std::string& name) const = 0;
};
