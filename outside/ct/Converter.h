// One conversion engine instance: runs ffmpeg as a child process per Run.
#pragma once

#include "ZR_Ct.h"

#include <atomic>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

class Converter {
public:
    Converter();
    ~Converter();
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    int Run(const char* commandLine);
    void Stop();
    void TogglePause();
    void SetProgressCallback(ZRCtProgressCallback callback) { callback_ = callback; }
    void SetTaskContext(void* context);

    // The ffmpeg argument vector for a command line; empty when it is malformed.
    // `temp` receives the temporary output name, `output` the destination.
    static std::vector<std::string> BuildArgs(const std::string& commandLine, std::string& output,
                                              std::string& temp);

    // Moves `from` to `to` unless `to` exists; on false both stay as they were.
    static bool MoveNoReplace(const std::string& from, const std::string& to);
    // The same by hard link, for filesystems without a no-overwrite rename.
    static bool LinkNoReplace(const std::string& from, const std::string& to);

private:
    int Spawn(const std::vector<std::string>& args, int& outFd, int& errFd);
    // Reads progress until both pipes close; false when poll fails.
    bool Pump(int outFd, int errFd);
    void Report(double seconds, int finished);

    std::mutex mutex_;  // guards child_, paused_, stop_
    pid_t child_ = -1;
    bool paused_ = false;
    bool stop_ = false;
    int wake_[2] = {-1, -1};  // Stop writes here to wake the reading loop
    std::atomic<ZRCtProgressCallback> callback_{nullptr};
    std::atomic<void*> context_{nullptr};
    double lastSeconds_ = 0;
};
