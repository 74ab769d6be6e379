#include "IfoBuilder.h"

#include <set>
#include <utility>

namespace ifo {
namespace {

constexpr uint64_t kSector = 2048;

void Grow(std::string& bytes, uint64_t size)
{
    if (bytes.size() < size)
        bytes.resize(size, '\0');
}

uint64_t PadToSector(std::string& bytes)
{
    Grow(bytes, (bytes.size() + kSector - 1) / kSector * kSector);
    return bytes.size();
}

void PutTime(std::string& bytes, uint64_t at, const Time& time)
{
    for (size_t i = 0; i < time.size(); ++i)
        Put8(bytes, at + i, time[i]);
}

void PutLanguage(std::string& bytes, uint64_t at, const std::string& language)
{
    for (size_t i = 0; i < 2 && i < language.size(); ++i)
        Put8(bytes, at + i, static_cast<uint8_t>(language[i]));
}

}  // namespace

void Put8(std::string& bytes, uint64_t at, uint32_t value)
{
    Grow(bytes, at + 1);
    bytes[at] = static_cast<char>(value & 0xFF);
}

void Put16(std::string& bytes, uint64_t at, uint32_t value)
{
    Put8(bytes, at, value >> 8);
    Put8(bytes, at + 1, value);
}

void Put32(std::string& bytes, uint64_t at, uint32_t value)
{
    Put16(bytes, at, value >> 16);
    Put16(bytes, at + 2, value);
}

TitleSetLayout BuildTitleSet(const TitleSet& set)
{
    TitleSetLayout out;
    std::string& b = out.bytes;
    b.assign("DVDVIDEO-VTS");
    Grow(b, kSector);
    Put8(b, 0x21, 0x11);
    Put16(b, 0x202, static_cast<uint32_t>(set.audio.size()));
    for (size_t i = 0; i < set.audio.size(); ++i) {
        const Audio& a = set.audio[i];
        const uint64_t at = 0x204 + 8 * i;
        Put8(b, at, static_cast<uint32_t>(a.mode << 5) | (a.language.empty() ? 0u : 4u));
        Put8(b, at + 1, static_cast<uint32_t>((a.rate & 3) << 4) | ((a.channels - 1) & 7u));
        PutLanguage(b, at + 2, a.language);
    }
    Put16(b, 0x254, static_cast<uint32_t>(set.subpictureLanguages.size()));
    for (size_t i = 0; i < set.subpictureLanguages.size(); ++i)
        PutLanguage(b, 0x256 + 6 * i + 2, set.subpictureLanguages[i]);

    // Chapter table: only its count is read.
    const uint64_t ptt = PadToSector(b);
    Put32(b, 0xC8, static_cast<uint32_t>(ptt / kSector));
    Put16(b, ptt, set.titles);
    Put32(b, ptt + 4, 7);

    // Program chains.
    const uint64_t pgci = PadToSector(b);
    out.chainTable = pgci;
    Put32(b, 0xCC, static_cast<uint32_t>(pgci / kSector));
    Put16(b, pgci, static_cast<uint32_t>(set.chains.size()));
    uint64_t offset = 8 + 8 * set.chains.size();
    for (size_t k = 0; k < set.chains.size(); ++k) {
        const Chain& c = set.chains[k];
        const uint64_t chain = pgci + offset;
        out.chains.push_back(chain);
        Put32(b, pgci + 8 + 8 * k, 0x81000000u | static_cast<uint32_t>((k + 1) << 16));
        Put32(b, pgci + 8 + 8 * k + 4, static_cast<uint32_t>(offset));
        Put8(b, chain + 2, c.programs);
        Put8(b, chain + 3, static_cast<uint32_t>(c.cells.size()));
        PutTime(b, chain + 4, c.time);
        for (size_t n = 0; n < c.audioControl.size(); ++n)
            Put16(b, chain + 0x0C + 2 * n, c.audioControl[n]);
        for (size_t n = 0; n < c.subpictureControl.size(); ++n)
            Put32(b, chain + 0x1C + 4 * n, c.subpictureControl[n]);
        const uint64_t playback = 0xEC;
        const uint64_t position = playback + 24 * c.cells.size();
        Put16(b, chain + 0xE8, c.cells.empty() ? 0 : static_cast<uint32_t>(playback));
        Put16(b, chain + 0xEA, c.cells.empty() ? 0 : static_cast<uint32_t>(position));
        Grow(b, chain + position);
        for (size_t j = 0; j < c.cells.size(); ++j) {
            const Cell& cell = c.cells[j];
            const uint64_t at = chain + playback + 24 * j;
            PutTime(b, at + 4, cell.time);
            Put32(b, at + 8, cell.firstSector);
            Put32(b, at + 0x14, cell.lastSector);
            Put16(b, chain + position + 4 * j, cell.vobId);
            Put8(b, chain + position + 4 * j + 3, cell.cellId);
        }
        offset += position + 4 * c.cells.size();
    }
    Put32(b, pgci + 4, static_cast<uint32_t>(offset - 1));

    // Cell addresses.
    std::vector<TitleSet::Address> addresses = set.addresses;
    if (set.addressesFromCells && addresses.empty()) {
        std::set<std::pair<uint16_t, uint8_t>> seen;
        for (const Chain& c : set.chains)
            for (const Cell& cell : c.cells)
                if (seen.insert({cell.vobId, cell.cellId}).second)
                    addresses.push_back({cell.vobId, cell.cellId, cell.firstSector, cell.lastSector});
    }
    const uint64_t cadt = PadToSector(b);
    out.cellAddresses = cadt;
    Put32(b, 0xE0, static_cast<uint32_t>(cadt / kSector));
    Put16(b, cadt, static_cast<uint32_t>(addresses.size()));
    Put32(b, cadt + 4, static_cast<uint32_t>(8 + 12 * addresses.size() - 1));
    for (size_t e = 0; e < addresses.size(); ++e) {
        const uint64_t at = cadt + 8 + 12 * e;
        Put16(b, at, addresses[e].vobId);
        Put8(b, at + 2, addresses[e].cellId);
        Put32(b, at + 4, addresses[e].firstSector);
        Put32(b, at + 8, addresses[e].lastSector);
    }
    Grow(b, cadt + 8 + 12 * addresses.size());

    // VOBU address map.
    const uint64_t map = PadToSector(b);
    out.vobuMap = map;
    Put32(b, 0xE4, static_cast<uint32_t>(map / kSector));
    Put32(b, map, static_cast<uint32_t>(4 + 4 * set.vobus.size() - 1));
    for (size_t j = 0; j < set.vobus.size(); ++j)
        Put32(b, map + 4 + 4 * j, set.vobus[j]);
    Grow(b, map + 4 + 4 * set.vobus.size());
    PadToSector(b);
    return out;
}

std::string BuildVideoManager(uint16_t titleSets, const std::vector<Title>& titles)
{
    std::string b("DVDVIDEO-VMG");
    Grow(b, kSector);
    Put8(b, 0x21, 0x11);
    const uint64_t tt = PadToSector(b);
    Put32(b, 0xC4, static_cast<uint32_t>(tt / kSector));
    Put16(b, tt, static_cast<uint32_t>(titles.size()));
    Put32(b, tt + 4, static_cast<uint32_t>(8 + 12 * titles.size() - 1));
    for (size_t t = 0; t < titles.size(); ++t) {
        const uint64_t at = tt + 8 + 12 * t;
        Put8(b, at, 0x3C);
        Put8(b, at + 1, 1);
        Put16(b, at + 2, titles[t].chapters);
        Put8(b, at + 6, titles[t].titleSet);
        Put8(b, at + 7, titles[t].titleInSet);
    }
    Grow(b, tt + 8 + 12 * titles.size());
    const uint64_t atrt = PadToSector(b);
    Put32(b, 0xD0, static_cast<uint32_t>(atrt / kSector));
    Put16(b, atrt, titleSets);
    Put32(b, atrt + 4, 7);
    Grow(b, atrt + 8);
    PadToSector(b);
    return b;
}

std::string NavPack(const std::vector<uint16_t>& audioSync,
                    const std::vector<uint32_t>& subpictureSync)
{
    std::string b(kSector, '\0');
    Put32(b, 0, 0x000001BA);
    for (size_t i = 0; i < audioSync.size(); ++i)
        Put16(b, 0x599 + 2 * i, audioSync[i]);
    for (size_t i = 0; i < subpictureSync.size(); ++i)
        Put32(b, 0x5A9 + 4 * i, subpictureSync[i]);
    return b;
}

}  // namespace ifo
