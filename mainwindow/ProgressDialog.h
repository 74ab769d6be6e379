// The conversion run dialog: copies the file list into a run grid, converts
// every row into the output folder on a worker thread, shows each file's
// percent, offers pause, resume and cancel, and ends with the chosen finish
// actions.
#pragma once

#include "ConvertReport.h"
#include "PvInfoDialog.h"

#include <wx/timer.h>

#include <memory>
#include <vector>

class OutputWindow;
class PvBitmapButton;
class PvCheckBox;
class PvGridCellRenderCommandEvent;
class ScreenFitText;
class WmGrid;
class wxGrid;
struct AppSettings;
struct ConvertJob;

class ProgressDialog : public PvInfoDialog {
public:
    enum {
        ID_OPEN_FOLDER_BOX = 2,
        ID_SHUTDOWN_BOX = 3,
        ID_CANCEL = 4,
        ID_PAUSE = 5,
        ID_RESUME = 6,
    };
    enum Column {
        COL_DESTINATION = 0,
        COL_LENGTH = 1,
        COL_STATE = 2,
        COL_SOURCE = 3,
        COL_PROFILE_ID = 4,
        COLUMN_COUNT = 5,
    };
    // Columns of the file list grid that the run reads.
    enum ListColumn {
        LIST_DURATION = 1,
        LIST_BASE_NAME = 3,
        LIST_EXTENSION = 4,
        LIST_PATH = 5,
        LIST_PROFILE_ID = 6,
    };

    ProgressDialog();
    // Stops a run still going and waits until the conversion thread no
    // longer uses the job.
    ~ProgressDialog() override;

    WmGrid* GetGrid() const { return m_grid; }
    ConvertJob* GetJob() const { return m_job.get(); }
    PvCheckBox* GetOpenFolderBox() const { return m_openFolderBox; }
    PvCheckBox* GetShutdownBox() const { return m_shutdownBox; }
    PvBitmapButton* GetPauseButton() const { return m_pauseButton; }
    PvBitmapButton* GetResumeButton() const { return m_resumeButton; }
    PvBitmapButton* GetCancelButton() const { return m_cancelButton; }
    bool IsStarted() const { return m_started; }
    // Rows whose conversion failed so far (shown "Fail").
    int GetFailedCount() const;

    // The text shown at the end of a run of `total` files of which `failed` failed.
    static wxString FinishedMessage(int failed, int total);
    // The end-of-run text: the count, then the failed files with their
    // reasons, as many whole entries as the box that fit measures holds
    // (names cut in their middle), the others counted.
    static wxString EndMessage(int total, const std::vector<ConvertReport::Failure>& failures,
                               const ScreenFitText& fit);
    // Why a row failed (empty while it has not).
    wxString GetFailureReason(int row) const;
    // The grid of the file list pane (found by its id), or null.
    static wxGrid* FindFileListGrid();

protected:
    void CreateControls() override;
    void OnCloseButton(wxCommandEvent& event) override;

private:
    void InitGrid();
    void FillRows();
    // Fills the job from the run grid; rows that cannot be converted are
    // marked failed and left out.
    void PrepareTasks();
    void SetStateLabel(int row, const wxString& label, int percent = -1);
    // Shows "Fail" and writes the reason to the log.
    void MarkFailed(int row, const wxString& reason);
    // Each failed row's destination and reason, in grid order.
    std::vector<ConvertReport::Failure> Failures() const;
    void EndRun();
    void Cancel();

    void OnIdleStart(wxIdleEvent& event);
    void OnPauseResume(wxCommandEvent& event);
    void OnProgress(wxCommandEvent& event);
    void OnFinished(wxCommandEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    void OnWaitTimer(wxTimerEvent& event);

    AppSettings* m_settings = nullptr;
    WmGrid* m_grid = nullptr;
    std::unique_ptr<ConvertJob> m_job;
    PvCheckBox* m_openFolderBox = nullptr;
    PvCheckBox* m_shutdownBox = nullptr;
    wxGrid* m_fileList = nullptr;
    OutputWindow* m_outputPane = nullptr;
    PvBitmapButton* m_pauseButton = nullptr;
    PvBitmapButton* m_resumeButton = nullptr;
    PvBitmapButton* m_cancelButton = nullptr;
    bool m_started = false;

    std::vector<int> m_taskRows;  // grid row of each task of the job
    std::vector<bool> m_failed;   // per grid row
    std::vector<wxString> m_reasons;  // per grid row: why it failed
    std::vector<ConvertReport::SourceLengths> m_lengths;  // per grid row: the probe's
    bool m_cancelling = false;
    bool m_finished = false;
    bool m_ended = false;
    wxTimer m_waitTimer;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(ProgressDialog);
    wxDECLARE_EVENT_TABLE();
};
