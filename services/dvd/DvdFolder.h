// Answers about one DVD-Video folder: title sets, chains, cells, streams and
// where a cell's bytes lie in the VOB files. Every answer is computed from the
// files on each call; anything that cannot be read gives the neutral answer
// (0, "00:00:00.00", an empty list, no extent).
#pragma once

#include "DiscFiles.h"
#include "VobFiles.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct TitleExtent {
    int64_t startByte = 0;  // first byte of the cell in the joined VOB data
    int64_t endByte = 0;    // first byte of the cell's last sector
    int64_t duration = 0;   // whole seconds, rounded up when there are frames
    VobFiles vobs;
};

struct TitleStart {
    TitleExtent extent;
    size_t fileIndex = 0;         // the VOB file holding startByte
    int64_t startOffset = 0;      // startByte within that file
    int64_t syncStartOffset = 0;  // as SyncStartOffset
    int64_t firstCellOffset = 0;  // see DvdFolder::Location
};

class DvdFolder {
public:
    static constexpr int kMaxTitleSets = 99;

    explicit DvdFolder(const DiscFiles& files) : files_(files) {}

    int TitleSetCount() const;
    int VtsTitleCount(int vts) const;
    int PgcProgramCount(int vts, int pgc) const;
    // "hh:mm:ss.ff" of the cell, or of the whole chain when cell < 1.
    std::string CellPlaybackTime(int vts, int pgc, int cell) const;
    // "en|English|AC3|48kHz|6ch|[0x80]" per audio stream.
    std::vector<std::string> AudioStreams(int vts) const;
    // "en|English|[0x20]" per subpicture stream.
    std::vector<std::string> SubtitleStreams(int vts) const;

    // The cell's bytes; none when the title set, chain or cell is not there.
    std::optional<TitleExtent> Extent(int vts, int pgc, int cell) const;
    // The extent with the file and offset of its start; none when the start
    // lies in no VOB file.
    std::optional<TitleStart> Start(int vts, int pgc, int cell) const;
    // Start, with the sync offset of the title set and, when the files from
    // the start on include VTS_01_1.VOB, the start offset of title set 1,
    // chain 1, cell 1.
    std::optional<TitleStart> Location(int vts, int pgc, int cell) const;
    // Position in the joined VOB data of title set vts of the first VOBU, at
    // or after the start of chain 1 cell 1, from which every audio and
    // subpicture stream is in sync, moved by the sync address; 0 when none.
    int64_t SyncStartOffset(int vts) const;

    // "%.2x:%.2x:%.2x.%.2x" of BCD hours, minutes, seconds, frames (masked).
    static std::string TimeText(const std::array<unsigned char, 4>& time);
    // Whole seconds of a BCD time, plus one when the frames are not 0.
    static int64_t DurationSeconds(const std::array<unsigned char, 4>& time);
    // "VTS_" + two digits + "_0.IFO".
    static std::string IfoName(int vts);

private:
    std::unique_ptr<ByteSource> OpenTitleSet(int vts) const;
    // One line per audio (or subpicture) stream of the title set, made by
    // line(ifo, chain 1 when present, 0-based stream index).
    template <typename Line>
    std::vector<std::string> StreamLines(int vts, bool audio, Line line) const;
    // The sync position of the VOBU whose navigation pack is at `place`,
    // or none when a stream is not in sync there.
    std::optional<int64_t> VobuSync(const VobFiles& vobs, const VobFiles::Place& place,
                                    int audio, int subpicture,
                                    std::vector<std::unique_ptr<ByteSource>>& open) const;

    const DiscFiles& files_;
};
