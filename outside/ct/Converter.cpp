#include "Converter.h"

#include "FfmpegLog.h"
#include "QuotedArgs.h"
#include "SourceDamage.h"
#include "TempFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Error output kept per Run: enough for the last lines.
const size_t kErrorTail = 4096;
const size_t kErrorLines = 3;
// Damage reports kept per Run, error lines of a context kept until the
// source's format is known, and the longest error line read whole (more
// than PATH_MAX: a read error starts with the source's name).
const size_t kDamageLines = 3;
const size_t kPendingLines = 64;
const size_t kLongestErrorLine = 8192;

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

std::string FfmpegPath()
{
    const char* path = std::getenv("PATH");
    std::string dirs = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        std::string candidate = (dir.empty() ? "." : dir) + "/ffmpeg";
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

// A text as ffmpeg's log prints it: control characters other than \b..\r
// become '?'.
std::string LogForm(std::string text)
{
    for (char& c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x08 || (u > 0x0D && u < 0x20))
            c = '?';
    }
    return text;
}

void CloseFd(int& fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

}  // namespace

Converter::Converter()
{
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0)
        wake_[0] = wake_[1] = -1;
}

Converter::~Converter()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (child_ > 0)
            kill(child_, SIGKILL);
    }
    CloseFd(wake_[0]);
    CloseFd(wake_[1]);
}

std::vector<std::string> Converter::BuildArgs(const std::string& commandLine, std::string& output,
                                              std::string* input)
{
    std::vector<QuotedArg> parts = QuotedArgs::Split(commandLine);
    size_t ii = 0;
    while (ii < parts.size() && !(parts[ii].text == "-ii" && !parts[ii].quoted))
        ++ii;
    // -ii, the source, and at least the destination after it.
    if (ii + 2 >= parts.size())
        return {};
    const std::string& source = parts[ii + 1].text;
    output = parts.back().text;
    if (source.empty() || output.empty())
        return {};
    if (input)
        *input = source;

    // -y: ffmpeg writes into the temporary that Run has created and locked;
    // the destination is kept by the no-replace rename. At level+info the
    // log names the source's format, and each message its level.
    std::vector<std::string> args = {"ffmpeg", "-nostdin", "-hide_banner", "-nostats",
                                     "-loglevel", "level+info", "-y", "-progress", "pipe:1",
                                     "-i", "file:" + source};
    for (size_t i = ii + 2; i + 1 < parts.size(); ++i) {
        const std::string& p = parts[i].text;
        // Overwrite choices and the log's form belong to this layer.
        if (!parts[i].quoted && (p == "-y" || p == "-n"))
            continue;
        if (!parts[i].quoted && (p == "-loglevel" || p == "-v")) {
            ++i;
            continue;
        }
        args.push_back(p);
    }
    return args;
}

std::string Converter::ErrorLines(const std::string& errorText, const std::string& temp,
                                  const std::string& output)
{
    // ffmpeg writes the name as it was given ("file:" + path), with control
    // characters other than \b..\r as '?'; a newline in it splits its line.
    // Each form is marked first, so that lines are ffmpeg's own lines.
    const std::string path(1, '\x01'), name(1, '\x02');
    std::string text = errorText;
    for (const std::string& form : {"file:" + temp, temp})
        for (const std::string& shown : {form, LogForm(form)})
            ReplaceAll(text, shown, path);
    ReplaceAll(text, NameOf(temp), name);
    ReplaceAll(text, LogForm(NameOf(temp)), name);

    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos)
            continue;
        line.erase(0, first);
        // Repeat notes and the closing summary say nothing of the cause.
        if (line.compare(0, 13, "Last message ") == 0 || line == "Conversion failed!")
            continue;
        lines.push_back(line);
    }
    std::string out;
    for (size_t i = lines.size() > kErrorLines ? lines.size() - kErrorLines : 0; i < lines.size(); ++i)
        out += (out.empty() ? "" : "\n") + lines[i];
    ReplaceAll(out, path, output);
    ReplaceAll(out, name, NameOf(output));
    return out;
}

void Converter::SetProgressCallback(ZRCtProgressCallback callback)
{
    callback_ = callback;
    std::lock_guard<std::mutex> lock(mutex_);
    cleaned_.clear();
}

int Converter::Fail(const std::string& reason)
{
    lastError_ = reason;
    return ZR_CT_FAILED;
}

void Converter::SetTaskContext(void* context)
{
    context_ = context;
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = false;
}

void Converter::Report(double seconds, int finished)
{
    ZRCtProgressCallback cb = callback_;
    if (cb)
        cb(context_, seconds, finished);
}

int Converter::Spawn(const std::vector<std::string>& args, int& outFd, int& errFd)
{
    std::string program = FfmpegPath();
    if (program.empty())
        return -1;
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return -1;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return -1;
    }
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t parent = getpid();
    pid_t pid = fork();
    if (pid == 0) {
        // Only async-signal-safe calls from here on.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        int devnull = open("/dev/null", O_RDONLY);
        if (devnull < 0 || dup2(devnull, 0) < 0 || dup2(out[1], 1) < 0 || dup2(err[1], 2) < 0)
            _exit(127);
        close_range(3, ~0U, 0);
        signal(SIGPIPE, SIG_DFL);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    if (pid < 0) {
        close(out[0]);
        close(err[0]);
        return -1;
    }
    outFd = out[0];
    errFd = err[0];
    return pid;
}

void Converter::NoteDamage(const std::string& text)
{
    size_t lines = 0;
    for (char c : damage_)
        lines += c == '\n';
    if (lines < kDamageLines)
        damage_ += text + "\n";
}

void Converter::NoteErrorLine(const std::string& raw, char end, const std::string& sourceUrl)
{
    const FfmpegLog::Line line = log_.Read(raw);
    if (!log_.Demuxer().empty() && !pending_.empty()) {
        for (const FfmpegLog::Line& before : pending_)
            if (log_.FromSourceDemuxer(before))
                NoteDamage(before.text);
        pending_.clear();
    }
    // Lines of a library writing past ffmpeg's log (x265's own) follow its
    // messages untagged: kept apart, for a failure without error messages.
    if (!line.error && !line.continued)
        return;
    std::string& kept = line.error ? errorText_ : strayText_;
    kept += line.text + end;
    if (kept.size() > 2 * kErrorTail)
        kept.erase(0, kept.size() - kErrorTail);
    if (line.continued)
        return;
    // The source's demuxer reports what it could not read.
    if (SourceDamage::Reports(line.text, sourceUrl) || log_.FromSourceDemuxer(line))
        NoteDamage(line.text);
    else if (log_.Demuxer().empty() && !line.context.empty() && pending_.size() < kPendingLines)
        pending_.push_back(line);
}

bool Converter::Pump(int outFd, int errFd, const std::string& sourceUrl)
{
    std::string line;
    errorLine_.clear();
    strayText_.clear();
    damage_.clear();
    log_ = FfmpegLog();
    pending_.clear();
    pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 3, 500) < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (fds[2].revents & POLLIN) {
            char drain[64];
            while (read(wake_[0], drain, sizeof drain) > 0) {
            }
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char chunk[4096];
            ssize_t n = read(fds[i].fd, chunk, sizeof chunk);
            if (n <= 0) {
                if (n < 0 && errno == EINTR)
                    continue;
                if (i == 1 && !errorLine_.empty())
                    NoteErrorLine(errorLine_, '\n', sourceUrl);
                fds[i].fd = -1;
                --open;
                continue;
            }
            if (i == 1) {
                for (ssize_t k = 0; k < n; ++k) {
                    if (chunk[k] != '\n' && chunk[k] != '\r') {
                        if (errorLine_.size() < kLongestErrorLine)
                            errorLine_ += chunk[k];
                        continue;
                    }
                    if (!errorLine_.empty())
                        NoteErrorLine(errorLine_, chunk[k], sourceUrl);
                    errorLine_.clear();
                }
                continue;
            }
            for (ssize_t k = 0; k < n; ++k) {
                if (chunk[k] != '\n') {
                    line += chunk[k];
                    continue;
                }
                // out_time_ms carries microseconds, like out_time_us.
                static const char key[] = "out_time_ms=";
                if (line.compare(0, sizeof key - 1, key) == 0) {
                    const char* value = line.c_str() + sizeof key - 1;
                    while (*value == ' ')
                        ++value;
                    char* end = nullptr;
                    long long us = std::strtoll(value, &end, 10);
                    if (end != value && us >= 0) {
                        lastSeconds_ = double(us) / 1e6;
                        Report(lastSeconds_, 0);
                    }
                }
                line.clear();
            }
        }
    }
    return true;
}

bool Converter::MoveNoReplace(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    // Some filesystems have no no-overwrite rename.
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return false;
    return LinkNoReplace(from, to);
}

bool Converter::LinkNoReplace(const std::string& from, const std::string& to)
{
    // link fails with EEXIST when `to` has appeared, so nothing is overwritten.
    if (link(from.c_str(), to.c_str()) != 0)
        return false;
    unlink(from.c_str());
    return true;
}

int Converter::Run(const char* commandLine)
{
    lastError_.clear();
    errorText_.clear();
    damage_.clear();
    std::string output, input;
    std::vector<std::string> args =
        commandLine ? BuildArgs(commandLine, output, &input) : std::vector<std::string>();
    if (args.empty())
        return Fail("malformed command line");
    if (Exists(output))
        return Fail("the destination exists: " + output);
    // ffmpeg would wait for ever on a pipe, and read a device without end.
    struct stat source;
    if (stat(input.c_str(), &source) != 0)
        return Fail(input + ": " + std::strerror(errno));
    if (!S_ISREG(source.st_mode))
        return Fail(input + ": not a regular file");

    int outFd = -1, errFd = -1;
    pid_t pid;
    bool clean;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        clean = cleaned_.insert(FolderOf(output)).second;
    }
    if (clean)
        TempFile::RemoveStale(FolderOf(output));
    TempFile temp;
    if (!temp.Create(FolderOf(output), NameOf(output)))
        return Fail(output + ": " + std::strerror(errno));
    // The file: prefix keeps a name from reading as an option or a protocol.
    args.push_back("file:" + temp.Path());
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stop_) {
            stop_ = false;
            return ZR_CT_STOPPED;
        }
        pid = Spawn(args, outFd, errFd);
        if (pid < 0)
            return Fail(FfmpegPath().empty() ? "ffmpeg was not found" : "ffmpeg could not be started");
        child_ = pid;
        if (paused_)
            kill(pid, SIGSTOP);
    }
    lastSeconds_ = 0;
    // Without a working poll the child's end can't be followed: stop it.
    bool followed = Pump(outFd, errFd, "file:" + input);
    if (!followed)
        kill(pid, SIGKILL);
    CloseFd(outFd);
    CloseFd(errFd);

    // Wait without reaping, so that Stop never signals a reused pid.
    siginfo_t info;
    std::memset(&info, 0, sizeof info);
    while (waitid(P_PID, pid, &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    bool stopped;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        child_ = -1;
        stopped = stop_;
        stop_ = false;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    bool ok = followed && !stopped && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!ok && !stopped) {
        std::string reason = ErrorLines(errorText_, temp.Path(), output);
        if (reason.empty())
            reason = ErrorLines(strayText_, temp.Path(), output);
        if (!followed)
            reason = "ffmpeg's progress could not be followed";
        else if (reason.empty() && WIFSIGNALED(status))
            reason = "ffmpeg was ended by signal " + std::to_string(WTERMSIG(status));
        else if (reason.empty())
            reason = "ffmpeg ended with status " + std::to_string(WEXITSTATUS(status));
        lastError_ = reason;
    }
    if (ok && !temp.StillOurs()) {
        lastError_ = "cannot name the result " + output + ": the converted file was moved or replaced";
        ok = false;
    } else if (ok && !MoveNoReplace(temp.Path(), output)) {
        lastError_ = "cannot name the result " + output + ": " + std::strerror(errno);
        ok = false;
    }
    // A failed or stopped conversion's temporary goes with `temp`.
    if (!ok)
        return stopped ? ZR_CT_STOPPED : ZR_CT_FAILED;
    temp.Release();
    Report(lastSeconds_, 1);
    return ZR_CT_DONE;
}

void Converter::Stop()
{
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    paused_ = false;
    if (child_ > 0)
        kill(child_, SIGKILL);
    if (wake_[1] >= 0) {
        char c = 1;
        ssize_t ignored = write(wake_[1], &c, 1);
        (void)ignored;
    }
}

void Converter::TogglePause()
{
    std::lock_guard<std::mutex> lock(mutex_);
    paused_ = !paused_;
    if (child_ > 0)
        kill(child_, paused_ ? SIGSTOP : SIGCONT);
}
