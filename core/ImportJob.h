// The media import job: probes each added path with the player on a worker
// thread, turns the playable ones into file-list row texts and MediaInfo
// records, sets the others apart and reports to the loading dialog.
#pragma once

#include "JobEnd.h"
#include "MediaInfo.h"

#include <vector>

#include <wx/arrstr.h>
#include <wx/event.h>

struct AppSettings;
class TaskThread;

// The job's user record, owned by the file list with the three lists.
struct ImportJob {
    // The loading dialog's window id, and the id of every event posted to it.
    static constexpr int kDialogId = 2206;

    // Full source paths; rewritten in place: accepted entries become their row
    // text (RowText), rejected entries are removed; order kept.
    wxArrayString* paths = nullptr;
    // Receives the file name of every rejected file, last path first.
    wxArrayString* failed = nullptr;
    // One new record per accepted file, last path first (the record of final
    // row j is at accepted - 1 - j); the file list owns them afterwards.
    std::vector<MediaInfo*>* records = nullptr;
    // The loading dialog's event handler (the dialog with id kDialogId):
    // every EVT_MEDIA_IMPORT_PROGRESS goes there.
    wxEvtHandler* dialog = nullptr;
    // The settings the rows are built from; null: the application's.
    AppSettings* settings = nullptr;

    JobEnd end;  // the worker's use of this record
    // Waits for the worker's last use: the lists are safe to read after this.
    void WaitForEnd() { end.Wait(); }
    ~ImportJob() { end.Wait(); }
};

// The TaskThread run callback; argument: the ImportJob.
void ImportMediaFiles(void* job);
// A thread that runs the job, not yet started. The job counts as running from
// here until the thread's last touch of it, or until the unstarted thread is
// deleted.
TaskThread* CreateImportThread(ImportJob* job);

// True when the player can decode the file.
bool PlayerCanOpen(const wxString& path);

// The seven-field row text of an accepted file: file name, duration, estimated
// size, base name, output extension, full path, profile id.
wxString BuildImportRowText(const MediaInfo& info, const wxString& path, const AppSettings* settings);
