// ZR_Py's prober through its exported tables: what it opens and the
// dictionary it returns, cross-checked against ffprobe of the same files.
#include "MediaSet.h"
#include "PyFixture.h"
#include "SpecialFiles.h"
#include "TestSupport.h"
#include "ZR_Py.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <unistd.h>

using namespace mvtest;

namespace {

using PyTest = PyFixture;


uint64_t Uint(plist_t dict, const char* key)
{
    plist_t node = plist_dict_get_item(dict, key);
    EXPECT_NE(node, nullptr) << key;
    EXPECT_EQ(plist_get_node_type(node), PLIST_UINT) << key;
    uint64_t v = 0;
    plist_get_uint_val(node, &v);
    return v;
}

std::string Text(plist_t dict, const char* key)
{
    plist_t node = plist_dict_get_item(dict, key);
    EXPECT_NE(node, nullptr) << key;
    EXPECT_EQ(plist_get_node_type(node), PLIST_STRING) << key;
    char* s = nullptr;
    plist_get_string_val(node, &s);
    std::string out = s ? s : "";
    free(s);
    return out;
}

uint64_t ProbeUint(const std::string& path, const std::string& entry, const std::string& streams)
{
    std::string v = Probe(path, entry, streams);
    return v.empty() || v == "N/A" ? 0 : uint64_t(std::atoll(v.c_str()));
}

// Bits per second of a stream's packets over the time they cover, by ffprobe.
uint64_t PacketRate(const std::string& path, const std::string& streams)
{
    RunResult r = Run({"ffprobe", "-v", "error", "-select_streams", streams, "-show_entries",
                       "packet=pts_time,duration_time,size", "-of", "csv=p=0", path});
    double first = -1, end = -1, bytes = 0;
    std::istringstream lines(r.out);
    std::string line;
    while (std::getline(lines, line)) {
        double pts = 0, dur = 0, size = 0;
        if (std::sscanf(line.c_str(), "%lf,%lf,%lf", &pts, &dur, &size) != 3)
            continue;
        first = first < 0 ? pts : std::min(first, pts);
        end = std::max(end, pts + dur);
        bytes += size;
    }
    return end > first && first >= 0 ? uint64_t(bytes * 8 / (end - first)) : 0;
}

uint64_t ProbeRate(const std::string& path)
{
    std::string r = Probe(path, "stream=avg_frame_rate", "v:0");
    size_t slash = r.find('/');
    if (slash == std::string::npos)
        return 0;
    double den = std::atof(r.c_str() + slash + 1);
    return den > 0 ? uint64_t(std::llround(std::atof(r.c_str()) / den)) : 0;
}

}  // namespace

TEST_F(PyTest, MediaInfoAgreesWithFfprobe)
{
    for (Media kind : {Media::Mp4, Media::Mkv, Media::MkvVideo, Media::Avi, Media::Webm,
                       Media::AudioOnly, Media::VideoOnly, Media::Hd}) {
        std::string path = MediaPath(kind);
        SCOPED_TRACE(path);
        plist_t info = static_cast<plist_t>(py->GetMediaInfo(path.c_str()));
        ASSERT_NE(info, nullptr);
        ASSERT_EQ(plist_get_node_type(info), PLIST_DICT);
        bool hasVideo = !Probe(path, "stream=codec_name", "v:0").empty();
        EXPECT_EQ(Uint(info, "media-length"),
                  uint64_t(std::llround(std::atof(Probe(path, "format=duration").c_str()))));
        EXPECT_EQ(Uint(info, "frame-width"), ProbeUint(path, "stream=width", "v:0"));
        EXPECT_EQ(Uint(info, "frame-height"), ProbeUint(path, "stream=height", "v:0"));
        EXPECT_EQ(Uint(info, "frame-rate"), hasVideo ? ProbeRate(path) : 0);
        EXPECT_EQ(Uint(info, "sample-rate"), ProbeUint(path, "stream=sample_rate", "a:0"));
        EXPECT_EQ(Uint(info, "channel"), ProbeUint(path, "stream=channels", "a:0"));
        EXPECT_EQ(Text(info, "channel-layout"), Probe(path, "stream=channel_layout", "a:0"));
        // Where the container keeps no stream rate (Matroska, WebM), the rate
        // is the packets' bits over the time they cover.
        for (auto [key, streams] : {std::pair{"video-bit-rate", "v:0"}, {"audio-bit-rate", "a:0"}}) {
            uint64_t want = ProbeUint(path, "stream=bit_rate", streams);
            if (!want && !Probe(path, "stream=codec_name", streams).empty()) {
                EXPECT_GT(Uint(info, key), 10000u) << key;
                EXPECT_NEAR(double(Uint(info, key)), double(PacketRate(path, streams)),
                            0.02 * double(PacketRate(path, streams))) << key;
            } else {
                EXPECT_EQ(Uint(info, key), want) << key;
            }
        }
        plist_free(info);
    }
}

TEST_F(PyTest, CanOpenOnlyWhatDecodes)
{
    TempDir dir;
    WriteFile(dir / "notes.mp4", "this is a text file, not a video\n");
    struct Case {
        std::string path;
        bool playable;
    } cases[] = {
        {MediaPath(Media::Mp4), true},        {MediaPath(Media::Mkv), true},
        {MediaPath(Media::Avi), true},        {MediaPath(Media::Webm), true},
        {MediaPath(Media::AudioOnly), true},  {MediaPath(Media::VideoOnly), true},
        {MediaPath(Media::ZeroByte), false},  {MediaPath(Media::Truncated), false},
        {MediaPath(Media::Random), false},    {dir / "notes.mp4", false},
        {dir / "missing.mp4", false},         {dir.path(), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(py->CanOpen(c.path.c_str()) != 0, c.playable) << c.path;
        if (!c.playable) {
            EXPECT_EQ(py->GetMediaInfo(c.path.c_str()), nullptr) << c.path;
        }
    }
    for (const std::string& name : AwkwardNames()) {
        ASSERT_TRUE(CopyFile(MediaPath(Media::Mp4), dir / name));
        EXPECT_NE(py->CanOpen((dir / name).c_str()), 0) << name;
        plist_t info = static_cast<plist_t>(py->GetMediaInfo((dir / name).c_str()));
        ASSERT_NE(info, nullptr) << name;
        EXPECT_EQ(Uint(info, "frame-width"), 320u);
        plist_free(info);
    }
}

// Pipes, sockets, devices and broken links are refused at once by probing
// and playing alike; a link to a real clip still opens.
TEST_F(PyTest, NonRegularFilesAreRefusedWithoutWaiting)
{
    TempDir dir;
    SpecialFiles special(dir.path());
    ASSERT_TRUE(special.ok());
    std::vector<std::string> refused = special.paths();
    refused.push_back("/dev/zero");
    for (const std::string& path : refused) {
        SCOPED_TRACE(path);
        EXPECT_EQ(py->CanOpen(path.c_str()), 0);
        EXPECT_EQ(py->GetMediaInfo(path.c_str()), nullptr);
        const std::string args = " -stats 1  -file \"" + path + "\" ";
        py->Reset(py->handle);
        EXPECT_EQ(py->Play(py->handle, args.c_str(), 0), ZR_PY_FAILED);
    }
    EXPECT_FALSE(special.SomeoneBlocked()) << "an open waited on the pipe";

    ASSERT_EQ(symlink(MediaPath(Media::Mp4).c_str(), (dir / "linked.mp4").c_str()), 0);
    EXPECT_NE(py->CanOpen((dir / "linked.mp4").c_str()), 0);
}
