// The fields read from one title set's VTS_nn_0.IFO. Every table pointer,
// count and index is checked against the file: what lies outside it reads as
// absent.
#pragma once

#include "ByteSource.h"

#include <array>
#include <cstdint>
#include <optional>

struct CellEntry {
    std::array<unsigned char, 4> time{};  // BCD hours, minutes, seconds, frames
    uint32_t firstSector = 0;             // first VOBU, in the title's VOB data
    uint32_t vobId = 0;
    uint32_t cellId = 0;
};

class TitleSetIfo {
public:
    explicit TitleSetIfo(const ByteSource& source) : source_(source) {}

    int TitleCount() const;

    int ChainCount() const;
    // Byte position of 1-based chain k, when k is in the table and the
    // chain's header lies in the file.
    std::optional<uint64_t> Chain(int k) const;
    int ProgramCount(uint64_t chain) const;
    int CellCount(uint64_t chain) const;
    // The chain's own playback time when cell < 1, else the cell's; false
    // for a cell outside the chain.
    bool TimeBytes(uint64_t chain, int cell, std::array<unsigned char, 4>& time) const;
    // The 1-based cell of the chain; false when it is outside the chain.
    bool Cell(uint64_t chain, int cell, CellEntry& entry) const;
    // The first byte of the audio or subpicture stream control n (1-based).
    uint32_t AudioControl(uint64_t chain, int n) const;
    uint32_t SubpictureControl(uint64_t chain, int n) const;

    // Last sector of the cell with that VOB id and cell id in the cell
    // address table; 0 when no entry matches.
    uint32_t LastSector(uint32_t vobId, uint32_t cellId) const;

    // Stream counts, 0 when the file does not hold all their attributes.
    int AudioCount() const;
    int SubpictureCount() const;
    // Attribute bytes of the 0-based stream i (8 for audio, 6 for subpicture).
    std::array<unsigned char, 8> AudioAttributes(int i) const;
    std::array<unsigned char, 6> SubpictureAttributes(int i) const;

    // The VOBU address map: its number of entries (bounded by its own end and
    // by the file) and the start sector of entry j (0-based).
    uint32_t VobuCount() const;
    uint32_t VobuSector(uint32_t j) const;

private:
    // Byte position of the table whose sector number is at `field`; 0 for
    // none (sector 0 is the file's own header).
    uint64_t Table(uint64_t field) const;

    const ByteSource& source_;
};
