#include "DvdFolder.h"

#include "IfoLayout.h"
#include "MemoryByteSource.h"
#include "TitleSetIfo.h"
#include "VideoManagerIfo.h"

#include <algorithm>
#include <cstdio>

using namespace IfoLayout;

namespace {

const char* CodecName(unsigned mode)
{
    switch (mode) {
    case 0: return "AC3";
    case 2: return "Mpeg-1";
    case 3: return "Mpeg-2";
    case 4: return "LPCM";
    case 6: return "DTS";
    default: return "Unspecified";
    }
}

// MPEG stream id of the first stream of a codec; 0 for none.
unsigned CodecBase(unsigned mode)
{
    switch (mode) {
    case 0: return 0x80;
    case 2:
    case 3: return 0xC0;
    case 4: return 0xA0;
    case 6: return 0x88;
    default: return 0;
    }
}

const char* RateName(unsigned rate)
{
    switch (rate) {
    case 0: return "48kHz";
    case 1: return "96kHz";
    default: return "Unspecified";
    }
}

// The language code as it stands when both bytes are printable and no bar.
std::string LanguageCode(unsigned char first, unsigned char second)
{
    const auto fits = [](unsigned char c) { return c >= 0x20 && c < 0x7F && c != '|'; };
    if (!fits(first) || !fits(second))
        return {};
    return std::string{static_cast<char>(first), static_cast<char>(second)};
}

const char* LanguageName(const std::string& code)
{
    if (code == "en")
        return "English";
    if (code == "zh")
        return "Chinese";
    return "Unspecified";
}

std::string IdText(unsigned id)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%.2x", id & 0xFFu);
    return text;
}

// A BCD byte read the way "%.2x" then a decimal parse reads it.
int64_t BcdValue(unsigned char byte)
{
    const int high = byte >> 4;
    const int low = byte & 0x0F;
    if (high > 9)
        return 0;
    return low > 9 ? high : high * 10 + low;
}

// The sync addresses of one navigation pack, fetched in one read of only the
// entries the streams use: the search visits packs far apart, so a cache
// block per pack would read many times what is used. A pack cut short by the
// file's end keeps the entries that lie inside; the others read as 0.
MemoryByteSource NavSyncEntries(const ByteSource* vob, uint64_t nav, int audio, int subpicture)
{
    const uint64_t end =
        subpicture > 0 ? kNavSubpictureSync + 4 * static_cast<uint64_t>(subpicture)
                       : kNavAudioSync + 2 * static_cast<uint64_t>(std::max(audio, 0));
    if (!vob || end <= kNavAudioSync || nav > vob->Size() || vob->Size() - nav <= kNavAudioSync)
        return MemoryByteSource(std::string());
    std::string entries(static_cast<size_t>(std::min(end, vob->Size() - nav) - kNavAudioSync),
                        '\0');
    if (!vob->ReadOnce(nav + kNavAudioSync, entries.data(), entries.size()))
        entries.clear();
    return MemoryByteSource(std::move(entries));
}

bool ValidTitleSet(int vts)
{
    return vts >= 1 && vts <= DvdFolder::kMaxTitleSets;
}

}  // namespace

std::string DvdFolder::IfoName(int vts)
{
    char name[32];
    std::snprintf(name, sizeof name, "VTS_%.2d_0.IFO", vts);
    return name;
}

std::string DvdFolder::TimeText(const std::array<unsigned char, 4>& time)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2x:%.2x:%.2x.%.2x", static_cast<unsigned>(time[0]),
                  static_cast<unsigned>(time[1]), static_cast<unsigned>(time[2]),
                  static_cast<unsigned>(time[3] & 0x3Fu));
    return text;
}

int64_t DvdFolder::DurationSeconds(const std::array<unsigned char, 4>& time)
{
    const int64_t frames = BcdValue(static_cast<unsigned char>(time[3] & 0x3F));
    return BcdValue(time[0]) * 3600 + BcdValue(time[1]) * 60 + BcdValue(time[2]) +
           (frames != 0 ? 1 : 0);
}

std::unique_ptr<ByteSource> DvdFolder::OpenTitleSet(int vts) const
{
    if (!ValidTitleSet(vts))
        return nullptr;
    return files_.Open(IfoName(vts));
}

int DvdFolder::TitleSetCount() const
{
    const auto source = files_.Open("VIDEO_TS.IFO");
    return source ? VideoManagerIfo(*source).TitleSetCount() : 0;
}

int DvdFolder::VtsTitleCount(int vts) const
{
    const auto source = OpenTitleSet(vts);
    return source ? TitleSetIfo(*source).TitleCount() : 0;
}

int DvdFolder::PgcProgramCount(int vts, int pgc) const
{
    const auto source = OpenTitleSet(vts);
    if (!source)
        return 0;
    const TitleSetIfo ifo(*source);
    const auto chain = ifo.Chain(pgc);
    return chain ? ifo.ProgramCount(*chain) : 0;
}

std::string DvdFolder::CellPlaybackTime(int vts, int pgc, int cell) const
{
    std::array<unsigned char, 4> time{};
    if (const auto source = OpenTitleSet(vts)) {
        const TitleSetIfo ifo(*source);
        if (const auto chain = ifo.Chain(pgc))
            ifo.TimeBytes(*chain, cell, time);
    }
    return TimeText(time);
}

template <typename Line>
std::vector<std::string> DvdFolder::StreamLines(int vts, bool audio, Line line) const
{
    std::vector<std::string> lines;
    const auto source = OpenTitleSet(vts);
    if (!source)
        return lines;
    const TitleSetIfo ifo(*source);
    const auto firstChain = ifo.Chain(1);
    const int count = audio ? ifo.AudioCount() : ifo.SubpictureCount();
    lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.push_back(line(ifo, firstChain, i));
    return lines;
}

std::vector<std::string> DvdFolder::AudioStreams(int vts) const
{
    return StreamLines(vts, true, [](const TitleSetIfo& ifo, std::optional<uint64_t> chain, int i) {
        const auto a = ifo.AudioAttributes(i);
        const unsigned mode = a[0] >> 5;
        const std::string code = LanguageCode(a[2], a[3]);
        const unsigned base = CodecBase(mode);
        const unsigned control = chain ? ifo.AudioControl(*chain, i + 1) : 0;
        return code + "|" + LanguageName(code) + "|" + CodecName(mode) + "|" +
               RateName((a[1] >> 4) & 3u) + "|" + std::to_string((a[1] & 0x0Fu) + 1) + "ch|[" +
               (base ? IdText(base + (control & 7u)) : IdText(0)) + "]";
    });
}

std::vector<std::string> DvdFolder::SubtitleStreams(int vts) const
{
    return StreamLines(vts, false, [](const TitleSetIfo& ifo, std::optional<uint64_t> chain, int i) {
        const auto s = ifo.SubpictureAttributes(i);
        const std::string code = LanguageCode(s[2], s[3]);
        const unsigned control = chain ? ifo.SubpictureControl(*chain, i + 1) : 0;
        return code + "|" + LanguageName(code) + "|[" + IdText(0x20 + (control & 0x1Fu)) + "]";
    });
}

std::optional<TitleExtent> DvdFolder::Extent(int vts, int pgc, int cell) const
{
    const auto source = OpenTitleSet(vts);
    if (!source || pgc < 1)
        return std::nullopt;
    const TitleSetIfo ifo(*source);
    if (pgc > ifo.ChainCount())
        return std::nullopt;
    // The cell list of a title set ends at the first chain without cells.
    std::optional<uint64_t> chain;
    for (int k = 1; k <= pgc; ++k) {
        chain = ifo.Chain(k);
        if (!chain || ifo.CellCount(*chain) == 0)
            return std::nullopt;
    }
    CellEntry entry;
    if (!ifo.Cell(*chain, cell, entry))
        return std::nullopt;
    if (vts > TitleSetCount())
        return std::nullopt;
    TitleExtent extent{0, 0, 0, VobFiles(files_, vts)};
    extent.startByte = static_cast<int64_t>(SectorToByte(entry.firstSector));
    extent.endByte = static_cast<int64_t>(SectorToByte(ifo.LastSector(entry.vobId, entry.cellId)));
    extent.duration = DurationSeconds(entry.time);
    return extent;
}

std::optional<TitleStart> DvdFolder::Start(int vts, int pgc, int cell) const
{
    auto extent = Extent(vts, pgc, cell);
    if (!extent)
        return std::nullopt;
    const auto place = extent->vobs.Locate(extent->startByte);
    if (!place)
        return std::nullopt;
    TitleStart start{std::move(*extent)};
    start.fileIndex = place->index;
    start.startOffset = place->offset;
    return start;
}

std::optional<TitleStart> DvdFolder::Location(int vts, int pgc, int cell) const
{
    auto location = Start(vts, pgc, cell);
    if (!location)
        return std::nullopt;
    const VobFiles& vobs = location->extent.vobs;
    bool holdsFirst = false;
    for (size_t i = location->fileIndex; i < vobs.Count(); ++i)
        holdsFirst = holdsFirst || vobs.Name(i) == VobFiles::FileName(1, 1);
    if (holdsFirst) {
        if (const auto first = Start(1, 1, 1))
            location->firstCellOffset = first->startOffset;
    }
    location->syncStartOffset = SyncStartOffset(vts);
    return location;
}

std::optional<int64_t> DvdFolder::VobuSync(const VobFiles& vobs, const VobFiles::Place& place,
                                           int audio, int subpicture,
                                           std::vector<std::unique_ptr<ByteSource>>& open) const
{
    std::unique_ptr<ByteSource>& vob = open[place.index];
    if (!vob)
        vob = files_.Open(vobs.Name(place.index));
    // Offsets below are from the first audio entry.
    const MemoryByteSource entries =
        NavSyncEntries(vob.get(), static_cast<uint64_t>(place.offset), audio, subpicture);
    uint32_t audioValue = 0;
    uint32_t subpictureValue = 0;
    for (int n = 0; n < audio; ++n) {
        audioValue = entries.U16(2 * static_cast<uint64_t>(n));
        if (audioValue == 0 || audioValue == 0x3FFF)
            return std::nullopt;
    }
    for (int n = 0; n < subpicture; ++n) {
        subpictureValue =
            entries.U32(kNavSubpictureSync - kNavAudioSync + 4 * static_cast<uint64_t>(n));
        if (subpictureValue == 0 || subpictureValue == 0x7FFFFFFF)
            return std::nullopt;
    }
    int64_t position = place.offset;
    for (size_t i = 0; i < place.index; ++i)
        position += vobs.Sizes()[i];
    // The top bit of a sync address says the pack lies before the VOBU.
    int64_t sectors = 0;
    bool before = false;
    if ((subpictureValue & 0x7FFFFFFFu) != 0) {
        sectors = subpictureValue & 0x7FFFFFFFu;
        before = (subpictureValue & 0x80000000u) != 0;
    } else if ((audioValue & 0x7FFFu) != 0) {
        sectors = audioValue & 0x7FFFu;
        before = (audioValue & 0x8000u) != 0;
    }
    const int64_t moved = sectors * static_cast<int64_t>(kSector);
    const int64_t result = before ? position - moved : position + moved;
    if (!vobs.Locate(result))
        return std::nullopt;
    return result;
}

int64_t DvdFolder::SyncStartOffset(int vts) const
{
    const auto start = Start(vts, 1, 1);
    const auto source = start ? OpenTitleSet(vts) : nullptr;
    if (!source)
        return 0;
    const TitleSetIfo ifo(*source);
    const int audio = std::min(ifo.AudioCount(), kNavAudioSlots);
    const int subpicture = std::min(ifo.SubpictureCount(), kNavSubpictureSlots);
    const VobFiles& vobs = start->extent.vobs;
    std::vector<std::unique_ptr<ByteSource>> open(vobs.Count());
    const uint64_t startSector = static_cast<uint64_t>(start->extent.startByte) / kSector;
    const uint32_t entries = ifo.VobuCount();
    uint32_t next = 0;
    uint64_t sector = 0;
    while (sector < startSector) {
        if (next >= entries)
            return 0;
        sector = ifo.VobuSector(next++);
    }
    for (;;) {
        const auto place = vobs.Locate(static_cast<int64_t>(sector * kSector));
        if (!place)
            return 0;
        if (const auto sync = VobuSync(vobs, *place, audio, subpicture, open))
            return *sync;
        if (next >= entries)
            return 0;
        sector = ifo.VobuSector(next++);
    }
}
