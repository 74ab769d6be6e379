// The disc table over DVD-Video folders authored here with ffmpeg, spumux and
// dvdauthor, checked against libdvdread and ffprobe.
#include "ZR_Dvd.h"

#include "DvdTestUtil.h"
#include "TestSupport.h"

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>

using dvdtest::TakeList;
using dvdtest::TakeText;
namespace fs = std::filesystem;

namespace {

constexpr int64_t kSector = 2048;

bool Ok(const mvtest::RunResult& r, const std::string& what)
{
    if (r.status != 0)
        ADD_FAILURE() << what << " failed: " << r.err.substr(r.err.size() > 2000 ? r.err.size() - 2000 : 0);
    return r.status == 0;
}

// An NTSC clip with AC3 stereo, MPEG audio, LPCM and AC3 5.1, or a PAL clip
// with MPEG audio and AC3.
bool Encode(const std::string& out, bool ntsc, int seconds)
{
    const std::string d = std::to_string(seconds);
    std::vector<std::string> argv = {"ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                                     ntsc ? "testsrc=size=720x480:rate=30000/1001:duration=" + d
                                          : "testsrc=size=720x576:rate=25:duration=" + d};
    const int audio = ntsc ? 4 : 2;
    for (int a = 0; a < audio; ++a) {
        argv.insert(argv.end(), {"-f", "lavfi", "-i",
                                 "sine=f=" + std::to_string(300 + 100 * a) + ":r=48000:d=" + d});
    }
    argv.insert(argv.end(), {"-map", "0:v"});
    for (int a = 0; a < audio; ++a)
        argv.insert(argv.end(), {"-map", std::to_string(a + 1) + ":a"});
    argv.insert(argv.end(), {"-target", ntsc ? "ntsc-dvd" : "pal-dvd", "-b:v", "1500k"});
    if (ntsc) {
        argv.insert(argv.end(), {"-c:a:0", "ac3", "-ac:a:0", "2", "-b:a:0", "192k",
                                 "-c:a:1", "mp2", "-ac:a:1", "2", "-b:a:1", "192k",
                                 "-c:a:2", "pcm_dvd", "-ac:a:2", "2",
                                 "-c:a:3", "ac3", "-ac:a:3", "6", "-b:a:3", "384k"});
    } else {
        argv.insert(argv.end(), {"-c:a:0", "mp2", "-ac:a:0", "2", "-b:a:0", "192k",
                                 "-c:a:1", "ac3", "-ac:a:1", "2", "-b:a:1", "192k"});
    }
    argv.push_back(out);
    return Ok(mvtest::Run(argv), "ffmpeg " + out);
}

// Adds two subtitle streams to a program stream with spumux (which reads
// standard input, so it runs under sh with the file names as arguments).
bool AddSubtitles(const std::string& dir, const std::string& in, const std::string& out)
{
    const std::string picture = dir + "/sub.png";
    if (!mvtest::FileExists(picture) &&
        !Ok(mvtest::Run({"ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                         "color=c=black@0.0:s=720x480,format=rgba,"
                         "drawbox=x=100:y=400:w=200:h=40:color=white@1.0:t=fill",
                         "-frames:v", "1", picture}),
            "subtitle picture"))
        return false;
    mvtest::WriteFile(dir + "/sub.xml",
                      "<subpictures><stream><spu start=\"00:00:00.50\" end=\"00:00:02.00\" image=\"" +
                          picture + "\"/></stream></subpictures>");
    const std::string script = "spumux -s 0 \"$1\" < \"$2\" > \"$3.tmp\" && "
                               "spumux -s 1 \"$1\" < \"$3.tmp\" > \"$3\"";
    return Ok(mvtest::Run({"sh", "-c", script, "sh", dir + "/sub.xml", in, out}), "spumux");
}

class AuthoredDisc : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!mvtest::HaveProgram("dvdauthor") || !mvtest::HaveProgram("spumux"))
            return;
        dir_ = new mvtest::TempDir;
        const std::string d = dir_->path();
        bool ok = Encode(d + "/a0.mpg", true, 6) && Encode(d + "/c0.mpg", true, 3) &&
                  Encode(d + "/p.mpg", false, 4) && AddSubtitles(d, d + "/a0.mpg", d + "/a.mpg") &&
                  AddSubtitles(d, d + "/c0.mpg", d + "/c.mpg");
        if (!ok)
            return;
        fs::copy_file(d + "/c.mpg", d + "/d.mpg");
        fs::copy_file(d + "/c.mpg", d + "/e.mpg");
        fs::copy_file(d + "/p.mpg", d + "/q.mpg");
        mvtest::WriteFile(d + "/dvd.xml", R"(<dvdauthor dest=")" + d + R"(/disc">
 <vmgm><menus><video format="ntsc"/></menus></vmgm>
 <titleset>
  <titles>
   <audio lang="en"/><audio lang="zh"/><audio lang="fr"/><audio lang="de"/>
   <subpicture lang="en"/><subpicture lang="zh"/>
   <pgc><vob file=")" + d + R"(/a.mpg" chapters="0,0:02,0:04"/></pgc>
   <pgc><vob file=")" + d + R"(/c.mpg"/><vob file=")" + d + R"(/d.mpg"/></pgc>
   <pgc><vob file=")" + d + R"(/e.mpg"><cell start="0" end="1.2" chapter="1"/><cell start="1.2" end="2" chapter="0"/><cell start="2" chapter="1"/></vob></pgc>
  </titles>
 </titleset>
 <titleset>
  <titles>
   <audio lang="zh"/><audio lang="en"/>
   <pgc><vob file=")" + d + R"(/p.mpg" chapters="0,0:01,0:03"/></pgc>
   <pgc><vob file=")" + d + R"(/q.mpg"/></pgc>
  </titles>
 </titleset>
</dvdauthor>
)");
        ready_ = Ok(mvtest::Run({"dvdauthor", "-x", d + "/dvd.xml"}), "dvdauthor");
    }

    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }

    void SetUp() override
    {
        if (!mvtest::HaveProgram("dvdauthor") || !mvtest::HaveProgram("spumux"))
            GTEST_SKIP() << "dvdauthor or spumux is not installed";
        ASSERT_TRUE(ready_) << "the disc could not be authored";
        root_ = dir_->path() + "/disc";
        service_ = ZRCreateDvdService();
        reader_ = DVDOpen(root_.c_str());
        ASSERT_NE(reader_, nullptr);
        vmg_ = ifoOpen(reader_, 0);
        ASSERT_NE(vmg_, nullptr);
    }

    void TearDown() override
    {
        if (vmg_)
            ifoClose(vmg_);
        if (reader_)
            DVDClose(reader_);
        ZRFreeDvdService(service_);
    }

    std::string Vob(int vts, int k) const
    {
        char name[64];
        std::snprintf(name, sizeof name, "/VIDEO_TS/VTS_%.2d_%d.VOB", vts % 100, k % 1000);
        return root_ + name;
    }

    // Stream ids of a VOB as ffprobe reports them, low byte of the MPEG id.
    std::set<std::string> ProbedIds(const std::string& vob, const std::string& type) const
    {
        const auto r = mvtest::Run({"ffprobe", "-v", "error", "-select_streams", type,
                                    "-show_entries", "stream=id", "-of", "csv=p=0", vob});
        std::set<std::string> ids;
        std::istringstream in(r.out);
        for (std::string line; std::getline(in, line);) {
            if (line.empty())
                continue;
            char text[8];
            std::snprintf(text, sizeof text, "0x%.2lx", std::stol(line, nullptr, 16) & 0xFF);
            ids.insert(text);
        }
        return ids;
    }

    static std::string TimeText(const dvd_time_t& t)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%.2x:%.2x:%.2x.%.2x", t.hour, t.minute, t.second,
                      t.frame_u & 0x3F);
        return text;
    }

    static int64_t Seconds(const dvd_time_t& t)
    {
        const auto bcd = [](unsigned v) { return int64_t((v >> 4) * 10 + (v & 15)); };
        return bcd(t.hour) * 3600 + bcd(t.minute) * 60 + bcd(t.second) + ((t.frame_u & 0x3F) ? 1 : 0);
    }

    static mvtest::TempDir* dir_;
    static bool ready_;
    std::string root_;
    DvdService* service_ = nullptr;
    dvd_reader_t* reader_ = nullptr;
    ifo_handle_t* vmg_ = nullptr;
};

mvtest::TempDir* AuthoredDisc::dir_ = nullptr;
bool AuthoredDisc::ready_ = false;

TEST_F(AuthoredDisc, TitlesChaptersAndTitleSetsAgreeWithLibdvdread)
{
    const char* root = root_.c_str();
    ASSERT_EQ(service_->GetTitleSetCount(root), 2);
    EXPECT_EQ(service_->GetTitleSetCount(root), vmg_->vts_atrt->nr_of_vtss);
    EXPECT_TRUE(service_->IsDvdFolder((root_ + "/").c_str()));
    FILE* stream = std::fopen((root_ + "/VIDEO_TS/VIDEO_TS.IFO").c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    ASSERT_EQ(service_->GetTitleCount(stream), vmg_->tt_srpt->nr_of_srpts);
    EXPECT_EQ(service_->GetTitleCount(stream), 5);
    for (int t = 1; t <= vmg_->tt_srpt->nr_of_srpts; ++t)
        EXPECT_EQ(service_->GetTitleChapterCount(stream, t), vmg_->tt_srpt->title[t - 1].nr_of_ptts) << t;
    char version[8];
    service_->GetIfoVersion(version, sizeof version, stream);
    EXPECT_EQ(std::string(version), std::to_string(vmg_->vmgi_mat->specification_version >> 4) + "." +
                                        std::to_string(vmg_->vmgi_mat->specification_version & 15));
    std::fclose(stream);
}

TEST_F(AuthoredDisc, ChainsCellsAndExtentsAgreeWithLibdvdread)
{
    const char* root = root_.c_str();
    int checkedCells = 0;
    for (int vts = 1; vts <= vmg_->vts_atrt->nr_of_vtss; ++vts) {
        ifo_handle_t* ifo = ifoOpen(reader_, vts);
        ASSERT_NE(ifo, nullptr);
        EXPECT_EQ(service_->GetVtsTitleCount(root, vts), ifo->vts_ptt_srpt->nr_of_srpts);
        int titlesInSet = 0;
        for (int t = 0; t < vmg_->tt_srpt->nr_of_srpts; ++t)
            titlesInSet += vmg_->tt_srpt->title[t].title_set_nr == vts;
        EXPECT_EQ(service_->GetVtsTitleCount(root, vts), titlesInSet);
        int64_t total = 0;
        std::vector<int64_t> sizes;
        for (int k = 1; fs::exists(Vob(vts, k)); ++k) {
            sizes.push_back(static_cast<int64_t>(fs::file_size(Vob(vts, k))));
            total += sizes.back();
        }
        for (int p = 1; p <= ifo->vts_pgcit->nr_of_pgci_srp; ++p) {
            const pgc_t* pgc = ifo->vts_pgcit->pgci_srp[p - 1].pgc;
            SCOPED_TRACE("title set " + std::to_string(vts) + " chain " + std::to_string(p));
            EXPECT_EQ(service_->GetPgcProgramCount(root, vts, p), pgc->nr_of_programs);
            EXPECT_EQ(TakeText(service_->GetCellPlaybackTime(root, vts, p, 0)), TimeText(pgc->playback_time));
            for (int c = 1; c <= pgc->nr_of_cells; ++c) {
                const cell_playback_t& cell = pgc->cell_playback[c - 1];
                EXPECT_EQ(TakeText(service_->GetCellPlaybackTime(root, vts, p, c)), TimeText(cell.playback_time));
                TitleLocation* location = service_->GetTitleLocation(root, vts, p, c);
                ASSERT_NE(location, nullptr) << c;
                const TitleInfo* info = location->info;
                EXPECT_EQ(info->startByte, int64_t{cell.first_sector} * kSector) << c;
                EXPECT_EQ(info->endByte, int64_t{cell.last_sector} * kSector) << c;
                EXPECT_GT(info->endByte, info->startByte) << c;
                EXPECT_EQ(info->duration, Seconds(cell.playback_time)) << c;
                ASSERT_EQ(info->vobCount, static_cast<int>(sizes.size()));
                EXPECT_EQ(std::vector<int64_t>(info->vobSizes, info->vobSizes + info->vobCount), sizes);
                EXPECT_EQ(std::string(info->vobList), Vob(vts, 1));
                EXPECT_EQ(location->startOffset, info->startByte);
                EXPECT_EQ(location->firstCellOffset, 0);  // every title set starts at sector 0
                EXPECT_GE(location->syncStartOffset, 0);
                EXPECT_LT(location->syncStartOffset, total);
                std::free(info->vobList);
                std::free(info->vobSizes);
                std::free(location->info);
                std::free(location);
                ++checkedCells;
            }
            EXPECT_EQ(service_->GetTitleInfo(root, vts, p, pgc->nr_of_cells + 1), nullptr);
        }
        ifoClose(ifo);
    }
    EXPECT_GE(checkedCells, 10);
    // dvdauthor writes the sync addresses: the first VOBU with every stream
    // in sync lies inside the data, on a sector.
    for (int vts = 1; vts <= 2; ++vts) {
        const int64_t sync = service_->GetSyncStartOffset(root, vts);
        EXPECT_GT(sync, 0) << vts;
        EXPECT_EQ(sync % kSector, 0) << vts;
    }
}

TEST_F(AuthoredDisc, StreamsAgreeWithLibdvdreadAndFfprobe)
{
    const char* codecs[] = {"AC3", "Unspecified", "Mpeg-1", "Mpeg-2", "LPCM", "Unspecified", "DTS",
                            "Unspecified"};
    for (int vts = 1; vts <= 2; ++vts) {
        SCOPED_TRACE("title set " + std::to_string(vts));
        ifo_handle_t* ifo = ifoOpen(reader_, vts);
        ASSERT_NE(ifo, nullptr);
        int count = -1;
        char** audioList = service_->GetAudioStreams(root_.c_str(), vts, &count);
        const auto audio = TakeList(audioList, count);
        ASSERT_EQ(static_cast<int>(audio.size()), ifo->vtsi_mat->nr_of_vts_audio_streams);
        std::set<std::string> audioIds;
        for (size_t i = 0; i < audio.size(); ++i) {
            const audio_attr_t& a = ifo->vtsi_mat->vts_audio_attr[i];
            const std::string lang{char(a.lang_code >> 8), char(a.lang_code & 0xFF)};
            const std::string name = lang == "en" ? "English" : lang == "zh" ? "Chinese" : "Unspecified";
            const std::string start = lang + "|" + name + "|" + codecs[a.audio_format] + "|" +
                                      (a.sample_frequency == 0 ? "48kHz" : "96kHz") + "|" +
                                      std::to_string(a.channels + 1) + "ch|[";
            EXPECT_EQ(audio[i].substr(0, start.size()), start) << audio[i];
            audioIds.insert(audio[i].substr(audio[i].size() - 5, 4));
        }
        EXPECT_EQ(audioIds, ProbedIds(Vob(vts, 1), "a"));

        char** subtitleList = service_->GetSubtitleStreams(root_.c_str(), vts, &count);
        const auto subtitles = TakeList(subtitleList, count);
        ASSERT_EQ(static_cast<int>(subtitles.size()), ifo->vtsi_mat->nr_of_vts_subp_streams);
        std::set<std::string> subtitleIds;
        for (size_t i = 0; i < subtitles.size(); ++i) {
            const subp_attr_t& s = ifo->vtsi_mat->vts_subp_attr[i];
            const std::string lang{char(s.lang_code >> 8), char(s.lang_code & 0xFF)};
            EXPECT_EQ(subtitles[i].substr(0, 3), lang + "|") << subtitles[i];
            subtitleIds.insert(subtitles[i].substr(subtitles[i].size() - 5, 4));
        }
        EXPECT_EQ(subtitleIds, ProbedIds(Vob(vts, 1), "s"));
        ifoClose(ifo);
    }
    int count = -1;
    char** list = service_->GetAudioStreams(root_.c_str(), 1, &count);
    const auto audio = TakeList(list, count);
    ASSERT_EQ(audio.size(), 4u);
    EXPECT_NE(audio[3].find("|AC3|48kHz|6ch|"), std::string::npos) << audio[3];
    EXPECT_NE(audio[2].find("|LPCM|48kHz|2ch|"), std::string::npos) << audio[2];
    EXPECT_NE(audio[1].find("zh|Chinese|Mpeg-1|"), std::string::npos) << audio[1];
}

}  // namespace
