// ZR_Ct through its exported tables: real conversions with ffmpeg, stop, pause,
// failures, awkward names, and the quoting of command lines.
#include "MediaSet.h"
#include "QuotedArgs.h"
#include "SpecialFiles.h"
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
#include <sys/mount.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace mvtest;
using Clock = std::chrono::steady_clock;

namespace {

// One encoder thread in every conversion: bounded work beside a loaded machine.
const char* kFastParams = "-vcodec mpeg4 -b 800k -acodec libmp3lame -ab 128k -threads 1";
// A wait for what must come gives up after this: a hang, not a slow machine.
constexpr auto kHangCeiling = std::chrono::seconds(120);

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

    // Starts a long conversion on a worker thread and waits for its first
    // progress. The fastest encoder settings still take seconds on an idle
    // machine, and keep the whole run bounded on a loaded one.
    void StartLong(std::thread& worker, std::atomic<int>& result, const std::string& out)
    {
        std::string line = CommandLine(MediaPath(Media::Long),
                                       "-vcodec libx264 -preset ultrafast -threads 1 -acodec aac", out);
        result = -1;
        worker = std::thread([this, line, &result] { result = Run(line); });
        auto until = Clock::now() + kHangCeiling;
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
        // A filter chain is one argument, its punctuation untouched.
        {"-vf scale=w=min(iw\\,720):h=-2,pad=720:576:-1:-1,setsar=64/45 -r 25",
         {"-vf", "scale=w=min(iw\\,720):h=-2,pad=720:576:-1:-1,setsar=64/45", "-r", "25"}},
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
        {Media::Mkv, "-vcodec libx264 -preset ultrafast -acodec aac -ab 96k -threads 1", "mkv.mp4"},
        {Media::Avi, "-vcodec libvpx -deadline realtime -cpu-used 8 -acodec libvorbis -threads 1", "avi.webm"},
        {Media::Webm, kFastParams, "webm.avi"},
        {Media::AudioOnly, "-acodec libmp3lame -ab 128k -threads 1", "audio.mp3"},
        {Media::VideoOnly, "-vcodec mpeg4 -b 800k -threads 1", "video.mp4"},
    };
    std::vector<std::string> made;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        progress.seconds.clear();
        progress.finished = 0;
        std::string out = dir / c.out;
        ASSERT_EQ(Run(CommandLine(MediaPath(c.source), c.params, out)), ZR_CT_DONE);
        made.push_back(c.out);
        EXPECT_TRUE(FileExists(out));
        EXPECT_NEAR(Duration(out), Duration(MediaPath(c.source)), 0.3);
        EXPECT_STREQ(ct->GetSourceDamage(ct->handle), "") << "a healthy source reported damaged";
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

TEST_F(CtTest, FailuresReportWhyAndLeaveNothingBehind)
{
    std::string existing = dir / "existing.avi";
    WriteFile(existing, "keep me");
    std::string source = dir / "source.mp4";
    ASSERT_TRUE(CopyFile(MediaPath(Media::Mp4), source));
    std::string sourceBytes = ReadFile(source);
    struct Case {
        std::string what, line, reason;
    } cases[] = {
        {"existing destination", CommandLine(source, kFastParams, existing), "the destination exists: " + existing},
        {"existing destination, -y in params", CommandLine(source, std::string("-y ") + kFastParams, existing), "the destination exists"},
        {"source is destination", CommandLine(source, kFastParams, source), "the destination exists"},
        {"unknown encoder", CommandLine(source, "-vcodec no-such-codec", dir / "bad.avi"), "Unknown encoder 'no-such-codec'"},
        {"zero-byte source", CommandLine(MediaPath(Media::ZeroByte), kFastParams, dir / "zero.avi"), "Invalid data found"},
        {"truncated source", CommandLine(MediaPath(Media::Truncated), kFastParams, dir / "trunc.avi"), "Invalid data found"},
        {"random source", CommandLine(MediaPath(Media::Random), kFastParams, dir / "random.avi"), "Invalid data found"},
        {"missing source", CommandLine(dir / "nope.mp4", kFastParams, dir / "nope.avi"), dir / "nope.mp4: No such file or directory"},
        {"missing folder", CommandLine(source, kFastParams, dir / "no/such/folder.avi"), dir / "no/such/folder.avi: No such file or directory"},
        {"folder as source", CommandLine(dir.path(), kFastParams, dir / "folder.avi"), dir.path() + ": not a regular file"},
        {"no -ii", "\"" + source + "\" " + kFastParams + " \"" + (dir / "x.avi") + "\" ", "malformed command line"},
        {"empty line", "", "malformed command line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        progress.finished = 0;
        EXPECT_EQ(Run(c.line), ZR_CT_FAILED);
        EXPECT_EQ(progress.finished, 0);
        const std::string reason = ct->GetLastError(ct->handle);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        // The temporary name is no concern of the user's.
        EXPECT_EQ(reason.find(".mv-"), std::string::npos) << reason;
    }
    EXPECT_EQ(ReadFile(existing), "keep me");
    EXPECT_EQ(ReadFile(source), sourceBytes);
    EXPECT_EQ(ct->Run(ct->handle, nullptr), ZR_CT_FAILED);
    EXPECT_EQ(Leftovers({"existing.avi", "source.mp4"}), std::vector<std::string>());
    // A success clears the reason.
    ASSERT_EQ(Run(CommandLine(source, kFastParams, dir / "good.avi")), ZR_CT_DONE);
    EXPECT_STREQ(ct->GetLastError(ct->handle), "");
}

namespace {

// A tmpfs mounted for the test's life (the tests run as root).
struct TmpfsMount {
    TmpfsMount(const std::string& at, const char* options, unsigned long flags = 0) : path(at)
    {
        fs::create_directories(at);
        ok = mount("tmpfs", at.c_str(), "tmpfs", flags, options) == 0;
    }
    ~TmpfsMount()
    {
        if (ok)
            umount2(path.c_str(), MNT_DETACH);
    }
    std::string path;
    bool ok = false;
};

}  // namespace

// A full disk, a read-only disk and sources that are no regular files each
// fail with the system's word for it, leave no partial file, and never wait
// on a pipe.
TEST_F(CtTest, FullAndReadOnlyDisksAndSpecialSourcesSayWhy)
{
    TmpfsMount full(dir / "full", "size=192k");
    TmpfsMount readOnly(dir / "ro", "size=1m", MS_RDONLY);
    if (!full.ok || !readOnly.ok)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    SpecialFiles special(dir / "special");
    ASSERT_TRUE(special.ok());
    const std::string source = MediaPath(Media::Mp4);
    struct Case {
        std::string what, line, reason;
    } cases[] = {
        {"full disk", CommandLine(source, kFastParams, full.path + "/out.avi"), "No space left on device"},
        {"read-only disk", CommandLine(source, kFastParams, readOnly.path + "/out.avi"), "Read-only file system"},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (const std::string& path : special.paths())
        all.push_back({path, CommandLine(path, kFastParams, dir / "special.avi"), path + ": "});
    for (const auto& c : all) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Run(c.line), ZR_CT_FAILED);
        const std::string reason = ct->GetLastError(ct->handle);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        EXPECT_EQ(reason.find(".mv-"), std::string::npos) << reason;
    }
    EXPECT_FALSE(special.SomeoneBlocked()) << "ffmpeg waited on the pipe";
    EXPECT_TRUE(fs::is_empty(full.path));
    EXPECT_FALSE(FileExists(dir / "special.avi"));
}

// The first 30 % of an MP4 with its index in front converts without an
// error, to what it holds: the engine reports how far it got and what ffmpeg
// said of the source, with and without the picture; the next run of a
// healthy file reports nothing.
TEST_F(CtTest, DamagedSourceConvertsWhatItHolds)
{
    for (const char* params : {kFastParams, "-vn -acodec libmp3lame -ab 128k -threads 1"}) {
        SCOPED_TRACE(params);
        progress.seconds.clear();
        const std::string out = dir / (std::string(params).rfind("-vn", 0) == 0 ? "damaged.mp3" : "damaged.avi");
        ASSERT_EQ(Run(CommandLine(MediaPath(Media::Damaged), params, out)), ZR_CT_DONE);
        EXPECT_TRUE(FileExists(out));
        ASSERT_FALSE(progress.seconds.empty());
        EXPECT_LT(progress.seconds.back(), 5.0);
        EXPECT_GT(progress.seconds.back(), 1.0);
        const std::string report = ct->GetSourceDamage(ct->handle);
        EXPECT_NE(report.find(": partial file\n"), std::string::npos) << report;
        EXPECT_LE(std::count(report.begin(), report.end(), '\n'), 3) << report;
    }
    ASSERT_EQ(Run(CommandLine(MediaPath(Media::Mp4), kFastParams, dir / "healthy.avi")), ZR_CT_DONE);
    EXPECT_STREQ(ct->GetSourceDamage(ct->handle), "");
}

// Each run of files removes the temporary files of dead processes in the
// folders it writes to, once per folder; names of living processes and
// names of other patterns stay.
TEST_F(CtTest, RunStartRemovesTemporaryFilesOfDeadProcesses)
{
    pid_t dead = fork();
    if (dead == 0)
        _exit(0);
    ASSERT_GT(dead, 0);
    waitpid(dead, nullptr, 0);
    const std::string d = std::to_string(dead);
    const std::string mine = std::to_string(getpid());
    const std::vector<std::string> stale = {".mv-" + d + "-0-a.avi", ".mv-" + d + "-12-.b c.mp4"};
    const std::vector<std::string> kept = {
        ".mv-" + mine + "-7-ours.avi", ".mv-1-0-init.avi", "mv-" + d + "-0-plain.avi",
        ".mv-" + d + "-x-odd.avi", ".mv-" + d + "-0-", ".mv--0-nopid.avi", ".mv-" + d + "0-a.avi"};
    for (const std::string& name : stale)
        WriteFile(dir / name, "partial");
    for (const std::string& name : kept)
        WriteFile(dir / name, "keep");
    fs::create_directories(dir / (".mv-" + d + "-3-folder"));
    std::vector<std::string> expected = kept;
    expected.push_back(".mv-" + d + "-3-folder");

    const std::string source = MediaPath(Media::Mp4);
    ct->SetProgressCallback(ct->handle, OnProgress);
    ASSERT_EQ(Run(CommandLine(source, kFastParams, dir / "one.avi")), ZR_CT_DONE);
    expected.push_back("one.avi");
    EXPECT_EQ(Leftovers(expected), std::vector<std::string>());
    for (const std::string& name : expected)
        EXPECT_TRUE(fs::exists(dir / name)) << name;

    // Within the same run the folder is not looked at again; the next run does.
    WriteFile(dir / stale[0], "partial");
    ASSERT_EQ(Run(CommandLine(source, kFastParams, dir / "two.avi")), ZR_CT_DONE);
    expected.push_back("two.avi");
    EXPECT_EQ(Leftovers(expected), std::vector<std::string>{stale[0]});
    ct->SetProgressCallback(ct->handle, OnProgress);
    ASSERT_EQ(Run(CommandLine(source, "-bad-option", dir / "three.avi")), ZR_CT_FAILED);
    EXPECT_EQ(Leftovers(expected), std::vector<std::string>());
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
    // Short: an orphan would finish its conversion and go unnoticed.
    auto until = Clock::now() + std::chrono::seconds(2);
    while (!ProcessesMentioning("orphan-check.mp4").empty() && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(ProcessesMentioning("orphan-check.mp4").empty());
}
