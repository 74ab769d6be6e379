// Writes the fuzz corpus seeds: title sets built in code, and the first
// VIDEO_TS folders given on the command line packed as FuzzDisc inputs.
//   dvd_fuzz_seeds <out-folder> [<folder holding VIDEO_TS> ...]
#include "FuzzDisc.h"
#include "IfoBuilder.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

std::string Read(const std::string& path, size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    bytes.resize(limit);
    in.read(&bytes[0], static_cast<std::streamsize>(limit));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

bool Write(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

ifo::TitleSet Crafted(int cells)
{
    ifo::TitleSet set;
    set.audio = {{0, 0, 6, "en"}, {2, 0, 2, "zh"}, {4, 1, 2, ""}};
    set.subpictureLanguages = {"en", "fr"};
    ifo::Chain chain;
    chain.programs = 2;
    chain.time = {0x01, 0x02, 0x03, 0x65};
    chain.audioControl = {0x8000, 0x8100, 0x8200};
    chain.subpictureControl = {0x80000000, 0x81000000};
    for (int j = 0; j < cells; ++j) {
        const uint32_t first = static_cast<uint32_t>(2 * j);
        chain.cells.push_back({{0, 0, 2, 0x12}, first, first + 1, static_cast<uint16_t>(1 + j), 1});
        set.vobus.push_back(first);
    }
    set.chains = {chain, chain};
    return set;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: dvd_fuzz_seeds <out-folder> [<dvd folder> ...]\n";
        return 2;
    }
    const std::string out = argv[1];
    const std::string vmg = ifo::BuildVideoManager(1, {{2, 1, 1}, {1, 1, 2}});
    std::string vob;
    for (int s = 0; s < 8; ++s)
        vob += ifo::NavPack({static_cast<uint16_t>(s ? 0x8001 : 0x3FFF), 1, 1},
                            {0x80000001, static_cast<uint32_t>(s)});
    bool ok = Write(out + "/crafted-small", FuzzDisc::Pack(vmg, ifo::BuildTitleSet(Crafted(3)).bytes, vob)) &&
              Write(out + "/crafted-wide", FuzzDisc::Pack(vmg, ifo::BuildTitleSet(Crafted(40)).bytes, vob));
    for (int i = 2; i < argc; ++i) {
        const std::string ts = std::string(argv[i]) + "/VIDEO_TS/";
        ok = Write(out + "/authored-" + std::to_string(i - 1),
                   FuzzDisc::Pack(Read(ts + "VIDEO_TS.IFO", 1 << 16), Read(ts + "VTS_01_0.IFO", 1 << 16),
                                  Read(ts + "VTS_01_1.VOB", 1 << 15))) && ok;
    }
    return ok ? 0 : 1;
}
