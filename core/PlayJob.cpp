#include "PlayJob.h"

#include "AppServices.h"
#include "EngineQuote.h"
#include "EventTypes.h"
#include "FileUtil.h"
#include "MediaInfo.h"
#include "TaskThread.h"
#include "ZR_Py.h"

#include <cstring>

#include <wx/image.h>
#include <wx/window.h>

namespace {

PlayerInstance* Player() { return AppServices::Player(); }

}  // namespace

PlayJob::~PlayJob()
{
    StopPlayJob(this);
}

bool PlayJob::CopyFrame(wxImage& image, int* seconds) const
{
    std::lock_guard<std::mutex> lock(lock_);
    if (finished || width_ <= 0 || height_ <= 0 || pixels_.empty())
        return false;
    if (seconds)
        *seconds = frameSeconds_;
    image.Create(width_, height_, false);
    std::memcpy(image.GetData(), pixels_.data(), pixels_.size());
    return true;
}

int PlayJob::FrameWidth() const
{
    std::lock_guard<std::mutex> lock(lock_);
    return width_;
}

int PlayJob::FrameHeight() const
{
    std::lock_guard<std::mutex> lock(lock_);
    return height_;
}

int PlayJob::FrameSeconds() const
{
    std::lock_guard<std::mutex> lock(lock_);
    return frameSeconds_;
}

void PlayJob::ClearFrame()
{
    std::lock_guard<std::mutex> lock(lock_);
    width_ = height_ = 0;
    pixels_.clear();
    lastSeconds_ = frameSeconds_ = 0;
}

void PlayJob::Silence()
{
    std::lock_guard<std::mutex> lock(lock_);
    finished = true;
}

wxString BuildPlayerArguments(const wxString& path)
{
    return " -stats 1  -file " + EngineQuote(path) + " ";
}

void RunPlayback(void* user)
{
    auto* job = static_cast<PlayJob*>(user);
    // Paths keep their backslashes: on this system they are part of a name.
    const wxString path = job->media ? job->media->path : wxString();
    if (PlayerInstance* py = Player()) {
        py->Reset(py->handle);
        py->SetPositionCallback(py->handle, OnPlayerEvent, job);
        py->SetFrameCallback(py->handle, OnPlayerFrame, job);
        // An owner that stopped before this point is not overridden by Reset.
        if (!job->finished)
            py->Play(py->handle, FileUtil::ToNative(BuildPlayerArguments(path)).c_str(), 0);
    }
    {
        std::lock_guard<std::mutex> lock(job->lock_);
        job->finished = true;
        if (job->events_)
            job->events_->QueueEvent(new wxThreadEvent(wxEVT_THREAD, PlayJob::ID_END_EVENT));
    }
    // The last touch of the record: the owner may free it from here on.
    job->end_.Finish();
}

int OnPlayerEvent(void*, intptr_t, intptr_t seconds, intptr_t, intptr_t, void* user)
{
    auto* job = static_cast<PlayJob*>(user);
    std::lock_guard<std::mutex> lock(job->lock_);
    if (job->finished || !job->events_)
        return 0;
    job->lastSeconds_ = int(seconds);
    auto* event = new wxCommandEvent(EVT_PLAYER_POSITION, job->eventId_);
    event->SetInt(int(seconds));
    job->events_->QueueEvent(event);
    return 0;
}

int OnPlayerFrame(unsigned char* pixels, intptr_t, int width, int height, void* user)
{
    auto* job = static_cast<PlayJob*>(user);
    std::lock_guard<std::mutex> lock(job->lock_);
    if (job->finished || !pixels || width <= 0 || height <= 0)
        return 0;
    job->width_ = width;
    job->height_ = height;
    job->frameSeconds_ = job->lastSeconds_;
    job->pixels_.assign(pixels, pixels + size_t(width) * size_t(height) * 3);
    if (job->canvasEvents_) {
        wxWindow* canvas = job->canvas;
        job->canvasEvents_->CallAfter([canvas] { canvas->Refresh(false); });
    }
    return 0;
}

bool StartPlayJob(PlayJob* job)
{
    StopPlayJob(job);
    job->ClearFrame();
    {
        std::lock_guard<std::mutex> lock(job->lock_);
        job->events_ = job->eventWindow ? job->eventWindow->GetEventHandler() : nullptr;
        job->eventId_ = job->eventWindow ? job->eventWindow->GetId() : 0;
        job->canvasEvents_ = job->canvas ? job->canvas->GetEventHandler() : nullptr;
        job->finished = false;
    }
    job->end_.Begin();
    if (StartTaskThread(new TaskThread(job, RunPlayback)) != wxTHREAD_NO_ERROR) {
        job->Silence();
        job->end_.Finish();
        return false;
    }
    return true;
}

void StopPlayJob(PlayJob* job)
{
    if (!job->end_.Running())
        return;
    job->Silence();
    PlayerStop();
    job->end_.Wait();
}

void PlayerTogglePause()
{
    if (PlayerInstance* py = Player())
        py->TogglePause(py->handle);
}

void PlayerStop()
{
    if (PlayerInstance* py = Player())
        py->Stop(py->handle);
}

void PlayerSeek(int seconds, int second)
{
    if (PlayerInstance* py = Player())
        py->Seek(py->handle, seconds, second);
}

void PlayerSetVolume(int value, int maximum)
{
    if (PlayerInstance* py = Player())
        py->SetVolume(py->handle, value, maximum);
}

void PlayerSetMuteVolume(int value, int maximum)
{
    PlayerSetVolume(value, maximum);
}

void* PlayerGetMediaInfo(const char* path)
{
    PlayerInstance* py = Player();
    return py && path ? py->GetMediaInfo(path) : nullptr;
}
