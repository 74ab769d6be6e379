// ZR_Ct through its exported tables: real conversions with ffmpeg, stop, pause,
// failures, awkward names, and the quoting of command lines.
#include "MediaSet.h"
#include "QuotedArgs.h"
#include "TestSupport.h"
#include "ZR_Ct.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <dirent.h>
#include <filesystem>
#include <mutex>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace mvtest;
using Clock = std::chrono::steady_clock;

namespace {

const char* kFastParams = "-vcodec mpeg4 -b 800k -acodec libmp3lame -ab 128k";

std::string Quote(const std::string& path)
{
    std::string out = "\"";
    for (char c : path) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string CommandLine(const std::string& in, const std::string& params, const std::string& out)
{
    return "-ii " + Quote(in) + " " + params + " " + Quote(out) + " ";
}

struct Progress {
    std::mutex mutex;
    std::vector<double> seconds;
    int finished = 0;
    bool finishedLast = true;
    std::atomic<int> calls{0};
};

int OnProgress(void* context, double seconds, int finished)
{
    auto* p = static_cast<Progress*>(context);
    std::lock_guard<std::mutex> lock(p->mutex);
    if (finished) {
        ++p->finished;
    } else {
        if (p->finished)
            p->finishedLast = false;
        p->seconds.push_back(seconds);
    }
    ++p->calls;
    return finished ? -1 : 0;
}

class CtTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        service = ZRCreateCtService();
        ASSERT_NE(service, nullptr);
        ct = service->CreateInstance();
        ASSERT_NE(ct, nullptr);
        ct->SetProgressCallback(ct->handle, OnProgress);
        ct->SetTaskContext(ct->handle, &progress);
    }
    void TearDown() override
    {
        service->FreeInstance(ct);
        ZRFreeCtService(service);
    }
    int Run(const std::string& line) { return ct->Run(ct->handle, line.c_str()); }

    // Files in the output folder other than the expected ones.
    std::vector<std::string> Leftovers(const std::vector<std::string>& keep = {})
    {
        std::vector<std::string> extra;
        for (const auto& e : fs::directory_iterator(dir.path())) {
            std::string name = e.path().filename().string();
            if (std::find(keep.begin(), keep.end(), name) == keep.end())
                extra.push_back(name);
        }
        return extra;
    }

    // Starts a long conversion on a worker thread and waits for its first progress.
    void StartLong(std::thread& worker, std::atomic<int>& result, const std::string& out)
    {
        std::string line = CommandLine(MediaPath(Media::Long), "-vcodec libx264 -preset veryfast -threads 2 -acodec aac", out);
        result = -1;
        worker = std::thread([this, line, &result] { result = Run(line); });
        auto until = Clock::now() + std::chrono::seconds(20);
        while (progress.calls == 0 && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_GT(progress.calls.load(), 0);
    }

    TempDir dir;
    ConverterService* service = nullptr;
    ConverterInstance* ct = nullptr;
    Progress progress;
};

double Duration(const std::string& path)
{
    return std::atof(Probe(path, "format=duration").c_str());
}

}  // namespace

TEST(QuotedArgsTest, SplitsHonouringQuotesAndEscapes)
{
    struct Case {
        std::string line;
        std::vector<std::string> args;
    } cases[] = {
        {"-ii \"a b\" -x 1 \"c\" ", {"-ii", "a b", "-x", "1", "c"}},
        {"\"q\\\"uote\" \"back\\\\slash\"", {"q\"uote", "back\\slash"}},
        {"\"C:\\dir\\file\"", {"C:\\dir\\file"}},  // other backslashes stay
        {"  -a   -b\t", {"-a", "-b"}},
        {"\"\" x", {"", "x"}},
        {"\"a|b\" \"ü\"", {"a|b", "ü"}},
        {"\"unterminated", {"unterminated"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (const auto& a : QuotedArgs::Split(c.line))
            got.push_back(a.text);
        EXPECT_EQ(got, c.args) << c.line;
    }
}

TEST_F(CtTest, ConvertsEachContainerWithProgressThenFinishedOnce)
{
    struct Case {
        Media source;
        std::string params, out;
    } cases[] = {
        {Media::Mp4, kFastParams, "mp4.avi"},
        {Media::Mkv, "-vcodec libx264 -preset ultrafast -acodec aac -ab 96k", "mkv.mp4"},
        {Media::Avi, "-vcodec libvpx -deadline realtime -cpu-used 8 -acodec libvorbis", "avi.webm"},
        {Media::Webm, kFastParams, "webm.avi"},
        {Media::AudioOnly, "-acodec libmp3lame -ab 128k", "audio.mp3"},
        {Media::VideoOnly, "-vcodec mpeg4 -b 800k", "video.mp4"},
    };
    std::vector<std::string> made;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        progress.seconds.clear();
        progress.finished = 0;
        std::string out = dir / c.out;
        // One encoder thread: bounded work beside a loaded machine.
        ASSERT_EQ(Run(CommandLine(MediaPath(c.source), c.params + " -threads 1", out)), ZR_CT_DONE);
        made.push_back(c.out);
        EXPECT_TRUE(FileExists(out));
        EXPECT_NEAR(Duration(out), Duration(MediaPath(c.source)), 0.3);
        EXPECT_EQ(progress.finished, 1);
        EXPECT_TRUE(progress.finishedLast);
        ASSERT_FALSE(progress.seconds.empty());
        EXPECT_TRUE(std::is_sorted(progress.seconds.begin(), progress.seconds.end()));
        // Seconds, not micro- or milliseconds.
        EXPECT_LE(progress.seconds.back(), 4.5);
        EXPECT_GE(progress.seconds.back(), 3.0);
    }
    EXPECT_EQ(Leftovers(made), std::vector<std::string>());
}

TEST_F(CtTest, AwkwardNamesReachFfmpegUnchanged)
{
    for (const std::string& name : AwkwardNames()) {
        SCOPED_TRACE(name);
        std::string in = dir / name;
        ASSERT_TRUE(CopyFile(MediaPath(Media::Mp4), in));
        std::string outName = name + ".avi";  // "-i.mp4.avi", "pipe:1.mp4.avi", ...
        std::string out = dir / outName;
        ASSERT_EQ(Run(CommandLine(in, kFastParams, out)), ZR_CT_DONE);
        EXPECT_TRUE(FileExists(out));
        EXPECT_EQ(Probe(out, "stream=codec_name", "v:0"), "mpeg4");
        fs::remove(out);
        fs::remove(in);
    }
    EXPECT_EQ(Leftovers(), std::vector<std::string>());
}

TEST_F(CtTest, FailuresReportAndLeaveNothingBehind)
{
    std::string existing = dir / "existing.avi";
    WriteFile(existing, "keep me");
    std::string source = dir / "source.mp4";
    ASSERT_TRUE(CopyFile(MediaPath(Media::Mp4), source));
    std::string sourceBytes = ReadFile(source);
    struct Case {
        std::string what, line;
    } cases[] = {
        {"existing destination", CommandLine(source, kFastParams, existing)},
        {"existing destination, -y in params", CommandLine(source, std::string("-y ") + kFastParams, existing)},
        {"source is destination", CommandLine(source, kFastParams, source)},
        {"unknown encoder", CommandLine(source, "-vcodec no-such-codec", dir / "bad.avi")},
        {"zero-byte source", CommandLine(MediaPath(Media::ZeroByte), kFastParams, dir / "zero.avi")},
        {"truncated source", CommandLine(MediaPath(Media::Truncated), kFastParams, dir / "trunc.avi")},
        {"random source", CommandLine(MediaPath(Media::Random), kFastParams, dir / "random.avi")},
        {"missing source", CommandLine(dir / "nope.mp4", kFastParams, dir / "nope.avi")},
        {"missing folder", CommandLine(source, kFastParams, dir / "no/such/folder.avi")},
        {"no -ii", "\"" + source + "\" " + kFastParams + " \"" + (dir / "x.avi") + "\" "},
        {"empty line", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        progress.finished = 0;
        EXPECT_EQ(Run(c.line), ZR_CT_FAILED);
        EXPECT_EQ(progress.finished, 0);
    }
    EXPECT_EQ(ReadFile(existing), "keep me");
    EXPECT_EQ(ReadFile(source), sourceBytes);
    EXPECT_EQ(ct->Run(ct->handle, nullptr), ZR_CT_FAILED);
    EXPECT_EQ(Leftovers({"existing.avi", "source.mp4"}), std::vector<std::string>());
}

TEST_F(CtTest, StopEndsARunningConversionWithinOneSecond)
{
    std::thread worker;
    std::atomic<int> result;
    StartLong(worker, result, dir / "long.mp4");
    auto t0 = Clock::now();
    ct->Stop(ct->handle);
    worker.join();
    EXPECT_LT(Clock::now() - t0, std::chrono::seconds(1));
    EXPECT_EQ(result.load(), ZR_CT_STOPPED);
    EXPECT_EQ(progress.finished, 0);
    EXPECT_EQ(Leftovers(), std::vector<std::string>());
}

TEST_F(CtTest, PauseHoldsTheChildAndResumeFinishes)
{
    std::thread worker;
    std::atomic<int> result;
    StartLong(worker, result, dir / "long.mp4");
    ct->TogglePause(ct->handle);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    int before = progress.calls;
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    EXPECT_EQ(progress.calls.load(), before) << "progress while paused";
    EXPECT_EQ(result.load(), -1);
    ct->TogglePause(ct->handle);
    worker.join();
    EXPECT_EQ(result.load(), ZR_CT_DONE);
    EXPECT_GT(progress.calls.load(), before);
    EXPECT_EQ(progress.finished, 1);
    EXPECT_NEAR(Duration(dir / "long.mp4"), 40.0, 0.5);
    EXPECT_EQ(Leftovers({"long.mp4"}), std::vector<std::string>());
}

TEST_F(CtTest, StopWhilePausedEndsWithinOneSecond)
{
    std::thread worker;
    std::atomic<int> result;
    StartLong(worker, result, dir / "long.mp4");
    ct->TogglePause(ct->handle);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    auto t0 = Clock::now();
    ct->Stop(ct->handle);
    worker.join();
    EXPECT_LT(Clock::now() - t0, std::chrono::seconds(1));
    EXPECT_EQ(result.load(), ZR_CT_STOPPED);
    EXPECT_EQ(Leftovers(), std::vector<std::string>());
    // The next run is not paused.
    ct->SetTaskContext(ct->handle, &progress);
    EXPECT_EQ(Run(CommandLine(MediaPath(Media::Mp4), kFastParams, dir / "next.avi")), ZR_CT_DONE);
}

TEST_F(CtTest, StopBeforeRunHoldsUntilTheNextTaskContext)
{
    ct->Stop(ct->handle);
    EXPECT_EQ(Run(CommandLine(MediaPath(Media::Mp4), kFastParams, dir / "a.avi")), ZR_CT_STOPPED);
    EXPECT_FALSE(FileExists(dir / "a.avi"));
    ct->Stop(ct->handle);
    ct->SetTaskContext(ct->handle, &progress);
    EXPECT_EQ(Run(CommandLine(MediaPath(Media::Mp4), kFastParams, dir / "a.avi")), ZR_CT_DONE);
}

namespace {

// Process ids whose command line mentions the text.
std::vector<int> ProcessesMentioning(const std::string& text)
{
    std::vector<int> pids;
    for (const auto& e : fs::directory_iterator("/proc")) {
        std::string name = e.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string cmd = ReadFile(e.path().string() + "/cmdline");
        if (cmd.find(text) != std::string::npos)
            pids.push_back(std::stoi(name));
    }
    return pids;
}

}  // namespace

TEST_F(CtTest, NoChildOutlivesTheProgram)
{
    std::string out = dir / "orphan-check.mp4";
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t pid = fork();
    if (pid == 0) {
        // A program that dies hard in the middle of a conversion.
        ConverterService* s = ZRCreateCtService();
        ConverterInstance* c = s->CreateInstance();
        static int fd;
        fd = ready[1];
        c->SetProgressCallback(c->handle, [](void*, double, int) {
            char x = 1;
            ssize_t ignored = write(fd, &x, 1);
            (void)ignored;
            return 0;
        });
        c->Run(c->handle, CommandLine(MediaPath(Media::Long), "-vcodec libx264 -preset medium", out).c_str());
        _exit(0);
    }
    close(ready[1]);
    char x;
    ASSERT_EQ(read(ready[0], &x, 1), 1);
    close(ready[0]);
    EXPECT_FALSE(ProcessesMentioning("orphan-check.mp4").empty());
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    auto until = Clock::now() + std::chrono::seconds(2);
    while (!ProcessesMentioning("orphan-check.mp4").empty() && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(ProcessesMentioning("orphan-check.mp4").empty());
}
