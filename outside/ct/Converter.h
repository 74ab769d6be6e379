// One conversion engine instance: runs ffmpeg as a child process per Run.
#pragma once

#include "FfmpegLog.h"
#include "ZR_Ct.h"

#include <atomic>
#include <mutex>
#include <set>
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
    // Also starts a run of files: each folder is cleaned again once.
    void SetProgressCallback(ZRCtProgressCallback callback);
    void SetTaskContext(void* context);
    // Why the last Run failed; empty after a success or a stop.
    const std::string& LastError() const { return lastError_; }
    // What ffmpeg reported about damage in the source during the last Run
    // (SourceDamage's lines, the first few, joined by "\n"); empty when it
    // reported none.
    const std::string& SourceDamageReport() const { return damage_; }

    // The ffmpeg argument vector for a command line, all but the output file
    // (Run adds its temporary); empty when the line is malformed. `output`
    // receives the destination.
    static std::vector<std::string> BuildArgs(const std::string& commandLine, std::string& output,
                                              std::string* input = nullptr);

    // The last few lines of ffmpeg's error text worth showing, with the
    // temporary name, in every form ffmpeg prints it, replaced by the
    // destination.
    static std::string ErrorLines(const std::string& errorText, const std::string& temp,
                                  const std::string& output);

    // Moves `from` to `to` unless `to` exists; on false both stay as they were.
    static bool MoveNoReplace(const std::string& from, const std::string& to);
    // The same by hard link, for filesystems without a no-overwrite rename.
    static bool LinkNoReplace(const std::string& from, const std::string& to);

private:
    int Spawn(const std::vector<std::string>& args, int& outFd, int& errFd);
    // Reads progress until both pipes close, and what the error output says
    // of the source read from sourceUrl; false when poll fails.
    bool Pump(int outFd, int errFd, const std::string& sourceUrl);
    // One whole line of ffmpeg's error output and the character that ended it.
    void NoteErrorLine(const std::string& line, char end, const std::string& sourceUrl);
    void NoteDamage(const std::string& text);
    void Report(double seconds, int finished);
    int Fail(const std::string& reason);

    std::mutex mutex_;  // guards child_, paused_, stop_
    pid_t child_ = -1;
    bool paused_ = false;
    bool stop_ = false;
    int wake_[2] = {-1, -1};  // Stop writes here to wake the reading loop
    std::atomic<ZRCtProgressCallback> callback_{nullptr};
    std::atomic<void*> context_{nullptr};
    double lastSeconds_ = 0;
    std::string errorText_;  // the tail of the running ffmpeg's error messages
    std::string errorLine_;  // its line being read
    std::string strayText_;  // the tail of its untagged lines after other messages
    FfmpegLog log_;          // the levels and the source's format read so far
    std::vector<FfmpegLog::Line> pending_;  // errors of contexts read before the format
    std::string damage_;     // its reports of damage in the source
    std::string lastError_;
    std::set<std::string> cleaned_;  // folders cleaned in this run of files; under mutex_
};
