#include "FolderDiscFiles.h"

#include "FileByteSource.h"
#include "ZR_Tool.h"

std::unique_ptr<ByteSource> FolderDiscFiles::Open(const std::string& name) const
{
    return FileByteSource::Open(PathOf(name));
}

bool FolderDiscFiles::Exists(const std::string& name) const
{
    return ZRIsFileExists(PathOf(name).c_str()) != 0;
}

int64_t FolderDiscFiles::SizeOf(const std::string& name) const
{
    return ZRGetFileSize(PathOf(name).c_str());
}
