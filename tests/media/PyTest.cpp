// ZR_Py's player through its exported tables: real-time playback with its
// controls arriving from another thread. These tests measure time and run
// apart from each other (see CMakeLists.txt).
#include "MediaSet.h"
#include "PyFixture.h"
#include "RunQueueWait.h"
#include "TestSupport.h"
#include "ZR_Py.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <thread>

using namespace mvtest;
using Clock = std::chrono::steady_clock;

namespace {

double Since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// Playback takes the media's time: never much less, a little more on a busy
// machine, and more again when every memory access is instrumented.
#if defined(__SANITIZE_THREAD__)
constexpr double kLateAllowance = 4.0;
#else
constexpr double kLateAllowance = 1.0;
#endif

// A wait for what must come gives up after this: a hang, not a slow machine.
constexpr auto kHangCeiling = std::chrono::seconds(60);

// `lost`: how late what the machine took meanwhile may make the player
// (RunQueueWait::MayRunLateBy). Playback cannot run early for any load.
void ExpectPlayTime(double seconds, double nominal, double lost)
{
    EXPECT_GT(seconds, nominal - 0.3);
    EXPECT_LT(seconds, nominal + kLateAllowance + lost) << "the machine may have made it " << lost << " s late";
}

// Pictures a player that late may rightly skip.
int SkippedAfterLoss(double fps, double lost) { return int(std::ceil(fps * lost)); }

// At least `frames` pictures, less those skipped as late.
size_t FramesAfterLoss(int frames, double fps, double lost)
{
    return size_t(std::max(1, frames - SkippedAfterLoss(fps, lost)));
}

struct Seen {
    std::mutex mutex;
    Clock::time_point start = Clock::now();
    std::vector<double> frameTimes;
    std::vector<int> positions;
    // Frames (their shown number) and positions in the order they came.
    std::vector<std::pair<char, int>> log;
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
    s->log.emplace_back('f', PictureNumber(pixels, width, height));
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
    s->log.emplace_back('p', int(seconds));
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

class PyTest : public PyFixture {
protected:
    void TearDown() override
    {
        // A test that failed midway leaves no playback behind.
        if (worker.joinable())
            py->Stop(py->handle);
        if (worker.joinable())
            worker.join();
        PyFixture::TearDown();
    }
    // Starts Play on a worker thread with fresh callbacks.
    void Start(const std::string& path)
    {
        waited.Restart();
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
    // How late the machine may have made the player since Start.
    double Lost() { return waited.MayRunLateBy(); }
    void WaitFrames(int n)
    {
        auto until = Clock::now() + kHangCeiling;
        while (seen.frames < n && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ASSERT_GE(seen.frames.load(), n);
    }
    // After a pause: waits until no frame has come for 200 ms (a frame
    // already on its way may still arrive) and returns the count then.
    int WaitStill()
    {
        auto until = Clock::now() + std::chrono::seconds(5);
        int count = seen.frames;
        auto quietSince = Clock::now();
        while (Clock::now() < until && Clock::now() - quietSince < std::chrono::milliseconds(200)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (seen.frames != count) {
                count = seen.frames;
                quietSince = Clock::now();
            }
        }
        return count;
    }

    RunQueueWait waited;
    Seen seen;
    std::thread worker;
    std::atomic<int> result{-1};
    std::atomic<double> ended{0};
};

}  // namespace

TEST_F(PyTest, PlaysInRealTimeWithFramesAndPositions)
{
    Start(MediaPath(Media::Mp4));
    worker.join();
    EXPECT_EQ(result.load(), ZR_PY_ENDED);
    const double lost = Lost();
    ExpectPlayTime(ended.load(), 4.0, lost);
    std::lock_guard<std::mutex> lock(seen.mutex);
    EXPECT_GE(seen.frameTimes.size(), FramesAfterLoss(90, 25, lost));  // 100 frames in the file
    EXPECT_EQ(seen.width, 320);
    EXPECT_EQ(seen.height, 240);
    EXPECT_EQ(seen.rowBytes, 320 * 3);
    EXPECT_TRUE(seen.colourful);
    // Frames come at their pace (25 fps) against the sound's clock; a loaded
    // machine may stall the dummy sound device now and then, and each gap
    // may grow by its share of the time the machine took.
    std::vector<double> gaps;
    for (size_t k = 1; k < seen.frameTimes.size(); ++k)
        gaps.push_back(seen.frameTimes[k] - seen.frameTimes[k - 1]);
    ASSERT_FALSE(gaps.empty());
    std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
    EXPECT_NEAR(gaps[gaps.size() / 2], 0.04, 0.006 + lost / double(gaps.size()));
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
        const double lost = Lost();
        ExpectPlayTime(ended.load(), 4.0, lost);
        EXPECT_GE(seen.positions.size(), 4u);
        if (kind == Media::AudioOnly)
            EXPECT_EQ(seen.frames.load(), 0);
        else if (kind == Media::VideoOnly)
            EXPECT_GE(size_t(seen.frames.load()), FramesAfterLoss(108, 30, lost));
        else
            EXPECT_GE(size_t(seen.frames.load()), FramesAfterLoss(90, 25, lost));
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
        RunQueueWait waited;
        auto t0 = Clock::now();
        EXPECT_EQ(py->Play(py->handle, args.c_str(), 0), ZR_PY_ENDED);
        ExpectPlayTime(Since(t0), 4.0, waited.MayRunLateBy());
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
    const double lost = Lost();
    EXPECT_LT(stopTook, 0.1 + lost);
    EXPECT_LT(Since(t0), 0.5 + lost);
    EXPECT_EQ(result.load(), ZR_PY_STOPPED);
    EXPECT_EQ(seen.calls.load(), callsAfterStop) << "a callback after Stop returned";
}

TEST_F(PyTest, PauseHoldsAndResumeContinues)
{
    Start(MediaPath(Media::Mp4));
    WaitFrames(10);
    auto pausedAt = Clock::now();
    py->TogglePause(py->handle);
    int held = WaitStill();
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    EXPECT_EQ(seen.frames.load(), held);
    double pausedFor = Since(pausedAt);
    py->TogglePause(py->handle);
    worker.join();
    EXPECT_EQ(result.load(), ZR_PY_ENDED);
    const double lost = Lost();
    ExpectPlayTime(ended.load(), 4.0 + pausedFor, lost);
    EXPECT_GE(size_t(seen.frames.load()), FramesAfterLoss(90, 25, lost));
}

TEST_F(PyTest, StopWhilePausedAndStopBeforePlay)
{
    Start(MediaPath(Media::Long));
    WaitFrames(3);
    py->TogglePause(py->handle);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    auto t0 = Clock::now();
    py->Stop(py->handle);
    EXPECT_LT(Since(t0), 0.1 + Lost());
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
    auto until = Clock::now() + kHangCeiling;
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
    EXPECT_LT(ended.load(), 5.0 + Lost()) << "the 40 s clip played from 38 s on";
    std::lock_guard<std::mutex> lock(seen.mutex);
    EXPECT_EQ(seen.positions.back(), 40);
}

TEST_F(PyTest, SeekWhilePausedShowsTheNewPicture)
{
    Start(MediaPath(Media::Long));
    WaitFrames(3);
    py->TogglePause(py->handle);
    int held = WaitStill();
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

TEST_F(PyTest, SeekWhilePausedShowsAndReportsThePictureAtTheTarget)
{
    // 12 s at 25 fps: the last picture is number 299, at 11.96 s.
    const double frame = 1.0 / kNumberedRate;
    Start(MediaPath(Media::Numbered));
    WaitFrames(3);
    py->TogglePause(py->handle);
    WaitStill();
    struct Target {
        int seconds;
        double shown;  // time of the picture that stands for it
    } targets[] = {{6, 6.0}, {0, 0.0}, {11, 11.0}, {20, 299 * frame}, {3, 3.0}};
    for (const Target& target : targets) {
        SCOPED_TRACE(target.seconds);
        size_t from;
        {
            std::lock_guard<std::mutex> lock(seen.mutex);
            from = seen.log.size();
        }
        const int frames = seen.frames;
        py->Seek(py->handle, target.seconds, 0);
        WaitFrames(frames + 1);
        // Held: nothing more is decoded or reported until play.
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        std::lock_guard<std::mutex> lock(seen.mutex);
        std::vector<std::pair<char, int>> after(seen.log.begin() + long(from), seen.log.end());
        ASSERT_EQ(after.size(), 2u) << "one position, then one picture";
        EXPECT_EQ(after[0].first, 'p');
        ASSERT_EQ(after[1].first, 'f');
        const double shown = after[1].second * frame;
        EXPECT_NEAR(shown, target.shown, frame / 2);
        EXPECT_EQ(after[0].second, int(std::floor(shown + frame / 2)));
    }

    // Play goes on from the picture shown (3 s), not from the wall clock.
    size_t from;
    {
        std::lock_guard<std::mutex> lock(seen.mutex);
        from = seen.log.size();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto resumed = Clock::now();
    waited.Restart();
    py->TogglePause(py->handle);
    worker.join();
    EXPECT_EQ(result.load(), ZR_PY_ENDED);
    const double lost = Lost();
    ExpectPlayTime(Since(resumed), 12.0 - 3.0, lost);
    std::lock_guard<std::mutex> lock(seen.mutex);
    std::vector<int> numbers, positions;
    for (size_t k = from; k < seen.log.size(); ++k)
        (seen.log[k].first == 'f' ? numbers : positions).push_back(seen.log[k].second);
    ASSERT_FALSE(numbers.empty());
    ASSERT_FALSE(positions.empty());
    EXPECT_GE(numbers.front(), 3 * kNumberedRate);
    EXPECT_LE(numbers.front(), 3 * kNumberedRate + 2 + SkippedAfterLoss(kNumberedRate, lost));
    EXPECT_EQ(positions.front(), 3);
    EXPECT_EQ(positions.back(), 12);
    EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end()));
    EXPECT_GE(numbers.size(), FramesAfterLoss(9 * kNumberedRate * 9 / 10, kNumberedRate, lost));
}

// Opening the decoders, filling their threads and decoding from the key
// frame up to a target take long on 2160p: the clock waits for them, so the
// first picture from the start, and from a seek while playing, is shown.
TEST_F(PyTest, PlayAndSeekShowTheFirstPictureHoweverLongDecodingTakes)
{
    Start(MediaPath(Media::NumberedUhd));
    auto numbers = [this] {
        std::lock_guard<std::mutex> lock(seen.mutex);
        std::vector<int> shown;
        for (const auto& entry : seen.log)
            if (entry.first == 'f')
                shown.push_back(entry.second);
        return shown;
    };
    // Well past the start, then back to it. A starved machine decodes the
    // pictures slowly: the seek waits for picture 30 however long it takes.
    auto past = [&] { return !numbers().empty() && numbers().back() >= 30; };
    auto until = Clock::now() + kHangCeiling;
    while (Clock::now() < until && result == -1 && !past())
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(past()) << "picture 30 was not shown; the last was "
                        << (numbers().empty() ? -1 : numbers().back());
    py->Seek(py->handle, 0, 0);
    worker.join();
    EXPECT_EQ(result.load(), ZR_PY_ENDED);
    const std::vector<int> shown = numbers();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), 0);
    const auto back = std::is_sorted_until(shown.begin(), shown.end());
    ASSERT_NE(back, shown.end()) << "the seek back was not seen";
    EXPECT_GE(*(back - 1), 30);
    EXPECT_EQ(*back, 0);
    EXPECT_TRUE(std::is_sorted(back, shown.end()));
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
