#include "PvLoadingDialog.h"

#include "EventTypes.h"
#include "PvProgressControl.h"
#include "TaskThread.h"

#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(PvLoadingDialog, wxDialog);

wxBEGIN_EVENT_TABLE(PvLoadingDialog, PvInfoDialog)
    EVT_COMMAND(wxID_ANY, EVT_MEDIA_IMPORT_PROGRESS, PvLoadingDialog::OnImportProgress)
    EVT_CLOSE(PvLoadingDialog::OnClose)
wxEND_EVENT_TABLE()

PvLoadingDialog::PvLoadingDialog() = default;

PvLoadingDialog::~PvLoadingDialog()
{
    // A thread handed over but never started would leak.
    if (!m_started)
        delete m_thread;
}

void PvLoadingDialog::CreateControls()
{
    const int w = GetSize().x;
    m_started = false;
    m_status = new wxStaticText(this, wxID_ANY, wxEmptyString, wxPoint(40, 40), wxSize(w - 80, 20),
                                wxST_NO_AUTORESIZE);
    m_status->SetBackgroundColour(*wxWHITE);
    m_progress = new PvProgressControl(this, wxID_ANY, wxPoint(40, 64), wxSize(w - 80, 24));
    m_progress->SetRange(m_range);
    // Escape must not end the dialog while the import runs.
    SetEscapeId(wxID_NONE);
    Bind(wxEVT_IDLE, &PvLoadingDialog::OnFirstIdle, this);
}

void PvLoadingDialog::SetRange(int range)
{
    m_range = range;
    if (m_progress)
        m_progress->SetRange(range);
}

int PvLoadingDialog::ShowModal()
{
    if (m_range <= 0) {
        // Nothing to load: no event would ever end the dialog.
        if (!m_started) {
            delete m_thread;
            m_thread = nullptr;
        }
        SetReturnCode(0);
        return 0;
    }
    const int code = PvInfoDialog::ShowModal();
    // Ended before its first idle: the thread's owner may be waiting for the
    // job's end, which an unstarted thread signals when it is deleted.
    if (!m_started) {
        delete m_thread;
        m_thread = nullptr;
    }
    return code;
}

wxThreadError PvLoadingDialog::StartThread(TaskThread* thread)
{
    return StartTaskThread(thread);
}

void PvLoadingDialog::OnFirstIdle(wxIdleEvent& event)
{
    event.Skip();
    if (m_started)
        return;
    m_started = true;
    Unbind(wxEVT_IDLE, &PvLoadingDialog::OnFirstIdle, this);
    TaskThread* thread = m_thread;
    m_thread = nullptr;
    // A thread that cannot start (it is gone then) would leave a dialog that
    // nothing ends.
    if (!thread || StartThread(thread) != wxTHREAD_NO_ERROR)
        Finish();
}

void PvLoadingDialog::OnImportProgress(wxCommandEvent& event)
{
    const int n = event.GetInt();
    m_status->SetLabel(event.GetString());
    m_status->SetToolTip(event.GetString());
    m_progress->SetValue(n);
    if (n >= m_range || n <= 0)
        Finish();
}

void PvLoadingDialog::OnClose(wxCloseEvent& event)
{
    // The import reports to this dialog: only its end closes it.
    if (IsModal() && event.CanVeto()) {
        event.Veto();
        return;
    }
    event.Skip();
}

void PvLoadingDialog::OnCloseButton(wxCommandEvent&)
{
    Finish();
}

void PvLoadingDialog::Finish()
{
    if (IsModal())
        EndModal(0);
}
