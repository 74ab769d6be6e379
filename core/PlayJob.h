// The playback job: plays a file through the player instance on a worker
// thread; positions reach the event window as queued events, frames reach the
// canvas as a copy taken under the job's lock with a repaint queued to the GUI
// thread. Only one playback runs at a time (one player serves the program).
#pragma once

#include "JobEnd.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include <wx/string.h>

class wxEvtHandler;
class wxImage;
class wxWindow;
struct MediaInfo;

class PlayJob {
public:
    // The id of the wxEVT_THREAD event queued to eventWindow when a play ends.
    enum { ID_END_EVENT = 2149 };

    PlayJob() = default;
    // Stops a playback still running on this record and waits for its thread.
    ~PlayJob();
    PlayJob(const PlayJob&) = delete;
    PlayJob& operator=(const PlayJob&) = delete;

    MediaInfo* media = nullptr;   // the file to play is its path
    int durationSeconds = 0;      // the file's duration
    wxWindow* eventWindow = nullptr;  // receives positions and the end event
    wxWindow* canvas = nullptr;       // repainted for every new frame
    wxString snapshotFolder;
    unsigned char snapshotFormat = 0;  // 0 JPEG, 1 BMP
    // True when nothing plays or the owner silenced the callbacks.
    std::atomic<bool> finished{true};

    // The last frame, copied under the lock, and the position reported
    // just before it (whole seconds); false when there is none.
    bool CopyFrame(wxImage& image, int* seconds = nullptr) const;
    int FrameWidth() const;
    int FrameHeight() const;
    int FrameSeconds() const;
    // Clears the last frame (for a fresh start).
    void ClearFrame();
    // Sets `finished`; once it returns no callback touches a window.
    void Silence();
    // True while a thread plays this record.
    bool Running() const { return end_.Running(); }

private:
    friend void RunPlayback(void*);
    friend int OnPlayerEvent(void*, intptr_t, intptr_t, intptr_t, intptr_t, void*);
    friend int OnPlayerFrame(unsigned char*, intptr_t, int, int, void*);
    friend bool StartPlayJob(PlayJob*);
    friend void StopPlayJob(PlayJob*);

    mutable std::mutex lock_;  // guards the frame and the windows' use
    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned char> pixels_;
    int lastSeconds_ = 0;   // the latest position reported
    int frameSeconds_ = 0;  // the position reported before the last frame
    // Taken on the GUI thread when the playback starts.
    wxEvtHandler* events_ = nullptr;
    int eventId_ = 0;
    wxEvtHandler* canvasEvents_ = nullptr;
    JobEnd end_;
};

// GUI thread: starts playing `media`'s path after the fields are set (a
// playback still running on this record is stopped first); false when the
// thread could not start.
bool StartPlayJob(PlayJob* job);
// GUI thread: silences the callbacks, stops the player and waits for the
// thread's end. Nothing happens when nothing plays.
void StopPlayJob(PlayJob* job);

// The TaskThread run callback; argument: the PlayJob.
void RunPlayback(void* job);
// The player's position callback (third argument: seconds; sixth: the job).
int OnPlayerEvent(void* handle, intptr_t kind, intptr_t seconds, intptr_t duration, intptr_t reserved,
                  void* job);
// The player's frame callback.
int OnPlayerFrame(unsigned char* pixels, intptr_t rowBytes, int width, int height, void* job);

// " -stats 1  -file \"<path>\" " with " and \ escaped inside the quotes.
wxString BuildPlayerArguments(const wxString& path);

// Wrappers over the player instance, GUI thread.
void PlayerTogglePause();
void PlayerStop();
void PlayerSeek(int seconds, int second);
void PlayerSetVolume(int value, int maximum);
void PlayerSetMuteVolume(int value, int maximum);
void* PlayerGetMediaInfo(const char* path);
