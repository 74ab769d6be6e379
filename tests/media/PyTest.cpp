// ZR_Py through its exported tables: probing cross-checked against ffprobe,
// and real-time playback with its controls arriving from another thread.
#include "MediaSet.h"
#include "TestSupport.h"
#include "ZR_Py.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <thread>

using namespace mvtest;
using Clock = std::chrono::steady_clock;

namespace {

double Since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// Playback takes the media's time: never much less, a little more on a busy machine.
void ExpectPlayTime(double seconds, double nominal)
{
    EXPECT_GT(seconds, nominal - 0.3);
    EXPECT_LT(seconds, nominal + 1.0);
}

struct Seen {
    std::mutex mutex;
    Clock::time_point start = Clock::now();
    std::vector<double> frameTimes;
    std::vector<int> positions;
    int width = 0, height = 0;
    intptr_t rowBytes = 0;
    bool colourful = false;
    std::atomic<int> frames{0};
    std::atomic<int> calls{0};
};

int OnFrame(unsigned char* pixels, intptr_t rowBytes, int width, int height, void* ctx)
{
    auto* s = static_cast<Seen*>(ctx);
    std::lock_guard<std::mutex> lock(s->mutex);
    s->frameTimes.push_back(Since(s->start));
    s->width = width;
    s->height = height;
    s->rowBytes = rowBytes;
    // testsrc2 is full of colour; the last byte of the frame must be readable.
    size_t last = size_t(width) * size_t(height) * 3 - 1;
    volatile unsigned char tail = pixels[last];
    (void)tail;
    for (size_t i = 0; i + 2 < last && !s->colourful; i += 997)
        if (pixels[i] != pixels[i + 1] || pixels[i] != pixels[i + 2])
            s->colourful = true;
    ++s->frames;
    ++s->calls;
    return 0;
}

int OnPosition(void*, intptr_t, intptr_t seconds, intptr_t, intptr_t, void* ctx)
{
    auto* s = static_cast<Seen*>(ctx);
    std::lock_guard<std::mutex> lock(s->mutex);
    s->positions.push_back(int(seconds));
    ++s->calls;
    return 0;
}

std::string PlayArgs(const std::string& path)
{
    std::string quoted;
    for (char c : path) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return " -stats 1  -file \"" + quoted + "\" ";
}

class PyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        service = ZRCreatePyService();
        ASSERT_NE(service, nullptr);
        py = service->CreateInstance();
        ASSERT_NE(py, nullptr);
    }
    void TearDown() override
    {
        if (worker.joinable())
            worker.join();
        service->FreeInstance(py);
        ZRFreePyService(service);
    }
    // Starts Play on a worker thread with fresh callbacks.
    void Start(const std::string& path)
    {
        py->Reset(py->handle);
        py->SetFrameCallback(py->handle, OnFrame, &seen);
        py->SetPositionCallback(py->handle, OnPosition, &seen);
        seen.start = Clock::now();
        result = -1;
        worker = std::thread([this, path] {
            std::string args = PlayArgs(path);
            result = py->Play(py->handle, args.c_str(), 0);
            ended = Since(seen.start);
        });
    }
    void WaitFrames(int n)
    {
        auto until = Clock::now() + std::chrono::seconds(10);
        while (seen.frames < n && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ASSERT_GE(seen.frames.load(), n);
    }

    PlayerService* service = nullptr;
    PlayerInstance* py = nullptr;
    Seen seen;
    std::thread worker;
    std::atomic<int> result{-1};
    std::atomic<double> ended{0};
};

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

TEST_F(PyTest, PlaysInRealTimeWithFramesAndPositions)
{
    Start(MediaPath(Media::Mp4));
    worker.join();
    EXPECT_EQ(result.load(), ZR_PY_ENDED);
    ExpectPlayTime(ended.load(), 4.0);
    std::lock_guard<std::mutex> lock(seen.mutex);
    EXPECT_GE(seen.frameTimes.size(), 90u);  // 100 frames in the file
    EXPECT_EQ(seen.width, 320);
    EXPECT_EQ(seen.height, 240);
    EXPECT_EQ(seen.rowBytes, 320 * 3);
    EXPECT_TRUE(seen.colourful);
    // Frames come at their pace (25 fps) against the sound's clock; a loaded
    // machine may stall the dummy sound device now and then.
    std::vector<double> gaps;
    for (size_t k = 1; k < seen.frameTimes.size(); ++k)
        gaps.push_back(seen.frameTimes[k] - seen.frameTimes[k - 1]);
    ASSERT_FALSE(gaps.empty());
    std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
    EXPECT_NEAR(gaps[gaps.size() / 2], 0.04, 0.006);
    ASSERT_FALSE(seen.positions.empty());
    EXPECT_EQ(seen.positions.front(), 0);
    EXPECT_EQ(seen.positions.back(), 4);
    EXPECT_TRUE(std::is_sorted(seen.positions.begin(), seen.positions.end()));
}

TEST_F(PyTest, PlaysSoundOnlyAndPictureOnlyFiles)
{
    for (Media kind : {Media::AudioOnly, Media::VideoOnly, Media::Webm, Media::Avi, Media::LateSound}) {
        SCOPED_TRACE(MediaPath(kind));
        seen.frames = 0;
        seen.positions.clear();
        Start(MediaPath(kind));
        worker.join();
        EXPECT_EQ(result.load(), ZR_PY_ENDED);
        ExpectPlayTime(ended.load(), 4.0);
        EXPECT_GE(seen.positions.size(), 4u);
        if (kind == Media::AudioOnly)
            EXPECT_EQ(seen.frames.load(), 0);
        else
            EXPECT_GE(seen.frames.load(), kind == Media::VideoOnly ? 108 : 90);
    }
}

TEST(PyNoSoundTest, PlaysOnTheWallClockWithoutASoundDevice)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    PlayerService* service = ZRCreatePyService();
    PlayerInstance* py = service->CreateInstance();
    for (Media kind : {Media::AudioOnly, Media::Mp4}) {
        Seen seen;
        py->Reset(py->handle);
        py->SetFrameCallback(py->handle, OnFrame, &seen);
        py->SetPositionCallback(py->handle, OnPosition, &seen);
        std::string args = PlayArgs(MediaPath(kind));
        auto t0 = Clock::now();
        EXPECT_EQ(py->Play(py->handle, args.c_str(), 0), ZR_PY_ENDED);
        ExpectPlayTime(Since(t0), 4.0);
        EXPECT_EQ(seen.positions.back(), 4);
    }
    service->FreeInstance(py);
    ZRFreePyService(service);
}

TEST_F(PyTest, StopFromAnotherThreadEndsPlayWithin100ms)
{
    Start(MediaPath(Media::Long));
    WaitFrames(5);
    auto t0 = Clock::now();
    py->Stop(py->handle);
    double stopTook = Since(t0);
    int callsAfterStop = seen.calls;
    worker.join();
    EXPECT_LT(stopTook, 0.1);
    EXPECT_LT(Since(t0), 0.5);
    EXPECT_EQ(result.load(), ZR_PY_STOPPED);
    EXPECT_EQ(seen.calls.load(), callsAfterStop) << "a callback after Stop returned";
}

TEST_F(PyTest, PauseHoldsAndResumeContinues)
{
    Start(MediaPath(Media::Mp4));
    WaitFrames(10);
    py->TogglePause(py->handle);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    int held = seen.frames;
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    EXPECT_EQ(seen.frames.load(), held);
    py->TogglePause(py->handle);
    worker.join();
    EXPECT_EQ(result.load(), ZR_PY_ENDED);
    ExpectPlayTime(ended.load(), 4.75);
    EXPECT_GE(seen.frames.load(), 90);
}

TEST_F(PyTest, StopWhilePausedAndStopBeforePlay)
{
    Start(MediaPath(Media::Long));
    WaitFrames(3);
    py->TogglePause(py->handle);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    auto t0 = Clock::now();
    py->Stop(py->handle);
    EXPECT_LT(Since(t0), 0.1);
    worker.join();
    EXPECT_EQ(result.load(), ZR_PY_STOPPED);

    // A stop that comes before Play holds until the next Reset.
    py->Stop(py->handle);
    std::string args = PlayArgs(MediaPath(Media::Mp4));
    EXPECT_EQ(py->Play(py->handle, args.c_str(), 0), ZR_PY_STOPPED);
}

TEST_F(PyTest, SeekJumpsForwardAndBack)
{
    Start(MediaPath(Media::Long));
    WaitFrames(5);
    py->Seek(py->handle, 30, 0);
    auto until = Clock::now() + std::chrono::seconds(2);
    auto sawPosition = [this](int p) {
        std::lock_guard<std::mutex> lock(seen.mutex);
        return !seen.positions.empty() && seen.positions.back() == p;
    };
    while (!sawPosition(30) && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(sawPosition(30));
    py->Seek(py->handle, 38, 0);
    worker.join();
    EXPECT_EQ(result.load(), ZR_PY_ENDED);
    EXPECT_LT(ended.load(), 5.0);
    std::lock_guard<std::mutex> lock(seen.mutex);
    EXPECT_EQ(seen.positions.back(), 40);
}

TEST_F(PyTest, SeekWhilePausedShowsTheNewPicture)
{
    Start(MediaPath(Media::Long));
    WaitFrames(3);
    py->TogglePause(py->handle);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    int held = seen.frames;
    py->Seek(py->handle, 20, 0);
    WaitFrames(held + 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(seen.frames.load(), held + 1);
    {
        std::lock_guard<std::mutex> lock(seen.mutex);
        EXPECT_EQ(seen.positions.back(), 20);
    }
    py->Stop(py->handle);
}

TEST_F(PyTest, VolumeAndBadFiles)
{
    // Volume changes are accepted at any time, in and out of range.
    for (auto [v, m] : {std::pair{0, 100}, {50, 100}, {200, 100}, {-5, 100}, {3, 0}})
        py->SetVolume(py->handle, v, m);
    for (Media kind : {Media::ZeroByte, Media::Truncated, Media::Random}) {
        py->Reset(py->handle);
        std::string args = PlayArgs(MediaPath(kind));
        EXPECT_EQ(py->Play(py->handle, args.c_str(), 0), ZR_PY_FAILED) << MediaPath(kind);
    }
    EXPECT_EQ(py->Play(py->handle, " -stats 1 ", 0), ZR_PY_FAILED);
    EXPECT_EQ(py->Play(py->handle, nullptr, 0), ZR_PY_FAILED);
    TempDir dir;
    const std::string name = AwkwardNames()[4];  // backslashes and quotes
    ASSERT_TRUE(CopyFile(MediaPath(Media::Mp4), dir / name));
    Start(dir / name);
    WaitFrames(2);
    py->SetVolume(py->handle, 0, 100);
    py->Stop(py->handle);
    worker.join();
    EXPECT_EQ(result.load(), ZR_PY_STOPPED);
}
