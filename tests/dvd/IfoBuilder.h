// Writes VIDEO_TS.IFO and VTS_nn_0.IFO files with chosen contents, laid out as
// DVD-Video lays them out, so that tests can put values where no authoring
// tool would (sectors past 4 GiB, hostile counts) and patch single fields.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ifo {

using Time = std::array<uint8_t, 4>;  // BCD hours, minutes, seconds, frames

struct Cell {
    Time time{};
    uint32_t firstSector = 0;
    uint32_t lastSector = 0;
    uint16_t vobId = 1;
    uint8_t cellId = 1;
};

struct Chain {
    uint8_t programs = 1;
    Time time{};
    std::vector<Cell> cells;
    std::vector<uint16_t> audioControl;       // up to 8
    std::vector<uint32_t> subpictureControl;  // up to 32
};

struct Audio {
    uint8_t mode = 0;      // coding mode (0 AC3, 2 MPEG-1, 3 MPEG-2, 4 LPCM, 6 DTS)
    uint8_t rate = 0;      // 0 48 kHz, 1 96 kHz
    uint8_t channels = 2;  // 1 to 8
    std::string language;  // two bytes, or empty
};

struct TitleSet {
    uint16_t titles = 1;
    std::vector<Audio> audio;
    std::vector<std::string> subpictureLanguages;
    std::vector<Chain> chains;
    // Cell address entries; empty: one per distinct (vobId, cellId) of the
    // chains, taken from their first and last sectors.
    struct Address {
        uint16_t vobId;
        uint8_t cellId;
        uint32_t firstSector;
        uint32_t lastSector;
    };
    std::vector<Address> addresses;
    bool addressesFromCells = true;
    std::vector<uint32_t> vobus;  // VOBU start sectors
};

// Where the tables of a built title-set file lie, for patching.
struct TitleSetLayout {
    std::string bytes;
    uint64_t chainTable = 0;          // VTS_PGCI
    std::vector<uint64_t> chains;     // each chain's start
    uint64_t cellAddresses = 0;       // VTS_C_ADT
    uint64_t vobuMap = 0;             // VTS_VOBU_ADMAP
};

TitleSetLayout BuildTitleSet(const TitleSet& set);

struct Title {
    uint16_t chapters = 1;
    uint8_t titleSet = 1;
    uint8_t titleInSet = 1;
};

std::string BuildVideoManager(uint16_t titleSets, const std::vector<Title>& titles);

// Big-endian writers over a byte string (which grows as needed).
void Put8(std::string& bytes, uint64_t at, uint32_t value);
void Put16(std::string& bytes, uint64_t at, uint32_t value);
void Put32(std::string& bytes, uint64_t at, uint32_t value);

// A navigation pack (one 2048-byte sector) with the given sync addresses.
std::string NavPack(const std::vector<uint16_t>& audioSync,
                    const std::vector<uint32_t>& subpictureSync);

}  // namespace ifo
