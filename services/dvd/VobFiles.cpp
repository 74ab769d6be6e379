#include "VobFiles.h"

#include <cstdio>

std::string VobFiles::FileName(int vts, int k)
{
    char name[32];
    std::snprintf(name, sizeof name, "VTS_%.2d_%d.VOB", vts, k);
    return name;
}

VobFiles::VobFiles(const DiscFiles& files, int vts)
{
    for (int k = 1; k <= kMaxFiles; ++k) {
        const std::string name = FileName(vts, k);
        if (!files.Exists(name))
            break;
        const int64_t size = files.SizeOf(name);
        names_.push_back(name);
        sizes_.push_back(size > 0 ? size : 0);
    }
}

std::optional<VobFiles::Place> VobFiles::Locate(int64_t position) const
{
    return LocateIn(sizes_.data(), sizes_.size(), position);
}

std::optional<VobFiles::Place> VobFiles::LocateIn(const int64_t* sizes, size_t count,
                                                  int64_t position)
{
    if (position < 0 || !sizes)
        return std::nullopt;
    int64_t before = 0;
    for (size_t i = 0; i < count; ++i) {
        const int64_t size = sizes[i] > 0 ? sizes[i] : 0;
        if (position - before < size)
            return Place{i, position - before};
        before += size;
    }
    return std::nullopt;
}
