#include "VideoManagerIfo.h"

#include "IfoLayout.h"

#include <cstdio>

uint64_t VideoManagerIfo::TitleTable() const
{
    return IfoLayout::TableAt(source_, IfoLayout::kVmgTitleTable);
}

int VideoManagerIfo::TitleCount() const
{
    const uint64_t table = TitleTable();
    return table ? static_cast<int>(source_.U16(table)) : 0;
}

int VideoManagerIfo::ChapterCount(int title) const
{
    if (title < 1 || title > TitleCount())
        return 0;
    const uint64_t entry = TitleTable() + 8 + 12 * static_cast<uint64_t>(title - 1);
    return static_cast<int>(source_.U16(entry + 2));
}

int VideoManagerIfo::TitleSetCount() const
{
    const uint64_t table = IfoLayout::TableAt(source_, IfoLayout::kVmgTitleSetTable);
    return table ? static_cast<int>(source_.U16(table)) : 0;
}

std::string VideoManagerIfo::VersionText(const ByteSource& source)
{
    const unsigned version = source.U8(IfoLayout::kVersion);
    char text[8];
    std::snprintf(text, sizeof text, "%u.%u", (version >> 4) & 0x0Fu, version & 0x0Fu);
    return text;
}
