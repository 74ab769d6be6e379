// ZR_Py's prober through its exported tables: what it opens and the
// dictionary it returns, cross-checked against ffprobe of the same files.
#include "MediaSet.h"
#include "PyFixture.h"
#include "SpecialFiles.h"
#include "TestSupport.h"
#include "ZR_Py.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>
#include <tuple>
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

// What ffprobe says of a file, from one run: the format's duration and the
// first video and audio stream's fields, "" where there is none.
struct Probed {
    std::map<std::string, std::string> fields;  // "format.duration", "video.width", "audio.channels", ...

    std::string Text(const std::string& key) const
    {
        auto it = fields.find(key);
        return it == fields.end() ? "" : it->second;
    }
    uint64_t Uint(const std::string& key) const
    {
        std::string v = Text(key);
        return v.empty() || v == "N/A" ? 0 : uint64_t(std::atoll(v.c_str()));
    }
};

Probed ProbeOnce(const std::string& path)
{
    RunResult r = Run({"ffprobe", "-v", "error", "-show_entries",
                       "format=duration:stream=codec_type,codec_name,width,height,avg_frame_rate,"
                       "sample_rate,channels,channel_layout,bit_rate",
                       "-of", "flat", path});
    // Lines as: streams.stream.1.codec_type="audio" and format.duration="4.000000".
    std::map<std::string, std::map<std::string, std::string>> streams;
    Probed probed;
    std::istringstream lines(r.out);
    std::string line;
    while (std::getline(lines, line)) {
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        const std::string stream = "streams.stream.";
        if (key.rfind(stream, 0) == 0) {
            size_t dot = key.find('.', stream.size());
            if (dot != std::string::npos)
                streams[key.substr(stream.size(), dot - stream.size())][key.substr(dot + 1)] = value;
        } else {
            probed.fields[key] = value;
        }
    }
    // The first stream of each kind, in the file's order.
    std::vector<std::pair<int, const std::map<std::string, std::string>*>> ordered;
    for (const auto& [index, fields] : streams)
        ordered.emplace_back(std::atoi(index.c_str()), &fields);
    std::sort(ordered.begin(), ordered.end());
    for (const auto& [index, fields] : ordered) {
        const auto type = fields->find("codec_type");
        if (type == fields->end() || probed.fields.count(type->second + ".codec_name"))
            continue;
        for (const auto& [k, v] : *fields)
            probed.fields[type->second + "." + k] = v;
    }
    return probed;
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

uint64_t FrameRate(const Probed& probed)
{
    std::string r = probed.Text("video.avg_frame_rate");
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
        // One ffprobe run per file: bounded work on a loaded machine.
        const Probed probed = ProbeOnce(path);
        ASSERT_FALSE(probed.Text("format.duration").empty());
        bool hasVideo = !probed.Text("video.codec_name").empty();
        EXPECT_EQ(Uint(info, "media-length"),
                  uint64_t(std::llround(std::atof(probed.Text("format.duration").c_str()))));
        EXPECT_EQ(Uint(info, "frame-width"), probed.Uint("video.width"));
        EXPECT_EQ(Uint(info, "frame-height"), probed.Uint("video.height"));
        EXPECT_EQ(Uint(info, "frame-rate"), hasVideo ? FrameRate(probed) : 0);
        EXPECT_EQ(Uint(info, "sample-rate"), probed.Uint("audio.sample_rate"));
        EXPECT_EQ(Uint(info, "channel"), probed.Uint("audio.channels"));
        EXPECT_EQ(Text(info, "channel-layout"), probed.Text("audio.channel_layout"));
        // Where the container keeps no stream rate (Matroska, WebM), the rate
        // is the packets' bits over the time they cover.
        for (auto [key, kind, streams] : {std::tuple{"video-bit-rate", "video", "v:0"},
                                          std::tuple{"audio-bit-rate", "audio", "a:0"}}) {
            uint64_t want = probed.Uint(std::string(kind) + ".bit_rate");
            if (!want && !probed.Text(std::string(kind) + ".codec_name").empty()) {
                const double packets = double(PacketRate(path, streams));
                EXPECT_GT(Uint(info, key), 10000u) << key;
                EXPECT_NEAR(double(Uint(info, key)), packets, 0.02 * packets) << key;
            } else {
                EXPECT_EQ(Uint(info, key), want) << key;
            }
        }
        plist_free(info);
    }
}

// Where each stream begins and ends, whatever the container keeps of it (MP4
// stream durations, Matroska's DURATION tags, AVI headers), and whether the
// length is only a guess from the bit rate.
TEST_F(PyTest, StreamEndsAndLengthsGuessedFromTheBitRate)
{
    struct Case {
        Media kind;
        double video, audio;  // where they end, seconds; 0: no such stream
        bool estimated;
        double soundStart = 0;
    } cases[] = {
        {Media::Mp4, 4, 4, false},       {Media::Mkv, 4, 4, false},
        {Media::MkvVideo, 4, 0, false},  {Media::Avi, 4, 4, false},
        {Media::Webm, 4, 4, false},      {Media::AudioOnly, 0, 4, false},
        {Media::LateSound, 4, 4, false, 1.5},  // the sound starts at 1.5 s and ends with the picture
        {Media::ShortSound, 20, 8, false},
        {Media::VbrMp3, 0, -1, true},    {Media::VbrAdts, 0, -1, true},
    };
    for (const Case& c : cases) {
        const std::string path = MediaPath(c.kind);
        SCOPED_TRACE(path);
        plist_t info = static_cast<plist_t>(py->GetMediaInfo(path.c_str()));
        ASSERT_NE(info, nullptr);
        EXPECT_NEAR(double(Uint(info, "video-length-ms")), c.video * 1000, 100);
        EXPECT_LT(Uint(info, "video-start-ms"), 100u);
        if (c.audio >= 0) {
            EXPECT_NEAR(double(Uint(info, "audio-length-ms")), c.audio * 1000, 100);
            EXPECT_NEAR(double(Uint(info, "audio-start-ms")), c.soundStart * 1000, 100);
        }
        plist_t estimated = plist_dict_get_item(info, "length-estimated");
        ASSERT_NE(estimated, nullptr);
        ASSERT_EQ(plist_get_node_type(estimated), PLIST_BOOLEAN);
        uint8_t flag = 2;
        plist_get_bool_val(estimated, &flag);
        EXPECT_EQ(flag != 0, c.estimated);
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
