#include "TitleSetIfo.h"

#include "IfoLayout.h"

using namespace IfoLayout;

uint64_t TitleSetIfo::Table(uint64_t field) const
{
    return TableAt(source_, field);
}

int TitleSetIfo::TitleCount() const
{
    const uint64_t table = Table(kVtsChapterTable);
    return table ? static_cast<int>(source_.U16(table)) : 0;
}

int TitleSetIfo::ChainCount() const
{
    const uint64_t table = Table(kVtsChainTable);
    return table ? static_cast<int>(source_.U16(table)) : 0;
}

std::optional<uint64_t> TitleSetIfo::Chain(int k) const
{
    const uint64_t table = Table(kVtsChainTable);
    if (!table || k < 1 || k > static_cast<int>(source_.U16(table)))
        return std::nullopt;
    const uint64_t pointer = table + 8 * static_cast<uint64_t>(k) + 4;
    if (!source_.Holds(pointer, 4))
        return std::nullopt;
    const uint64_t chain = table + source_.U32(pointer);
    if (!source_.Holds(chain, kChainHeader))
        return std::nullopt;
    return chain;
}

int TitleSetIfo::ProgramCount(uint64_t chain) const
{
    return static_cast<int>(source_.U8(chain + kChainPrograms));
}

int TitleSetIfo::CellCount(uint64_t chain) const
{
    return static_cast<int>(source_.U8(chain + kChainCells));
}

bool TitleSetIfo::TimeBytes(uint64_t chain, int cell, std::array<unsigned char, 4>& time) const
{
    time.fill(0);
    if (cell < 1)
        return source_.Read(chain + kChainTime, time.data(), time.size());
    CellEntry entry;
    if (!Cell(chain, cell, entry))
        return false;
    time = entry.time;
    return true;
}

bool TitleSetIfo::Cell(uint64_t chain, int cell, CellEntry& entry) const
{
    entry = CellEntry{};
    if (cell < 1 || cell > CellCount(chain))
        return false;
    const uint32_t playback = source_.U16(chain + kChainCellPlayback);
    const uint64_t at = chain + playback + 24 * static_cast<uint64_t>(cell - 1);
    if (playback == 0 || !source_.Holds(at, 24))
        return false;
    source_.Read(at + 4, entry.time.data(), entry.time.size());
    entry.firstSector = source_.U32(at + 8);
    const uint32_t position = source_.U16(chain + kChainCellPosition);
    const uint64_t where = chain + position + 4 * static_cast<uint64_t>(cell - 1);
    if (position != 0 && source_.Holds(where, 4)) {
        entry.vobId = source_.U16(where);
        entry.cellId = source_.U8(where + 3);
    }
    return true;
}

uint32_t TitleSetIfo::AudioControl(uint64_t chain, int n) const
{
    if (n < 1 || n > kNavAudioSlots)
        return 0;
    return source_.U8(chain + kChainAudioControl + 2 * static_cast<uint64_t>(n - 1));
}

uint32_t TitleSetIfo::SubpictureControl(uint64_t chain, int n) const
{
    if (n < 1 || n > kNavSubpictureSlots)
        return 0;
    return source_.U8(chain + kChainSubpictureControl + 4 * static_cast<uint64_t>(n - 1));
}

uint32_t TitleSetIfo::LastSector(uint32_t vobId, uint32_t cellId) const
{
    const uint64_t table = Table(kVtsCellAddresses);
    if (!table || !source_.Holds(table, 8))
        return 0;
    // The table's own end address is the last byte it holds.
    const uint64_t end = static_cast<uint64_t>(source_.U32(table + 4)) + 1;
    const uint64_t inFile = source_.Size() - table;
    const uint64_t bytes = end < inFile ? end : inFile;
    const uint64_t entries = bytes > 8 ? (bytes - 8) / 12 : 0;
    for (uint64_t e = 0; e < entries; ++e) {
        const uint64_t at = table + 8 + 12 * e;
        if (source_.U16(at) == vobId && source_.U8(at + 2) == cellId)
            return source_.U32(at + 8);
    }
    return 0;
}

int TitleSetIfo::AudioCount() const
{
    const uint32_t count = source_.U16(kVtsAudioCount);
    return source_.Holds(kVtsAudioAttributes, 8 * static_cast<uint64_t>(count))
               ? static_cast<int>(count) : 0;
}

int TitleSetIfo::SubpictureCount() const
{
    const uint32_t count = source_.U16(kVtsSubpictureCount);
    return source_.Holds(kVtsSubpictureAttributes, 6 * static_cast<uint64_t>(count))
               ? static_cast<int>(count) : 0;
}

std::array<unsigned char, 8> TitleSetIfo::AudioAttributes(int i) const
{
    std::array<unsigned char, 8> bytes{};
    if (i >= 0)
        source_.Read(kVtsAudioAttributes + 8 * static_cast<uint64_t>(i), bytes.data(), bytes.size());
    return bytes;
}

std::array<unsigned char, 6> TitleSetIfo::SubpictureAttributes(int i) const
{
    std::array<unsigned char, 6> bytes{};
    if (i >= 0)
        source_.Read(kVtsSubpictureAttributes + 6 * static_cast<uint64_t>(i), bytes.data(),
                     bytes.size());
    return bytes;
}

uint32_t TitleSetIfo::VobuCount() const
{
    const uint64_t table = Table(kVtsVobuMap);
    if (!table || !source_.Holds(table, 4))
        return 0;
    // Entries follow the 4-byte end address, which is the map's last byte.
    const uint64_t end = static_cast<uint64_t>(source_.U32(table)) + 1;
    const uint64_t inFile = source_.Size() - table;
    const uint64_t bytes = end < inFile ? end : inFile;
    const uint64_t entries = bytes > 4 ? (bytes - 4) / 4 : 0;
    return entries > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(entries);
}

uint32_t TitleSetIfo::VobuSector(uint32_t j) const
{
    const uint64_t table = Table(kVtsVobuMap);
    return table ? source_.U32(table + 4 + 4 * static_cast<uint64_t>(j)) : 0;
}
