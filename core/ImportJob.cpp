#include "ImportJob.h"

#include "AppServices.h"
#include "AppSettings.h"
#include "EventTypes.h"
#include "FileUtil.h"
#include "FormatCatalog.h"
#include "RowText.h"
#include "StringUtil.h"
#include "TaskThread.h"
#include "ZR_Py.h"

#include <wx/filename.h>
#include <wx/xml/xml.h>

namespace {

void PostProgress(wxEvtHandler* dialog, int count, const wxString& name)
{
    if (!dialog)
        return;
    auto* event = new wxCommandEvent(EVT_MEDIA_IMPORT_PROGRESS, ImportJob::kDialogId);
    event->SetInt(count);
    event->SetString(name);
    dialog->QueueEvent(event);
}

// The thread's start (on the creating thread) and its very last touch of the
// record (on the worker, or wherever an unstarted thread is deleted).
void MarkRunning(void* job) { static_cast<ImportJob*>(job)->end.Begin(); }
void MarkEnded(void* job) { static_cast<ImportJob*>(job)->end.Finish(); }

}  // namespace

bool PlayerCanOpen(const wxString& path)
{
    PlayerInstance* player = AppServices::Player();
    return player && player->CanOpen && player->CanOpen(FileUtil::ToNative(path).c_str()) != 0;
}

wxString BuildImportRowText(const MediaInfo& info, const wxString& path, const AppSettings* settings)
{
    wxString size, extension, profile;
    if (settings) {
        if (settings->catalog)
            size = EstimateOutputSize(*settings->catalog, settings->profileId, info.mediaLength);
        extension = settings->outputExtension;
        profile = settings->profileId;
    }
    // The base name drops the last extension; a name without one (or with
    // only a leading dot) is its own base name.
    const int dot = info.fileName.Find('.', true);
    const wxString base = dot > 0 ? info.fileName.Left(size_t(dot)) : info.fileName;
    wxArrayString fields;
    fields.Add(info.fileName);
    fields.Add(info.duration);
    fields.Add(size);
    fields.Add(base);
    fields.Add(extension);
    fields.Add(path);
    fields.Add(profile);
    return RowText::Join(fields);
}

void ImportMediaFiles(void* user)
{
    auto* job = static_cast<ImportJob*>(user);
    const AppSettings* settings = job->settings ? job->settings : AppSettings::Get();
    const int n = job->paths ? int(job->paths->size()) : 0;
    int accepted = 0;
    int rejected = 0;
    for (int i = n - 1; i >= 0; --i) {
        const wxString path = (*job->paths)[size_t(i)];
        const wxString name = wxFileName(path).GetFullName();
        if (!PlayerCanOpen(path)) {
            if (job->failed)
                job->failed->Add(name);
            job->paths->RemoveAt(size_t(i));
            ++rejected;
            continue;
        }
        ++accepted;
        auto* info = new MediaInfo();
        info->ProbeFile(path);
        info->fileName = name;
        info->duration = FormatDuration(info->mediaLength);
        (*job->paths)[size_t(i)] = BuildImportRowText(*info, path, settings);
        if (job->records)
            job->records->push_back(info);
        else
            delete info;
        PostProgress(job->dialog, accepted, name);
    }
    // The dialog closes on the last accepted file when all were accepted;
    // otherwise (and with nothing to probe) on this closing event.
    if (rejected > 0 || n == 0)
        PostProgress(job->dialog, n, wxString());
}

TaskThread* CreateImportThread(ImportJob* job)
{
    return new TaskThread(job, ImportMediaFiles, MarkRunning, MarkEnded);
}
