// The disc table over IFO files written by the test: field decoding, 64-bit
// positions, cell address matching, sync search, and hostile files.
#include "ZR_Dvd.h"

#include "CountingDiscFiles.h"
#include "DvdFolder.h"
#include "DvdTestUtil.h"
#include "IfoBuilder.h"
#include "MemoryDiscFiles.h"
#include "SparseTitleSet.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <climits>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <memory>

using dvdtest::TakeList;
using dvdtest::TakeText;

namespace {

constexpr int64_t kSector = 2048;

// Sanitizer builds run several times slower; a time limit scales with them.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSlowdown = 5;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kSlowdown = 5;
#else
constexpr int kSlowdown = 1;
#endif
#else
constexpr int kSlowdown = 1;
#endif

// The processor time this thread has used: a limit on work that a loaded
// machine does not stretch, as it does the wall clock.
std::chrono::nanoseconds ThreadCpuTime()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

struct ServiceDeleter {
    void operator()(DvdService* s) const { ZRFreeDvdService(s); }
};

struct LocationDeleter {
    void operator()(TitleLocation* l) const
    {
        if (!l)
            return;
        std::free(l->info->vobList);
        std::free(l->info->vobSizes);
        std::free(l->info);
        std::free(l);
    }
};
using Location = std::unique_ptr<TitleLocation, LocationDeleter>;

struct InfoDeleter {
    void operator()(TitleInfo* i) const
    {
        if (!i)
            return;
        std::free(i->vobList);
        std::free(i->vobSizes);
        std::free(i);
    }
};
using Info = std::unique_ptr<TitleInfo, InfoDeleter>;

// One title set: four audio streams, two subpicture streams, two chains;
// chain 1 has two cells in two VOBs that both call their cell 1.
ifo::TitleSet StandardSet()
{
    ifo::TitleSet set;
    set.titles = 2;
    set.audio = {{0, 0, 6, "en"}, {2, 0, 2, "zh"}, {4, 1, 2, ""}, {5, 2, 2, "fr"}};
    set.subpictureLanguages = {"en", "|x"};
    ifo::Chain one;
    one.programs = 2;
    one.time = {0x01, 0x02, 0x03, 0x65};
    one.audioControl = {0x8100, 0x8000, 0x8200, 0x8300};
    one.subpictureControl = {0x83000000, 0x80000000};
    one.cells.push_back({{0x00, 0x00, 0x10, 0x00}, 0, 99, 1, 1});
    one.cells.push_back({{0x00, 0x01, 0x05, 0x12}, 100, 199, 2, 1});
    ifo::Chain two;
    two.programs = 1;
    two.time = {0x00, 0x00, 0x20, 0x00};
    two.cells.push_back({{0x00, 0x00, 0x20, 0x00}, 200, 299, 3, 1});
    set.chains = {one, two};
    set.vobus = {0, 50, 100, 150, 200, 250};
    return set;
}

class IfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        service_.reset(ZRCreateDvdService());
        ASSERT_NE(service_, nullptr);
        root_ = dir_.path();
    }

    void WriteStandard(const ifo::TitleSet& set = StandardSet(), int64_t vobSize = 300 * kSector)
    {
        dvdtest::WriteDiscFile(root_, "VIDEO_TS.IFO",
                               ifo::BuildVideoManager(1, {{2, 1, 1}, {1, 1, 2}}));
        dvdtest::WriteDiscFile(root_, "VTS_01_0.IFO", ifo::BuildTitleSet(set).bytes);
        dvdtest::WriteSparse(Vob(1, 1), vobSize);
    }

    std::string Vob(int vts, int k) const
    {
        return root_ + "/VIDEO_TS/" + VobFiles::FileName(vts, k);
    }

    std::string Time(int vts, int pgc, int cell) const
    {
        return TakeText(service_->GetCellPlaybackTime(root_.c_str(), vts, pgc, cell));
    }

    std::vector<std::string> Audio(int vts) const { return Streams(service_->GetAudioStreams, vts); }
    std::vector<std::string> Subtitles(int vts) const
    {
        return Streams(service_->GetSubtitleStreams, vts);
    }

    // The lines of a stream-list slot; a null list must come with a count of 0.
    std::vector<std::string> Streams(char** (*slot)(const char*, int, int*), int vts) const
    {
        int count = -1;
        char** list = slot(root_.c_str(), vts, &count);
        if (!list) {
            EXPECT_EQ(count, 0);
        }
        return TakeList(list, count);
    }

    mvtest::TempDir dir_;
    std::string root_;
    std::unique_ptr<DvdService, ServiceDeleter> service_;
};

TEST_F(IfoTest, StreamTablesVersionTitleAndChapterCounts)
{
    WriteStandard();
    FILE* vmg = std::fopen((root_ + "/VIDEO_TS/VIDEO_TS.IFO").c_str(), "rb");
    ASSERT_NE(vmg, nullptr);
    std::fseek(vmg, 100, SEEK_SET);
    char version[8] = "xxxxxxx";
    service_->GetIfoVersion(version, sizeof version, vmg);
    EXPECT_STREQ(version, "1.1");
    EXPECT_EQ(std::ftell(vmg), 0);
    char cut[3];
    service_->GetIfoVersion(cut, 2, vmg);
    EXPECT_EQ(std::string(cut, 2), "1.");
    EXPECT_EQ(service_->GetTitleCount(vmg), 2);
    EXPECT_EQ(service_->GetTitleChapterCount(vmg, 1), 2);
    EXPECT_EQ(service_->GetTitleChapterCount(vmg, 2), 1);
    for (int title : {0, -1, 3, INT_MAX})
        EXPECT_EQ(service_->GetTitleChapterCount(vmg, title), 0) << title;
    char head[12];
    EXPECT_EQ(service_->ReadBytes(head, 12, vmg), vmg);
    EXPECT_EQ(std::string(head, 12), "DVDVIDEO-VMG");
    EXPECT_EQ(std::ftell(vmg), 0);
    std::fclose(vmg);
    EXPECT_EQ(service_->GetTitleCount(nullptr), 0);
    EXPECT_EQ(service_->ReadBytes(head, 12, nullptr), nullptr);

    EXPECT_EQ(service_->GetTitleSetCount(root_.c_str()), 1);
    EXPECT_EQ(service_->GetVtsTitleCount(root_.c_str(), 1), 2);
    EXPECT_TRUE(service_->IsDvdFolder((root_ + "/").c_str()));
    EXPECT_FALSE(service_->IsDvdFolder(root_.c_str()));
    EXPECT_FALSE(service_->IsDvdFolder(nullptr));
    EXPECT_EQ(service_->GetPgcProgramCount(root_.c_str(), 1, 1), 2);
}

TEST_F(IfoTest, PlaybackTimesAndStreamLines)
{
    WriteStandard();
    EXPECT_EQ(Time(1, 1, 0), "01:02:03.25");  // chain time, frame-rate bits masked
    EXPECT_EQ(Time(1, 1, -1), "01:02:03.25");
    EXPECT_EQ(Time(1, 1, 1), "00:00:10.00");
    EXPECT_EQ(Time(1, 1, 2), "00:01:05.12");
    EXPECT_EQ(Time(1, 2, 1), "00:00:20.00");
    EXPECT_EQ(Audio(1), (std::vector<std::string>{
                            "en|English|AC3|48kHz|6ch|[0x81]",
                            "zh|Chinese|Mpeg-1|48kHz|2ch|[0xc0]",
                            "|Unspecified|LPCM|96kHz|2ch|[0xa2]",
                            "fr|Unspecified|Unspecified|Unspecified|2ch|[0x00]",
                        }));
    // A language code holding the list's bar is left out of the line.
    EXPECT_EQ(Subtitles(1), (std::vector<std::string>{"en|English|[0x23]", "|Unspecified|[0x20]"}));

    ifo::TitleSet quiet = StandardSet();
    quiet.audio.clear();
    quiet.subpictureLanguages.clear();
    WriteStandard(quiet);
    EXPECT_TRUE(Audio(1).empty());
    EXPECT_TRUE(Subtitles(1).empty());
}

TEST_F(IfoTest, CellsMatchTheirAddressesByVobAndCellId)
{
    WriteStandard();
    struct Case {
        int pgc, cell;
        int64_t start, end, duration;
    } cases[] = {
        {1, 1, 0, 99 * kSector, 10},
        {1, 2, 100 * kSector, 199 * kSector, 66},  // frames round up
        {2, 1, 200 * kSector, 299 * kSector, 20},
    };
    for (const Case& c : cases) {
        Info info(service_->GetTitleInfo(root_.c_str(), 1, c.pgc, c.cell));
        ASSERT_NE(info, nullptr) << c.pgc << "/" << c.cell;
        EXPECT_EQ(info->startByte, c.start);
        EXPECT_EQ(info->endByte, c.end);
        EXPECT_EQ(info->duration, c.duration);
        EXPECT_EQ(info->vobCount, 1);
        EXPECT_EQ(std::string(info->vobList), Vob(1, 1));
        EXPECT_EQ(info->vobSizes[0], 300 * kSector);
    }
}

TEST_F(IfoTest, PositionsPastFourGibMapToTheRightFileAndOffset)
{
    constexpr int64_t kVobSize = 1073709056;  // 524272 sectors, as authoring tools cut them
    constexpr uint32_t kStart = 2200000;      // byte 4505600000
    ifo::TitleSet set = StandardSet();
    set.audio = {{0, 0, 2, "en"}};
    set.subpictureLanguages = {"en"};
    set.chains[0].cells[0] = {{0, 0, 0x10, 0}, kStart, kStart + 4000, 1, 1};
    set.vobus = {0, 1000, kStart - 10, kStart, kStart + 100};
    const int64_t start = int64_t{kStart} * kSector;
    const int64_t inFile = start - 4 * kVobSize;
    WriteStandard(set, kVobSize);
    for (int k = 2; k <= 4; ++k)
        dvdtest::WriteSparse(Vob(1, k), kVobSize);
    // The VOBU at the start: audio in sync 2 sectors back, subpicture 5 ahead.
    dvdtest::WriteSparse(Vob(1, 5), kVobSize, inFile, ifo::NavPack({0x8002}, {0x00000005}));

    Location location(service_->GetTitleLocation(root_.c_str(), 1, 1, 1));
    ASSERT_NE(location, nullptr);
    EXPECT_EQ(location->info->startByte, start);
    EXPECT_EQ(location->info->endByte, int64_t{kStart + 4000} * kSector);
    EXPECT_EQ(location->info->vobCount, 5);
    EXPECT_EQ(std::string(location->vobPath), Vob(1, 5));
    EXPECT_EQ(location->startOffset, inFile);
    EXPECT_EQ(location->syncStartOffset, start + 5 * kSector);
    EXPECT_EQ(location->firstCellOffset, 0);  // VTS_01_1.VOB is not from vobPath on

    TitleInfo* info = location->info;
    int index = -1;
    EXPECT_EQ(LocateVobPosition(&info, &index, start), inFile);
    EXPECT_EQ(index, 4);
    EXPECT_EQ(LocateVobPosition(&info, &index, kVobSize), 0);  // a file's end is the next's start
    EXPECT_EQ(index, 1);
    EXPECT_EQ(LocateVobPosition(&info, &index, 5 * kVobSize), 0);
    EXPECT_EQ(index, 5);
    EXPECT_EQ(LocateVobPosition(&info, &index, -1), 0);
    EXPECT_EQ(index, 5);
    EXPECT_EQ(LocateVobPosition(nullptr, &index, 0), 0);
    EXPECT_EQ(index, 0);
}

TEST_F(IfoTest, FirstCellOffsetOnlyForTheFileItself)
{
    ifo::TitleSet set = StandardSet();
    set.chains[0].cells[0].firstSector = 3;
    WriteStandard(set);
    // VTS_01_10.VOB exists in name only through the root; it must not count.
    Location location(service_->GetTitleLocation(root_.c_str(), 1, 1, 1));
    ASSERT_NE(location, nullptr);
    EXPECT_EQ(location->firstCellOffset, 3 * kSector);
    EXPECT_EQ(location->vobPath, location->info->vobList);

    // A root whose own name holds the text, and a start in VTS_01_6.VOB with
    // VTS_01_10.VOB after it: neither is the first file.
    mvtest::TempDir other;
    const std::string root = other / "VTS_01_1.VOB";
    dvdtest::WriteDiscFile(root, "VIDEO_TS.IFO", ifo::BuildVideoManager(1, {{1, 1, 1}}));
    dvdtest::WriteDiscFile(root, "VTS_01_0.IFO", ifo::BuildTitleSet(set).bytes);
    for (int k = 1; k <= 10; ++k)
        dvdtest::WriteSparse(root + "/VIDEO_TS/" + VobFiles::FileName(1, k), 20 * kSector);
    Location later(service_->GetTitleLocation(root.c_str(), 1, 1, 2));
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->info->vobCount, 10);
    EXPECT_EQ(std::string(later->vobPath).substr(0, root.size()), root);
    EXPECT_EQ(std::string(later->vobPath).find(VobFiles::FileName(1, 6)),
              root.size() + std::string("/VIDEO_TS/").size());
    EXPECT_EQ(later->startOffset, 0);
    EXPECT_EQ(later->firstCellOffset, 0);
}

TEST_F(IfoTest, VobListsJoinTheFilesUpToTheHundredth)
{
    WriteStandard();
    for (int k = 2; k <= 3; ++k)
        dvdtest::WriteSparse(Vob(1, k), (100 + k) * kSector);
    Info three(service_->GetTitleInfo(root_.c_str(), 1, 1, 1));
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(std::string(three->vobList), Vob(1, 1) + "|" + Vob(1, 2) + "|" + Vob(1, 3));
    EXPECT_EQ(std::vector<int64_t>(three->vobSizes, three->vobSizes + 3),
              (std::vector<int64_t>{300 * kSector, 102 * kSector, 103 * kSector}));
    // A gap ends the list; so does the hundredth file.
    dvdtest::WriteSparse(Vob(1, 5), kSector);
    Info gap(service_->GetTitleInfo(root_.c_str(), 1, 1, 1));
    EXPECT_EQ(gap->vobCount, 3);
    for (int k = 4; k <= 101; ++k)
        dvdtest::WriteSparse(Vob(1, k), kSector);
    Info hundred(service_->GetTitleInfo(root_.c_str(), 1, 1, 1));
    EXPECT_EQ(hundred->vobCount, 100);
    EXPECT_EQ(std::string(hundred->vobList).substr(std::string(hundred->vobList).rfind('|') + 1),
              Vob(1, 100));
}

TEST_F(IfoTest, AChainWithoutCellsEndsTheCellList)
{
    ifo::TitleSet set = StandardSet();
    ifo::Chain empty;
    set.chains.insert(set.chains.begin() + 1, empty);  // chains: 2 cells, none, 1 cell
    WriteStandard(set);
    EXPECT_NE(Info(service_->GetTitleInfo(root_.c_str(), 1, 1, 2)), nullptr);
    EXPECT_EQ(service_->GetTitleInfo(root_.c_str(), 1, 2, 1), nullptr);
    EXPECT_EQ(service_->GetTitleInfo(root_.c_str(), 1, 3, 1), nullptr);
    // Times and program counts read each chain by itself.
    EXPECT_EQ(Time(1, 3, 1), "00:00:20.00");
    EXPECT_EQ(Time(1, 2, 0), "00:00:00.00");
    EXPECT_EQ(Time(1, 2, 1), "00:00:00.00");
}

// The sync search over an in-memory title set: 12 sectors of VOB data with
// navigation packs at chosen VOBUs, the cell starting at sector 2.
class SyncSearch : public ::testing::Test {
protected:
    int64_t Search(const std::vector<std::pair<uint32_t, std::string>>& packs, int audio,
                   int subpicture, uint32_t mapEnd = 0, int vts = 1)
    {
        ifo::TitleSet set = StandardSet();
        set.audio.resize(static_cast<size_t>(audio), ifo::Audio{0, 0, 2, "en"});
        set.subpictureLanguages.assign(static_cast<size_t>(subpicture), "en");
        set.chains[0].cells[0].firstSector = 2;
        set.vobus = {0, 2, 4, 6, 8};
        ifo::TitleSetLayout layout = ifo::BuildTitleSet(set);
        if (mapEnd)
            ifo::Put32(layout.bytes, layout.vobuMap, mapEnd);
        std::string vob(12 * kSector, '\0');
        for (const auto& [sector, pack] : packs)
            vob.replace(sector * kSector, pack.size(), pack);
        MemoryDiscFiles files;
        files.Add("VIDEO_TS.IFO", ifo::BuildVideoManager(2, {{1, 1, 1}}));
        files.Add(DvdFolder::IfoName(vts), layout.bytes);
        files.Add(VobFiles::FileName(vts, 1), vob);
        if (vts != 1) {
            // Title set 1 has no streams and other data: it must not be used.
            ifo::TitleSet first = StandardSet();
            first.audio.clear();
            first.subpictureLanguages.clear();
            files.Add(DvdFolder::IfoName(1), ifo::BuildTitleSet(first).bytes);
            files.Add(VobFiles::FileName(1, 1), std::string(30 * kSector, '\0'));
        }
        return DvdFolder(files).SyncStartOffset(vts);
    }
};

TEST_F(SyncSearch, FollowsTheSyncAddressDirection)
{
    using ifo::NavPack;
    const std::string none = NavPack({0x3FFF}, {0x7FFFFFFF});
    struct Case {
        const char* what;
        std::vector<std::pair<uint32_t, std::string>> packs;
        int audio, subpicture;
        int64_t expected;
    } cases[] = {
        {"no streams: the first VOBU at the start", {}, 0, 0, 2 * kSector},
        {"subpicture before", {{2, none}, {4, NavPack({1}, {0x80000003})}}, 1, 1, 1 * kSector},
        {"subpicture after", {{2, NavPack({1}, {0x00000003})}}, 1, 1, 5 * kSector},
        {"audio before", {{2, NavPack({0x8001}, {})}}, 1, 0, 1 * kSector},
        {"audio after", {{2, NavPack({0x0002}, {})}}, 1, 0, 4 * kSector},
        {"one of two audio streams lost", {{2, NavPack({1, 0x3FFF}, {})}, {4, NavPack({1, 1}, {})}},
         2, 0, 5 * kSector},
        {"never before the data's start", {{2, NavPack({}, {0x80000009})}, {4, NavPack({}, {0x80000001})}},
         0, 1, 3 * kSector},
        {"nothing in sync", {{2, none}, {4, none}, {6, none}, {8, none}}, 1, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Search(c.packs, c.audio, c.subpicture), c.expected) << c.what;
}

TEST_F(SyncSearch, UsesTheAskedTitleSetAndEndsAtTheMap)
{
    const std::string none = ifo::NavPack({0x3FFF}, {});
    EXPECT_EQ(Search({{2, none}, {4, ifo::NavPack({0x0001}, {})}}, 1, 0, 0, 2), 5 * kSector);
    // An end address far past the file: the walk stops at the file's end.
    EXPECT_EQ(Search({{2, none}, {4, none}, {6, none}, {8, none}}, 1, 0, 0xFFFFFFFF), 0);
}

// Packs far apart: the search reads the sync entries of each pack it
// examines, not a cache block per pack. 600 packs over three VOB files of
// 64 MiB, the last one in sync.
TEST(SyncSearchReads, OnlyWhatThePacksHold)
{
    mvtest::TempDir dir;
    const SparseTitleSet set(dir.path(), 3, 32768, 600);
    CountingDiscFiles files(dir.path());
    EXPECT_EQ(DvdFolder(files).SyncStartOffset(1), set.Expected());
    EXPECT_GT(files.VobBytesRead(), 0u);
    EXPECT_LE(files.VobBytesRead(), static_cast<uint64_t>(set.Vobus()) * 2 * kSector);

    std::unique_ptr<DvdService, ServiceDeleter> service(ZRCreateDvdService());
    EXPECT_EQ(service->GetSyncStartOffset(dir.path().c_str(), 1), set.Expected());
}

// Hostile files: every answer neutral, nothing read outside the file.
TEST_F(IfoTest, HostileTablesGiveNeutralAnswers)
{
    const ifo::TitleSetLayout good = ifo::BuildTitleSet(StandardSet());
    struct Patch {
        const char* what;
        uint64_t at;
        int width;
        uint32_t value;
    };
    const uint64_t chain = good.chains[0];
    const Patch patches[] = {
        {"chain table past the end", 0xCC, 4, 0x00FFFFFF},
        {"chain table at the top sector", 0xCC, 4, 0xFFFFFFFF},
        {"chain count with no pointers", good.chainTable, 2, 0xFFFF},
        {"chain offset past the end", good.chainTable + 12, 4, 0xFFFFFFF0},
        {"cell count with no cells", chain + 3, 1, 255},
        {"cell table past the end", chain + 0xE8, 2, 0xFFFF},
        {"cell positions past the end", chain + 0xEA, 2, 0xFFFF},
        {"audio count with no attributes", 0x202, 2, 0xFFFF},
        {"subpicture count with no attributes", 0x254, 2, 0xFFFF},
        {"cell addresses past the end", 0xE0, 4, 0x7FFFFFFF},
        {"cell address end past the file", good.cellAddresses + 4, 4, 0xFFFFFFFF},
        {"VOBU map past the end", 0xE4, 4, 0xFFFFFFFF},
        {"VOBU map end past the file", good.vobuMap, 4, 0xFFFFFFFF},
    };
    for (const Patch& p : patches) {
        SCOPED_TRACE(p.what);
        std::string bytes = good.bytes;
        if (p.width == 1)
            ifo::Put8(bytes, p.at, p.value);
        else if (p.width == 2)
            ifo::Put16(bytes, p.at, p.value);
        else
            ifo::Put32(bytes, p.at, p.value);
        dvdtest::WriteDiscFile(root_, "VIDEO_TS.IFO", ifo::BuildVideoManager(1, {{1, 1, 1}}));
        dvdtest::WriteDiscFile(root_, "VTS_01_0.IFO", bytes);
        dvdtest::WriteSparse(Vob(1, 1), 300 * kSector);
        for (int pgc : {1, 2})
            for (int cell : {0, 1, 2, 255})
                EXPECT_EQ(Time(1, pgc, cell).size(), 11u);
        (void)Audio(1);
        (void)Subtitles(1);
        Info(service_->GetTitleInfo(root_.c_str(), 1, 1, 2));
        Location(service_->GetTitleLocation(root_.c_str(), 1, 2, 1));
        EXPECT_GE(service_->GetSyncStartOffset(root_.c_str(), 1), 0);
        EXPECT_GE(service_->GetPgcProgramCount(root_.c_str(), 1, 2), 0);
    }
    // Cut short at every length: nothing is read past the end.
    for (size_t length = 0; length < good.bytes.size(); length += 97) {
        dvdtest::WriteDiscFile(root_, "VTS_01_0.IFO", good.bytes.substr(0, length));
        const std::string time = Time(1, 1, 2);
        EXPECT_TRUE(time == "00:01:05.12" || time == "00:00:00.00") << length;
        Info(service_->GetTitleInfo(root_.c_str(), 1, 1, 2));
    }
}

TEST_F(IfoTest, OutOfRangeArgumentsAndMissingFiles)
{
    WriteStandard();
    const char* root = root_.c_str();
    for (int bad : {0, -1, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(Time(bad, 1, 1), "00:00:00.00");
        EXPECT_EQ(Time(1, bad, 1), "00:00:00.00");
        EXPECT_EQ(service_->GetVtsTitleCount(root, bad), 0);
        EXPECT_EQ(service_->GetPgcProgramCount(root, 1, bad), 0);
        EXPECT_EQ(service_->GetPgcProgramCount(root, bad, 1), 0);
        EXPECT_TRUE(Audio(bad).empty());
        EXPECT_TRUE(Subtitles(bad).empty());
        EXPECT_EQ(service_->GetTitleInfo(root, bad, 1, 1), nullptr);
        EXPECT_EQ(service_->GetTitleInfo(root, 1, bad, 1), nullptr);
        EXPECT_EQ(service_->GetTitleInfo(root, 1, 1, bad), nullptr);
        EXPECT_EQ(service_->GetTitleLocation(root, 1, 1, bad), nullptr);
        EXPECT_EQ(service_->GetSyncStartOffset(root, bad), 0);
    }
    EXPECT_EQ(Time(1, 1, INT_MAX), "00:00:00.00");
    EXPECT_EQ(Time(1, 3, 1), "00:00:00.00");
    EXPECT_EQ(service_->GetTitleInfo(root, 1, 3, 1), nullptr);

    EXPECT_EQ(service_->GetTitleSetCount(nullptr), 0);
    EXPECT_EQ(TakeText(service_->GetCellPlaybackTime(nullptr, 1, 1, 1)), "00:00:00.00");
    EXPECT_EQ(service_->GetAudioStreams(nullptr, 1, nullptr), nullptr);
    EXPECT_EQ(service_->GetAudioStreams(root, 1, nullptr), nullptr) << "no count pointer";
    EXPECT_EQ(service_->GetTitleLocation(nullptr, 1, 1, 1), nullptr);
    EXPECT_EQ(service_->GetSyncStartOffset(nullptr, 1), 0);

    // VOB data missing, empty, or a folder of that name.
    std::filesystem::remove(Vob(1, 1));
    Info noFiles(service_->GetTitleInfo(root, 1, 1, 1));
    ASSERT_NE(noFiles, nullptr);
    EXPECT_EQ(noFiles->vobCount, 0);
    EXPECT_STREQ(noFiles->vobList, "");
    EXPECT_EQ(service_->GetTitleLocation(root, 1, 1, 1), nullptr);
    EXPECT_EQ(service_->GetSyncStartOffset(root, 1), 0);
    dvdtest::WriteSparse(Vob(1, 1), 0);
    EXPECT_EQ(service_->GetTitleLocation(root, 1, 1, 1), nullptr);
    EXPECT_EQ(service_->GetSyncStartOffset(root, 1), 0);
    std::filesystem::remove(Vob(1, 1));
    std::filesystem::create_directory(Vob(1, 1));
    EXPECT_EQ(service_->GetTitleLocation(root, 1, 1, 1), nullptr);
    std::filesystem::create_directories(root_ + "/VIDEO_TS/VTS_02_0.IFO");
    EXPECT_EQ(Time(2, 1, 1), "00:00:00.00");
    EXPECT_EQ(service_->GetVtsTitleCount(root, 2), 0);
    // A FIFO in place of a file is never opened for a blocking read.
    std::filesystem::remove(Vob(1, 1));
    ASSERT_EQ(mkfifo((root_ + "/VIDEO_TS/VTS_01_0.IFO.fifo").c_str(), 0600), 0);
    std::filesystem::rename(root_ + "/VIDEO_TS/VTS_01_0.IFO.fifo", root_ + "/VIDEO_TS/VTS_01_0.IFO");
    ASSERT_EQ(mkfifo(Vob(1, 1).c_str(), 0600), 0);
    EXPECT_EQ(Time(1, 1, 1), "00:00:00.00");
    EXPECT_EQ(service_->GetTitleInfo(root, 1, 1, 1), nullptr);
    EXPECT_EQ(service_->GetSyncStartOffset(root, 1), 0);
}

TEST_F(IfoTest, ManyChainsOnOneFullChainAnswerQuickly)
{
    // 65535 search pointers all naming one chain of 255 cells.
    ifo::TitleSet set = StandardSet();
    ifo::Chain full;
    for (int j = 0; j < 255; ++j)
        full.cells.push_back({{0, 0, 1, 0}, static_cast<uint32_t>(j), static_cast<uint32_t>(j),
                              static_cast<uint16_t>(1 + j % 7), static_cast<uint8_t>(1 + j)});
    set.chains = {full};
    ifo::TitleSetLayout layout = ifo::BuildTitleSet(set);
    const uint32_t offset = static_cast<uint32_t>(layout.chains[0] - layout.chainTable);
    std::string bytes = layout.bytes.substr(0, layout.chainTable);
    std::string table;
    ifo::Put16(table, 0, 0xFFFF);
    for (uint32_t k = 0; k < 0xFFFF; ++k)
        ifo::Put32(table, 8 + 8 * k + 4, offset + 8 * 0xFFFE);
    table += layout.bytes.substr(layout.chains[0]);
    bytes += table;
    WriteStandard();
    dvdtest::WriteDiscFile(root_, "VTS_01_0.IFO", bytes);
    const auto begin = ThreadCpuTime();
    Info info(service_->GetTitleInfo(root_.c_str(), 1, 0xFFFF, 255));
    Location location(service_->GetTitleLocation(root_.c_str(), 1, 0xFFFF, 200));
    (void)Time(1, 0xFFFF, 255);
    (void)service_->GetSyncStartOffset(root_.c_str(), 1);
    const auto spent = ThreadCpuTime() - begin;
    EXPECT_LT(spent, std::chrono::milliseconds(500) * kSlowdown);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->startByte, 254 * kSector);
}

}  // namespace
