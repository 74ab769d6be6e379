// The conversion job: converts every task of a run, one after the other, with
// the converter instance, and reports percent, failures and the end to the
// conversion dialog by queued events.
#pragma once

#include "ConvertReport.h"
#include "JobEnd.h"
#include "ProgressTarget.h"

#include <atomic>
#include <vector>

#include <wx/arrstr.h>
#include <wx/dynarray.h>
#include <wx/string.h>

class wxWindow;

// One conversion run, owned by the conversion dialog.
struct ConvertJob {
    wxArrayInt durations;   // per task: source duration, whole seconds
    wxArrayString inputs;   // per task: source path
    wxArrayString params;   // per task: the profile's "transfer_extra_param"
    wxArrayString outputs;  // per task: destination path
    // Per task: what the source's streams last (set by the dialog); a task
    // without an entry, or with no whole length, measures by `durations`.
    std::vector<ConvertReport::SourceLengths> lengths;
    // Per task: why it failed, empty when it did not. The worker sizes it at
    // its start and writes a task's entry before it reports that task.
    std::vector<wxString> failures;
    // Per task, written like `failures`: 1 when the task failed because its
    // source is damaged (ffmpeg's result, shorter, stays at the destination).
    std::vector<unsigned char> damaged;
    // Receiver of the progress and finished events (the dialog's handler) and
    // the id they carry; SetTarget fills both from a window on the GUI thread.
    wxEvtHandler* target = nullptr;
    int targetId = 0;
    // Makes and queues the grid cell event; set by the dialog.
    ConvertProgressPoster postProgress = nullptr;
    enum Control { kRun = 0, kStop = 1, kPause = 2 };
    enum Status { kFinished = 0, kPaused = 1, kRunning = 2 };
    std::atomic<int> control{kRun};     // GUI writes a Control value
    std::atomic<int> status{kFinished};  // job writes a Status value

    JobEnd end;  // the worker's use of this record
    void SetTarget(wxWindow* window);
    void WaitForEnd() { end.Wait(); }
    ~ConvertJob() { end.Wait(); }
};

// The TaskThread run callback; argument: the ConvertJob.
void RunConvertJob(void* job);
// Starts RunConvertJob on a new TaskThread (GUI thread); false when it could not start.
bool StartConvertJob(ConvertJob* job);

// The converter's progress callback; context: the task's ProgressTarget.
int OnConvertProgress(void* target, double seconds, int finished);
// Queues a percent event (status 0) for the task.
void PostConvertProgress(int percent, const ProgressTarget* target);

// GUI thread, while the job runs.
void ToggleConvertPause(ConvertJob* job);
void StopConvertJob(ConvertJob* job);

// -ii "<input>" <params> "<output>"  with " and \ escaped inside the quotes.
wxString BuildConvertCommandLine(const wxString& input, const wxString& params, const wxString& output);
