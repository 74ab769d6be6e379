#include "SparseTitleSet.h"

#include "DvdTestUtil.h"
#include "IfoBuilder.h"

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

namespace {

constexpr int64_t kSector = 2048;

}  // namespace

SparseTitleSet::SparseTitleSet(const std::string& root, int files, int64_t fileSectors, int vobus)
    : vobus_(vobus)
{
    const int64_t total = files * fileSectors;
    const int64_t spacing = total / vobus;
    ifo::TitleSet set;
    set.audio = {{0, 0, 2, "en"}};
    ifo::Chain chain;
    chain.cells.push_back({{0x01, 0x00, 0x00, 0x00}, 0, static_cast<uint32_t>(total - 1), 1, 1});
    set.chains = {chain};
    for (int i = 0; i < vobus; ++i)
        set.vobus.push_back(static_cast<uint32_t>(i * spacing));
    dvdtest::WriteDiscFile(root, "VIDEO_TS.IFO", ifo::BuildVideoManager(1, {{1, 1, 1}}));
    dvdtest::WriteDiscFile(root, "VTS_01_0.IFO", ifo::BuildTitleSet(set).bytes);

    const std::string lost = ifo::NavPack({0x3FFF}, {});
    const std::string last = ifo::NavPack({0x8002}, {});
    for (int k = 1; k <= files; ++k) {
        vobPaths_.push_back(root + "/VIDEO_TS/VTS_01_" + std::to_string(k) + ".VOB");
        dvdtest::WriteSparse(vobPaths_.back(), fileSectors * kSector);
    }
    std::vector<int> fds;
    for (const std::string& path : vobPaths_)
        fds.push_back(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    for (int i = 0; i < vobus; ++i) {
        const int64_t sector = i * spacing;
        const std::string& pack = i + 1 == vobus ? last : lost;
        const int fd = fds[static_cast<size_t>(sector / fileSectors)];
        const off_t at = static_cast<off_t>((sector % fileSectors) * kSector);
        if (fd < 0 || ::pwrite(fd, pack.data(), pack.size(), at) != static_cast<ssize_t>(pack.size()))
            throw std::runtime_error("cannot write the navigation packs");
    }
    for (int fd : fds)
        ::close(fd);
    expected_ = ((vobus - 1) * spacing - 2) * kSector;
}
