#include "SystemActions.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <linux/close_range.h>
#include <mutex>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::mutex& RecorderMutex()
{
    static std::mutex mutex;
    return mutex;
}

SystemActions::Recorder& CurrentRecorder()
{
    static SystemActions::Recorder recorder;
    return recorder;
}

// Writes all of `size` bytes, retrying on interruption.
bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::string SystemActions::Action::LogLine() const
{
    switch (kind) {
    case Kind::PowerOff:
        return "poweroff";
    case Kind::OpenFolder:
        return "open-folder " + EscapeControls(target);
    case Kind::OpenUrl:
        return "open-url " + EscapeControls(target);
    }
    return std::string();
}

std::string SystemActions::EscapeControls(const std::string& text)
{
    static const char hex[] = "0123456789abcdef";
    std::string escaped;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte != 0x7f) {
            escaped += ch;
        } else if (ch == '\n') {
            escaped += "\\n";
        } else if (ch == '\r') {
            escaped += "\\r";
        } else if (ch == '\t') {
            escaped += "\\t";
        } else {
            escaped += "\\x";
            escaped += hex[byte >> 4];
            escaped += hex[byte & 0xf];
        }
    }
    return escaped;
}

SystemActions::Action SystemActions::MakeAction(Kind kind, const std::string& target)
{
    Action action;
    action.kind = kind;
    switch (kind) {
    case Kind::PowerOff:
        action.argv = {"systemctl", "poweroff"};
        break;
    case Kind::OpenFolder:
    case Kind::OpenUrl:
        action.target = target;
        // A relative name or address that starts with '-' would read as an option.
        action.argv = {"xdg-open", (!target.empty() && target[0] == '-') ? "./" + target : target};
        break;
    }
    return action;
}

bool SystemActions::PowerOff()
{
    return Perform(MakeAction(Kind::PowerOff, std::string()));
}

bool SystemActions::OpenFolder(const std::string& folder)
{
    return Perform(MakeAction(Kind::OpenFolder, folder));
}

bool SystemActions::OpenUrl(const std::string& url)
{
    return Perform(MakeAction(Kind::OpenUrl, url));
}

SystemActions::Recorder SystemActions::SetRecorder(Recorder recorder)
{
    std::lock_guard<std::mutex> lock(RecorderMutex());
    std::swap(CurrentRecorder(), recorder);
    return recorder;
}

bool SystemActions::Perform(const Action& action)
{
    Recorder recorder;
    {
        std::lock_guard<std::mutex> lock(RecorderMutex());
        recorder = CurrentRecorder();
    }
    if (recorder) {
        recorder(action);
        return true;
    }
    const char* log = std::getenv("MEROVANT_ACTION_LOG");
    if (log && *log)
        return AppendToLog(log, action.LogLine());
    if (action.target.empty() && action.kind != Kind::PowerOff)
        return false;
    return Spawn(action.argv);
}

bool SystemActions::AppendToLog(const std::string& logPath, const std::string& line)
{
    int fd = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    // One write per line, so lines from several processes never mix.
    std::string text = line + "\n";
    bool ok = WriteAll(fd, text.data(), text.size());
    return close(fd) == 0 && ok;
}

bool SystemActions::Spawn(const std::vector<std::string>& argv)
{
    if (argv.empty() || argv[0].empty())
        return false;
    // Everything the children need is prepared before fork: after it only
    // async-signal-safe calls are made.
    std::vector<char*> args;
    for (const auto& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    // The grandchild reports a failed exec through this pipe; a successful
    // exec closes it (close-on-exec) and the parent reads end of file.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return false;

    pid_t child = fork();
    if (child < 0) {
        close(report[0]);
        close(report[1]);
        return false;
    }
    if (child == 0) {
        // The intermediate child: starts the program and leaves at once, so
        // the program is adopted by init and never becomes our zombie.
        setsid();
        pid_t grandchild = fork();
        if (grandchild == 0) {
            // A clean start: default signals, none blocked, and none of our
            // descriptors beyond the standard three.
            signal(SIGPIPE, SIG_DFL);
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
            int devnull = open("/dev/null", O_RDWR);
            if (devnull >= 0) {
                dup2(devnull, 0);
                dup2(devnull, 1);
                if (devnull > 2)
                    close(devnull);
            }
            execvp(args[0], args.data());
            int error = errno;
            ssize_t ignored = write(report[1], &error, sizeof error);
            (void)ignored;
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    bool started = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    int error = 0;
    ssize_t n;
    do {
        n = read(report[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    return started && n == 0;
}
