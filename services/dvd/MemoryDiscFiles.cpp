#include "MemoryDiscFiles.h"

#include "MemoryByteSource.h"

std::unique_ptr<ByteSource> MemoryDiscFiles::Open(const std::string& name) const
{
    const auto it = files_.find(name);
    if (it == files_.end())
        return nullptr;
    return std::make_unique<MemoryByteSource>(it->second);
}

int64_t MemoryDiscFiles::SizeOf(const std::string& name) const
{
    const auto it = files_.find(name);
    return it == files_.end() ? 0 : static_cast<int64_t>(it->second.size());
}
