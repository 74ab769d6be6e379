// Modal progress while added media files are probed (window id
// ImportJob::kDialogId, the id the import's events carry). It starts the
// import thread on its first idle event and ends when the import reports its
// last file.
//
// Callers: Create with the loading background, SetRange(number of paths),
// SetThread(the created, not started thread), ShowCloseButton(false),
// ShowModal(). The dialog takes the thread: it starts it, or deletes it
// unstarted when there is nothing to load or the dialog never runs.
#pragma once

#include "PvInfoDialog.h"

#include <wx/thread.h>

class PvProgressControl;
class TaskThread;
class wxStaticText;

class PvLoadingDialog : public PvInfoDialog {
public:
    PvLoadingDialog();
    ~PvLoadingDialog() override;

    void SetRange(int range);
    void SetThread(TaskThread* thread) { m_thread = thread; }
    // With nothing to load it returns 0 at once without showing.
    int ShowModal() override;

    bool IsStarted() const { return m_started; }
    PvProgressControl* GetProgress() const { return m_progress; }
    wxStaticText* GetStatusLabel() const { return m_status; }

protected:
    void CreateControls() override;
    void OnCloseButton(wxCommandEvent& event) override;
    // Starts the import thread; StartTaskThread by default.
    virtual wxThreadError StartThread(TaskThread* thread);

private:
    void OnFirstIdle(wxIdleEvent& event);
    void OnImportProgress(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void Finish();

    PvProgressControl* m_progress = nullptr;
    TaskThread* m_thread = nullptr;
    bool m_started = false;
    wxStaticText* m_status = nullptr;
    int m_range = 0;

    wxDECLARE_DYNAMIC_CLASS(PvLoadingDialog);
    wxDECLARE_EVENT_TABLE();
};
