#include "TestSupport.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace mvtest {

TempDir::TempDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string tmpl = std::string(base && *base ? base : "/tmp") + "/mvtest-XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = buf.data();
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

RunResult Run(const std::vector<std::string>& argv)
{
    RunResult result;
    int out[2], err[2];
    if (argv.empty() || pipe2(out, O_CLOEXEC) != 0)
        return result;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return result;
    }
    pid_t pid = fork();
    if (pid == 0) {
        int devnull = open("/dev/null", O_RDONLY);
        dup2(devnull, 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, -1) < 0)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char chunk[4096];
            ssize_t n = read(fds[i].fd, chunk, sizeof chunk);
            if (n > 0) {
                sinks[i]->append(chunk, size_t(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

bool HaveProgram(const std::string& name)
{
    return Run({"sh", "-c", "command -v \"$0\" >/dev/null", name}).status == 0;
}

bool MakeClip(const std::string& path, double seconds, const std::vector<std::string>& extraArgs)
{
    std::string len = std::to_string(seconds);
    std::vector<std::string> argv = {
        "ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y",
        "-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=" + len,
        "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=" + len,
        "-shortest"};
    argv.insert(argv.end(), extraArgs.begin(), extraArgs.end());
    argv.push_back(path);
    return Run(argv).status == 0;
}

std::string Probe(const std::string& path, const std::string& entry, const std::string& streams)
{
    std::vector<std::string> argv = {"ffprobe", "-v", "error"};
    if (!streams.empty()) {
        argv.push_back("-select_streams");
        argv.push_back(streams);
    }
    argv.insert(argv.end(), {"-show_entries", entry, "-of", "default=nw=1:nk=1", path});
    std::string out = Run(argv).out;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

static std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::string StageDir() { return Env("MV_STAGE_DIR"); }
std::string SourceDir() { return Env("MV_SOURCE_DIR"); }

}  // namespace mvtest
