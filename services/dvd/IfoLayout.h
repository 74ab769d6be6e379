// Byte offsets and sizes of the IFO fields read by the disc service.
#pragma once

#include "ByteSource.h"

#include <cstdint>

namespace IfoLayout {

constexpr uint64_t kSector = 2048;
constexpr uint64_t kVersion = 0x21;

constexpr uint64_t kVmgTitleTable = 0xC4;     // TT_SRPT sector
constexpr uint64_t kVmgTitleSetTable = 0xD0;  // VTS_ATRT sector

constexpr uint64_t kVtsChapterTable = 0xC8;   // VTS_PTT_SRPT sector
constexpr uint64_t kVtsChainTable = 0xCC;     // VTS_PGCI sector
constexpr uint64_t kVtsCellAddresses = 0xE0;  // VTS_C_ADT sector
constexpr uint64_t kVtsVobuMap = 0xE4;        // VTS_VOBU_ADMAP sector
constexpr uint64_t kVtsAudioCount = 0x202;
constexpr uint64_t kVtsAudioAttributes = 0x204;  // 8 bytes each
constexpr uint64_t kVtsSubpictureCount = 0x254;
constexpr uint64_t kVtsSubpictureAttributes = 0x256;  // 6 bytes each

// Program chain, from its start.
constexpr uint64_t kChainPrograms = 2;
constexpr uint64_t kChainCells = 3;
constexpr uint64_t kChainTime = 4;
constexpr uint64_t kChainAudioControl = 0x0C;       // 2 bytes each, 8 of them
constexpr uint64_t kChainSubpictureControl = 0x1C;  // 4 bytes each, 32 of them
constexpr uint64_t kChainCellPlayback = 0xE8;       // 24-byte entries
constexpr uint64_t kChainCellPosition = 0xEA;       // 4-byte entries
constexpr uint64_t kChainHeader = 0xEC;

// Navigation pack of a VOBU, from its first byte.
constexpr uint64_t kNavAudioSync = 0x599;       // 2 bytes each
constexpr uint64_t kNavSubpictureSync = 0x5A9;  // 4 bytes each
constexpr int kNavAudioSlots = 8;
constexpr int kNavSubpictureSlots = 32;

// Sector numbers are 32-bit; their byte positions need 64 bits.
constexpr uint64_t SectorToByte(uint32_t sector) { return static_cast<uint64_t>(sector) * kSector; }

// Byte position of the table whose sector number is the 4-byte field at
// `field`; 0 for none: sector 0 is the file's own header, and a table must
// hold at least its 2-byte count inside the file.
inline uint64_t TableAt(const ByteSource& source, uint64_t field)
{
    const uint64_t table = SectorToByte(source.U32(field));
    return table != 0 && source.Holds(table, 2) ? table : 0;
}

}  // namespace IfoLayout
