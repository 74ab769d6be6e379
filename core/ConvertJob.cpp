#include "ConvertJob.h"

#include "AppServices.h"
#include "ConvertReport.h"
#include "EngineQuote.h"
#include "EventTypes.h"
#include "FileUtil.h"
#include "MediaInfo.h"
#include "TaskThread.h"
#include "ZR_Ct.h"

#include <chrono>
#include <cmath>
#include <thread>

#include <wx/window.h>

namespace {

constexpr int kRun = ConvertJob::kRun;
constexpr int kStop = ConvertJob::kStop;
constexpr int kPause = ConvertJob::kPause;
constexpr int kFinished = ConvertJob::kFinished;
constexpr int kPaused = ConvertJob::kPaused;
constexpr int kRunning = ConvertJob::kRunning;

void PostState(const ProgressTarget* t, int percent, int state)
{
    if (t && t->post && t->target)
        t->post(t->target, t->targetId, percent, t->row, t->column, state);
}

wxString FailureReason(ConverterInstance* ct)
{
    const wxString reason =
        ct && ct->GetLastError ? ConvertReport::FromEngine(ct->GetLastError(ct->handle)) : wxString();
    return reason.empty() ? wxString("the conversion failed") : reason;
}

bool SourceDamageReported(ConverterInstance* ct)
{
    const char* report = ct && ct->GetSourceDamage ? ct->GetSourceDamage(ct->handle) : nullptr;
    return report && *report;
}

ConvertReport::SourceLengths TaskLengths(const ConvertJob& job, size_t task)
{
    ConvertReport::SourceLengths lengths;
    if (task < job.lengths.size())
        lengths = job.lengths[task];
    if (!(lengths.whole > 0))
        lengths.whole = job.durations[task];
    return lengths;
}

// The streams of a finished result as the player's probe measures them;
// nothing known when it cannot read the file.
ConvertReport::SourceLengths ResultLengths(const wxString& path)
{
    MediaInfo info;
    info.ProbeFile(path);
    return ConvertReport::LengthsOf(info);
}

// The verdict on a task that ffmpeg finished: measured by how far its
// progress got, and where ffmpeg reported damage also by the result's own
// streams, which a gap in the middle of the source shortens.
wxString FinishedVerdict(ConverterInstance* ct, const ConvertJob& job, size_t task, double seconds)
{
    const bool reported = SourceDamageReported(ct);
    const ConvertReport::SourceLengths source = TaskLengths(job, task);
    wxString verdict = ConvertReport::DamagedSource(seconds, source, job.params[task], reported);
    if (verdict.empty() && reported)
        verdict = ConvertReport::ShortResult(source, ResultLengths(job.outputs[task]), job.params[task]);
    return verdict;
}

// Flips a between x and y; any other value stays.
void Flip(std::atomic<int>& word, int x, int y)
{
    int expected = x;
    if (!word.compare_exchange_strong(expected, y)) {
        expected = y;
        word.compare_exchange_strong(expected, x);
    }
}

}  // namespace

void ConvertJob::SetTarget(wxWindow* window)
{
    target = window ? window->GetEventHandler() : nullptr;
    targetId = window ? window->GetId() : 0;
}

wxString BuildConvertCommandLine(const wxString& input, const wxString& params, const wxString& output)
{
    return "-ii " + EngineQuote(input) + " " + params + " " + EngineQuote(output) + " ";
}

void PostConvertProgress(int percent, const ProgressTarget* target)
{
    PostState(target, percent, ProgressTarget::STATUS_PROGRESS);
}

int OnConvertProgress(void* context, double seconds, int finished)
{
    auto* t = static_cast<ProgressTarget*>(context);
    if (t && std::isfinite(seconds))
        t->seconds = seconds;
    if (finished) {
        PostConvertProgress(100, t);
        return -1;
    }
    // A task of 0 seconds has no percent until it is finished.
    if (!t || t->durationSeconds <= 0 || !std::isfinite(seconds))
        return 0;
    double percent = seconds * 100.0 / t->durationSeconds;
    if (percent > -1.0 && percent < 101.0)
        PostConvertProgress(int(percent), t);
    return 0;
}

void RunConvertJob(void* user)
{
    auto* job = static_cast<ConvertJob*>(user);
    ConverterInstance* ct = AppServices::Converter();
    const size_t n = job->durations.size();
    if (ct)
        ct->SetProgressCallback(ct->handle, OnConvertProgress);
    job->failures.assign(n, wxString());
    job->damaged.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
        ProgressTarget t;
        t.row = int(i);
        t.column = 2;
        t.durationSeconds = job->durations[i];
        t.target = job->target;
        t.targetId = job->targetId;
        t.post = job->postProgress;
        if (ct)
            ct->SetTaskContext(ct->handle, &t);
        // After the context is set, so that a stop from now on reaches Run.
        if (job->control == kStop)
            break;
        int result = ZR_CT_FAILED;
        if (ct && i < job->inputs.size() && i < job->params.size() && i < job->outputs.size()) {
            wxString line = BuildConvertCommandLine(job->inputs[i], job->params[i], job->outputs[i]);
            result = ct->Run(ct->handle, FileUtil::ToNative(line).c_str());
        }
        if (result == ZR_CT_DONE) {
            job->failures[i] = FinishedVerdict(ct, *job, i, t.seconds);
            job->damaged[i] = !job->failures[i].empty();
        } else if (result == ZR_CT_FAILED)
            job->failures[i] = FailureReason(ct);
        if (!job->failures[i].empty())
            PostState(&t, 0, ProgressTarget::STATUS_FAILED);
        else if (result == ZR_CT_STOPPED)
            PostState(&t, 0, ProgressTarget::STATUS_STOPPED);
        if (ct)
            ct->SetTaskContext(ct->handle, nullptr);
        if (job->control == kStop)
            break;
        while (job->control == kPause)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (job->control == kStop)
            break;
    }
    // A pause that arrived as the last file ended leaves the shared converter
    // paused; undo it so that the next run's files do not hang. A stop has
    // already cleared the converter's pause.
    if (job->status.exchange(kFinished) == kPaused && job->control != kStop && ct)
        ct->TogglePause(ct->handle);
    if (job->target) {
        auto* event = new wxCommandEvent(EVT_CONVERT_FINISHED, job->targetId);
        job->target->QueueEvent(event);
    }
    // The last touch of the record: the dialog may free it from here on.
    job->end.Finish();
}

bool StartConvertJob(ConvertJob* job)
{
    job->end.Begin();
    if (StartTaskThread(new TaskThread(job, RunConvertJob)) != wxTHREAD_NO_ERROR) {
        job->end.Finish();
        return false;
    }
    return true;
}

void ToggleConvertPause(ConvertJob* job)
{
    // A stop request is final, and a finished run stays finished: the status
    // word is flipped first, so that the worker's end sees every pause.
    if (job->control == kStop)
        return;
    int status = job->status.load();
    do {
        if (status == kFinished)
            return;
    } while (!job->status.compare_exchange_weak(status, status == kPaused ? kRunning : kPaused));
    Flip(job->control, kRun, kPause);
    if (ConverterInstance* ct = AppServices::Converter())
        ct->TogglePause(ct->handle);
}

void StopConvertJob(ConvertJob* job)
{
    job->control = kStop;
    if (ConverterInstance* ct = AppServices::Converter())
        ct->Stop(ct->handle);
}
