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
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <map>
#include <mutex>
#include <sched.h>
#include <set>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
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

    // Converts with a stand-in ffmpeg first on PATH that writes `errors`
    // (printf %b) to its error output and exits 1.
    int RunStandIn(const std::string& errors, const std::string& out)
    {
        const char* path = std::getenv("PATH");
        const std::string saved = path ? path : "";
        TempDir bin;
        WriteFile(bin / "ffmpeg", "#!/bin/sh\nprintf '%b\\n' \"" + errors + "\" >&2\nexit 1\n");
        if (chmod((bin / "ffmpeg").c_str(), 0755) != 0)
            return -1;
        setenv("PATH", (bin.path() + ":" + saved).c_str(), 1);
        const int result = Run(CommandLine(MediaPath(Media::Mp4), kFastParams, out));
        setenv("PATH", saved.c_str(), 1);
        return result;
    }

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

// A program of its own that runs one conversion; returns once its first
// progress has arrived, with the conversion paused then when asked. -1 when
// it never got that far.
pid_t StartConverterProgram(const std::string& line, bool pause)
{
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        static int fd;
        static bool pauseFirst;
        static ConverterInstance* c;
        fd = ready[1];
        pauseFirst = pause;
        ConverterService* s = ZRCreateCtService();
        c = s->CreateInstance();
        c->SetProgressCallback(c->handle, [](void*, double, int) {
            if (fd >= 0) {
                if (pauseFirst)
                    c->TogglePause(c->handle);
                char x = 1;
                ssize_t ignored = write(fd, &x, 1);
                (void)ignored;
                close(fd);
                fd = -1;
            }
            return 0;
        });
        c->Run(c->handle, line.c_str());
        _exit(0);
    }
    close(ready[1]);
    char x;
    const bool started = pid > 0 && read(ready[0], &x, 1) == 1;
    close(ready[0]);
    if (pid > 0 && !started) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return -1;
    }
    return pid;
}

// Another copy of the program in a PID namespace of its own (a sandbox, a
// container) still at work on a temporary: it holds the file's lock, and its
// pid means nothing here.
class ForeignWriter {
public:
    explicit ForeignWriter(const std::string& path)
    {
        int report[2];
        if (pipe(report) != 0)
            return;
        middle_ = fork();
        if (middle_ == 0) {
            close(report[0]);
            Middle(path, report[1]);
        }
        close(report[1]);
        if (read(report[0], &state_, sizeof state_) != sizeof state_)
            state_ = State{};
        close(report[0]);
    }
    ~ForeignWriter()
    {
        // The pid 1 of a namespace ignores what it does not handle, but SIGKILL.
        if (state_.holder > 0)
            kill(state_.holder, SIGKILL);
        if (middle_ > 0) {
            kill(middle_, SIGKILL);
            waitpid(middle_, nullptr, 0);
        }
    }
    ForeignWriter(const ForeignWriter&) = delete;
    ForeignWriter& operator=(const ForeignWriter&) = delete;

    bool Holding() const { return state_.what == 'k'; }
    std::string Why() const
    {
        return state_.what == 'u' ? "a PID namespace cannot be made here (unshare refused)"
                                  : "the process in its own PID namespace could not lock the file";
    }

private:
    struct State {
        char what = 0;  // k: holding, u: unshare refused, f: failed
        pid_t holder = -1;
    };

    [[noreturn]] static void Middle(const std::string& path, int report)
    {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        State state;
        state.what = 'u';
        if (unshare(CLONE_NEWPID) == 0 || unshare(CLONE_NEWUSER | CLONE_NEWPID) == 0) {
            int held[2];
            state.what = 'f';
            if (pipe(held) == 0 && (state.holder = fork()) == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
                const char what = getpid() == 1 && fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'k' : 'f';
                ssize_t ignored = write(held[1], &what, 1);
                (void)ignored;
                for (;;)
                    pause();
            }
            if (state.holder > 0) {
                close(held[1]);
                if (read(held[0], &state.what, 1) != 1)
                    state.what = 'f';
            }
        }
        ssize_t ignored = write(report, &state, sizeof state);
        (void)ignored;
        if (state.holder > 0)
            waitpid(state.holder, nullptr, 0);
        _exit(0);
    }

    pid_t middle_ = -1;
    State state_;
};

// A file's (or a link's own) times set to `minutes` ago.
void Age(const std::string& path, int minutes)
{
    timespec times[2];
    clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= minutes * 60;
    times[1] = times[0];
    EXPECT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

bool LockIsFree(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
    close(fd);
    return free;
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

// What others than ffmpeg's log write (the loader that cannot start it, a
// library printing its own errors) is the reason when the log holds none.
TEST_F(CtTest, WhatIsWrittenPastFfmpegsLogStillSaysWhyItFailed)
{
    struct Case {
        const char* what;
        const char* script;  // the stand-in ffmpeg's error output
        const char* reason;
    } cases[] = {
        {"a library missing", "ffmpeg: error while loading shared libraries: libx264.so.164: cannot open shared "
                              "object file: No such file or directory", "error while loading shared libraries"},
        {"an encoder's own words", "[info] Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'file:in.mp4':\n"
                                   "x265 [error]: strict-cbr: bitrate must be set", "x265 [error]: strict-cbr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RunStandIn(c.script, dir / "past-the-log.avi"), ZR_CT_FAILED);
        const std::string reason = ct->GetLastError(ct->handle);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
    }
    EXPECT_FALSE(FileExists(dir / "past-the-log.avi"));
}

// Damage is what the source's own demuxer says, also before ffmpeg names its
// format; never a muxer of the same name, another context, or a line that
// only continues a message (an output name holding a newline).
TEST_F(CtTest, OnlyTheSourcesDemuxerReportsDamage)
{
    const std::string mkv = "[info] Input #0, matroska,webm, from 'file:in.mkv':\n";
    const std::string exceeds =
        "[matroska,webm @ 0x55d0c1a2b3c0] [error] Element at 0x2f1 ending at 0x9c0 exceeds containing master element";
    struct Case {
        const char* what;
        std::string errors;
        const char* damage;  // in the report; null for none
    } cases[] = {
        {"the source's demuxer", mkv + exceeds, "exceeds containing master element"},
        {"the demuxer before its format is named", exceeds + "\n" + mkv, "exceeds containing master element"},
        {"a muxer of the same name", "[info] Input #0, avi, from 'file:in.avi':\n"
                                     "[info] Output #0, avi, to 'file:out.avi':\n"
                                     "[avi @ 0x55d0c1a2b3c0] [error] Too large number of skipped frames 1 > 0", nullptr},
        {"another context", mkv + "[libx264 @ 0x55d0c1a2b3c0] [error] broken ffmpeg default settings", nullptr},
        {"a continued line", mkv + "[error] Could not write header for output file 'file:/o/a\n"
                                   "File ended prematurely.avi': Invalid argument", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RunStandIn(c.errors, dir / "damage.avi"), ZR_CT_FAILED);
        const std::string report = ct->GetSourceDamage(ct->handle);
        if (c.damage)
            EXPECT_NE(report.find(c.damage), std::string::npos) << report;
        else
            EXPECT_EQ(report, "");
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
// said of the source, with and without the picture; so does a Matroska file
// damaged in its middle; the next run of a healthy file reports nothing.
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
    // Damaged in its middle: only the demuxer says so, and the progress
    // still runs to the end.
    progress.seconds.clear();
    ASSERT_EQ(Run(CommandLine(MediaPath(Media::Corrupted), "-vn -acodec libmp3lame -ab 128k -threads 1",
                              dir / "corrupted.mp3")),
              ZR_CT_DONE);
    ASSERT_FALSE(progress.seconds.empty());
    EXPECT_GT(progress.seconds.back(), 9.5);
    const std::string report = ct->GetSourceDamage(ct->handle);
    EXPECT_EQ(report.rfind("[matroska,webm @ 0x", 0), 0u) << report;
    EXPECT_EQ(report.find("[error]"), std::string::npos) << report;
    ASSERT_EQ(Run(CommandLine(MediaPath(Media::Mp4), kFastParams, dir / "healthy.avi")), ZR_CT_DONE);
    EXPECT_STREQ(ct->GetSourceDamage(ct->handle), "");
}

// A run's cleanup removes a temporary only when it is ours beyond doubt
// abandoned. The temporaries are real ones, left by programs that died in
// the middle of a conversion, then made into each look-alike.
TEST_F(CtTest, RunStartRemovesOnlyAbandonedTemporaries)
{
    const std::vector<std::string> roles = {"stale",   "fresh",  "held",  "other-uid", "unreadable",
                                            "linked", "symlink", "folder", "later"};
    std::map<std::string, std::string> temp;  // role -> the temporary's name
    pid_t deadPid = -1;
    {
        std::vector<pid_t> writers;
        for (const std::string& role : roles) {
            writers.push_back(StartConverterProgram(
                CommandLine(MediaPath(Media::Long), kFastParams, dir / (role + ".avi")), true));
            ASSERT_GT(writers.back(), 0) << role;
        }
        for (const auto& e : fs::directory_iterator(dir.path())) {
            const std::string name = e.path().filename().string();
            for (const std::string& role : roles) {
                const std::string tail = "-" + role + ".avi";
                if (name.compare(0, 4, ".mv-") == 0 && name.size() > tail.size() &&
                    name.compare(name.size() - tail.size(), tail.size(), tail) == 0)
                    temp[role] = name;
            }
        }
        ASSERT_EQ(temp.size(), roles.size());
        // The converting side holds the lock while ffmpeg writes.
        for (const auto& [role, name] : temp)
            EXPECT_FALSE(LockIsFree(dir / name)) << role;
        for (pid_t writer : writers) {
            kill(writer, SIGKILL);
            waitpid(writer, nullptr, 0);
        }
        deadPid = writers.front();
        auto until = Clock::now() + kHangCeiling;
        while (!ProcessesMentioning(dir.path()).empty() && Clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(ProcessesMentioning(dir.path()).empty());
    }
    const int old = 11;  // minutes
    // A case that cannot be made here is a plain abandoned temporary.
    std::vector<std::string> notTried;
    std::set<std::string> removed = {"stale"};
    auto at = [&](const std::string& role) { return dir / temp[role]; };

    // Names of the form the cleanup once took for its own, and one of the
    // whole form but for its check digits.
    const std::string dead = std::to_string(deadPid);
    const std::vector<std::string> userFiles = {".mv-2023-01-notes.txt", ".mv-" + dead + "-0-a.avi",
                                                ".mv-" + dead + "-0-0badc0de-a.avi"};
    for (const std::string& name : userFiles) {
        WriteFile(dir / name, "the user's");
        Age(dir / name, old);
    }
    for (const char* role : {"stale", "held", "other-uid", "unreadable", "linked"})
        Age(at(role), old);
    if (geteuid() == 0) {
        EXPECT_EQ(chown(at("other-uid").c_str(), 65534, 65534), 0);
    } else {
        notTried.push_back("another user's file (needs root to make)");
        removed.insert("other-uid");
    }
    // Root opens any file.
    ASSERT_EQ(chmod(at("unreadable").c_str(), 0), 0);
    if (geteuid() == 0) {
        notTried.push_back("a file that cannot be opened (root opens any)");
        removed.insert("unreadable");
    }
    ASSERT_EQ(link(at("linked").c_str(), (dir / "linked-copy.avi").c_str()), 0);
    fs::rename(at("symlink"), dir / "symlink-target.avi");
    fs::create_symlink("symlink-target.avi", at("symlink"));
    Age(dir / "symlink-target.avi", old);
    Age(at("symlink"), old);
    fs::remove(at("folder"));
    fs::create_directory(at("folder"));
    Age(at("folder"), old);
    ForeignWriter holder(at("held"));
    if (!holder.Holding()) {
        notTried.push_back("a temporary held in another PID namespace: " + holder.Why());
        removed.insert("held");
    }

    std::vector<std::string> kept = userFiles;
    for (const auto& [role, name] : temp)
        if (!removed.count(role))
            kept.push_back(name);
    kept.insert(kept.end(), {"linked-copy.avi", "symlink-target.avi", "one.avi"});

    const std::string source = MediaPath(Media::Mp4);
    ct->SetProgressCallback(ct->handle, OnProgress);
    ASSERT_EQ(Run(CommandLine(source, kFastParams, dir / "one.avi")), ZR_CT_DONE);
    for (const std::string& role : removed)
        EXPECT_FALSE(fs::exists(fs::symlink_status(at(role)))) << "the abandoned " << role << " stays";
    EXPECT_EQ(Leftovers(kept), std::vector<std::string>());
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(fs::symlink_status(dir / name))) << name << " was removed";
    EXPECT_TRUE(fs::is_symlink(at("symlink")));
    EXPECT_TRUE(fs::is_directory(at("folder")));
    for (const std::string& name : userFiles)
        EXPECT_EQ(ReadFile(dir / name), "the user's");

    // The folder is looked at once in a run of files; the next run looks again.
    Age(at("later"), old);
    ASSERT_EQ(Run(CommandLine(source, kFastParams, dir / "two.avi")), ZR_CT_DONE);
    EXPECT_TRUE(fs::exists(at("later")));
    ct->SetProgressCallback(ct->handle, OnProgress);
    ASSERT_EQ(Run(CommandLine(source, "-bad-option", dir / "three.avi")), ZR_CT_FAILED);
    EXPECT_FALSE(fs::exists(at("later")));
    kept.erase(std::find(kept.begin(), kept.end(), temp["later"]));
    kept.push_back("two.avi");
    EXPECT_EQ(Leftovers(kept), std::vector<std::string>());

    // Cases this user cannot make are told; without the foreign writer, the
    // case this test is about, it counts as skipped.
    for (const std::string& what : notTried)
        std::cout << "[   NOTE   ] not tried: " << what << std::endl;
    if (!holder.Holding())
        GTEST_SKIP() << holder.Why();
}

// Names as long as the file system takes, in bytes and in 3-byte
// characters, and names with a newline or a control character convert
// (their temporaries are longer still), and a failure names the
// destination, never the temporary.
TEST_F(CtTest, LongAndOddNamesConvertAndFailuresNameTheDestination)
{
    std::string threeByte;
    for (int i = 0; i < 80; ++i)
        threeByte += "\xE2\x82\xAC";  // the euro sign
    const std::string stems[] = {std::string(251, 'n'), threeByte, "two\nlines", "bell\x07here"};
    struct Output {
        std::string extension, params, format;
    } outputs[] = {
        {".avi", kFastParams, "avi"},
        // The MP4 muxer seeks back, and reopens its file to move the index.
        {".mp4", "-vcodec libx264 -preset ultrafast -acodec aac -threads 1 -movflags +faststart",
         "mov,mp4,m4a,3gp,3g2,mj2"},
    };
    const std::string out = dir / "out";
    fs::create_directory(out);
    std::vector<std::string> made;
    for (const std::string& stem : stems) {
        SCOPED_TRACE(stem.size());
        const std::string in = dir / (stem + ".mp4");
        ASSERT_TRUE(CopyFile(MediaPath(Media::Mp4), in));
        for (const Output& o : outputs) {
            const std::string name = stem + o.extension;
            ASSERT_LE(name.size(), 255u);
            ASSERT_EQ(Run(CommandLine(in, o.params, out + "/" + name)), ZR_CT_DONE)
                << ct->GetLastError(ct->handle);
            EXPECT_EQ(Probe(out + "/" + name, "format=format_name"), o.format);
            made.push_back(name);
        }
        // No muxer for the extension: ffmpeg names the file it was given.
        const std::string bad = out + "/" + stem + ".xyz";
        EXPECT_EQ(Run(CommandLine(in, kFastParams, bad)), ZR_CT_FAILED);
        const std::string reason = ct->GetLastError(ct->handle);
        EXPECT_NE(reason.find("Unable to find a suitable output format for '" + bad + "'"),
                  std::string::npos)
            << reason;
        EXPECT_EQ(reason.find(".mv-"), std::string::npos) << reason;
    }
    std::vector<std::string> there;
    for (const auto& e : fs::directory_iterator(out))
        there.push_back(e.path().filename().string());
    std::sort(there.begin(), there.end());
    std::sort(made.begin(), made.end());
    EXPECT_EQ(there, made);
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

TEST_F(CtTest, NoChildOutlivesTheProgram)
{
    std::string out = dir / "orphan-check.mp4";
    // A program that dies hard in the middle of a conversion.
    pid_t pid = StartConverterProgram(
        CommandLine(MediaPath(Media::Long), "-vcodec libx264 -preset medium", out), false);
    ASSERT_GT(pid, 0);
    EXPECT_FALSE(ProcessesMentioning("orphan-check.mp4").empty());
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    // Short: an orphan would finish its conversion and go unnoticed.
    auto until = Clock::now() + std::chrono::seconds(2);
    while (!ProcessesMentioning("orphan-check.mp4").empty() && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(ProcessesMentioning("orphan-check.mp4").empty());
}
