// Helpers shared by the tests: temporary folders, child programs, generated media.
#pragma once

#include <string>
#include <vector>

namespace mvtest {

// A fresh folder under $TMPDIR, removed with everything in it on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

struct RunResult {
    int status = -1;  // exit status, or 128 + signal
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs argv[0] found on PATH with an argument vector (no shell), waits for it.
RunResult Run(const std::vector<std::string>& argv);

// True when the program is on PATH.
bool HaveProgram(const std::string& name);

// Generates a clip with ffmpeg's lavfi sources. `extraArgs` go before the
// output name (codecs, sizes); seconds is the clip's length.
bool MakeClip(const std::string& path, double seconds,
              const std::vector<std::string>& extraArgs = {});

// ffprobe's value for one entry, e.g. ("format=duration") or ("stream=codec_name", "v:0").
std::string Probe(const std::string& path, const std::string& entry,
                  const std::string& streams = "");

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// Environment values set by ctest: the staged program folder, the sources.
std::string StageDir();
std::string SourceDir();

}  // namespace mvtest
