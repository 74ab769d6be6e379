#include "ProgressDialog.h"

#include "AppSettings.h"
#include "AppUtil.h"
#include "ConvertJob.h"
#include "ConvertReport.h"
#include "EventTypes.h"
#include "FileUtil.h"
#include "FormatCatalog.h"
#include "FormatEntry.h"
#include "ImageUtil.h"
#include "MediaInfo.h"
#include "OutputWindow.h"
#include "PvBitmapButton.h"
#include "PvCheckBox.h"
#include "PvGridCellRenderCommandEvent.h"
#include "ScreenFitText.h"
#include "SelectWindow.h"
#include "SkinButton.h"
#include "TfGridCellRenderer.h"
#include "UniqueNameRun.h"
#include "WmGrid.h"

#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/xml/xml.h>

#include <algorithm>

namespace {

constexpr int kRun = ConvertJob::kRun;
constexpr int kRunning = ConvertJob::kRunning;
constexpr int kFinished = ConvertJob::kFinished;

constexpr int kGridLeft = 40;
constexpr int kGridTop = 72;
constexpr int kGridHeight = 240;
constexpr int kBoxGap = 12;
constexpr int kButtonGap = 12;
constexpr int kCancelRight = 30;
constexpr int kButtonBottom = 12;
constexpr int kWaitStepMs = 10;
const wxColour kLabelColour(232, 232, 232);
const wxColour kBarColour(252, 156, 0);

// The conversion thread's way to reach the grid: a queued cell event.
void PostCellEvent(wxEvtHandler* target, int targetId, int percent, int row, int column,
                   int status)
{
    auto* event = new PvGridCellRenderCommandEvent(EVT_CONVERT_PROGRESS, targetId);
    event->SetInt(percent);
    event->SetRow(row);
    event->SetColumn(column);
    event->SetStatus(status);
    target->QueueEvent(event);
}

// dynamic_cast, not wxDynamicCast: that one static_casts first, undefined
// for a window of another class.
wxGrid* FindGridIn(wxWindow* window)
{
    if (!window)
        return nullptr;
    if (auto* grid = dynamic_cast<wxGrid*>(window))
        return grid;
    for (wxWindow* child : window->GetChildren())
        if (wxGrid* grid = FindGridIn(child))
            return grid;
    return nullptr;
}

wxString JoinPath(const wxString& folder, const wxString& name)
{
    return folder.EndsWith("/") ? folder + name : folder + "/" + name;
}

PvCheckBox* MakeBox(wxWindow* parent, int id, const wxString& label, const wxPoint& pos,
                    const wxBitmap* face)
{
    auto* box = new PvCheckBox(parent, id, label, pos, wxDefaultSize, wxBORDER_NONE);
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetWeight(wxFONTWEIGHT_BOLD);
    box->SetFont(font);
    box->FitToLabel();
    if (face && face->IsOk()) {
        const wxSize size = box->GetSize();
        box->SetBackgroundBitmap(ImageUtil::CropBitmap(*face, pos.x, pos.y, size.x, size.y));
    }
    return box;
}

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(ProgressDialog, wxDialog);

wxBEGIN_EVENT_TABLE(ProgressDialog, PvInfoDialog)
    EVT_BUTTON(wxID_OK, ProgressDialog::OnCloseButton)
    EVT_BUTTON(wxID_CANCEL, ProgressDialog::OnCloseButton)
    EVT_BUTTON(ProgressDialog::ID_PAUSE, ProgressDialog::OnPauseResume)
    EVT_BUTTON(ProgressDialog::ID_RESUME, ProgressDialog::OnPauseResume)
    EVT_CLOSE(ProgressDialog::OnCloseWindow)

    EVT_COMMAND(wxID_ANY, EVT_CONVERT_PROGRESS, ProgressDialog::OnProgress)
    EVT_COMMAND(wxID_ANY, EVT_CONVERT_FINISHED, ProgressDialog::OnFinished)

    EVT_TIMER(wxID_ANY, ProgressDialog::OnWaitTimer)
wxEND_EVENT_TABLE()

ProgressDialog::ProgressDialog() : m_waitTimer(this) {}

ProgressDialog::~ProgressDialog()
{
    m_waitTimer.Stop();
    if (!m_job)
        return;
    // Gone before the run's end: stop it rather than wait for every file.
    if (m_job->status != kFinished)
        StopConvertJob(m_job.get());
    m_job->WaitForEnd();
}

wxString ProgressDialog::FinishedMessage(int failed, int total)
{
    if (failed <= 0)
        return "Convert files finished.";
    return wxString::Format("Convert files finished. %d of %d files failed.", failed, total);
}

wxGrid* ProgressDialog::FindFileListGrid()
{
    return FindGridIn(wxWindow::FindWindowById(SelectWindow::ID_SELECT_WINDOW));
}

wxString ProgressDialog::GetFailureReason(int row) const
{
    return row >= 0 && size_t(row) < m_reasons.size() ? m_reasons[size_t(row)] : wxString();
}

int ProgressDialog::GetFailedCount() const
{
    return int(std::count(m_failed.begin(), m_failed.end(), true));
}

void ProgressDialog::CreateControls()
{
    m_fileList = FindFileListGrid();
    m_outputPane =
        dynamic_cast<OutputWindow*>(wxWindow::FindWindowById(OutputWindow::ID_OUTPUT_WINDOW));
    m_settings = AppSettings::Get();
    m_started = false;
    const wxSize client = GetClientSize();
    const wxBitmap* face = GetBackgroundImage();

    InitGrid();

    const wxPoint openPos(kGridLeft, kGridTop + kGridHeight + kBoxGap);
    m_openFolderBox = MakeBox(this, ID_OPEN_FOLDER_BOX,
                              "Open output folder when conversion completed", openPos, face);
    const wxPoint shutdownPos(kGridLeft, openPos.y + m_openFolderBox->GetSize().y + kBoxGap);
    m_shutdownBox = MakeBox(this, ID_SHUTDOWN_BOX, "Shutdown computer when conversion completed",
                            shutdownPos, face);

    const wxBitmap cancel = ImageUtil::LoadThemeBitmapValue("surface/base/cancel-normal.png");
    const wxSize cancelSize = cancel.IsOk() ? cancel.GetSize() : wxSize(24, 24);
    const wxPoint cancelPos(client.x - cancelSize.x - kCancelRight,
                            client.y - cancelSize.y - kButtonBottom);
    m_cancelButton = SkinButton::Create(this, ID_CANCEL, cancelPos, face,
                                        "surface/base/cancel-normal.png",
                                        "surface/base/cancel-current.png",
                                        "surface/base/cancel-pressed.png",
                                        "surface/base/cancel-disable.png");
    m_cancelButton->Bind(wxEVT_BUTTON, &ProgressDialog::OnCloseButton, this);

    const wxBitmap pause = ImageUtil::LoadThemeBitmapValue("surface/base/pause-normal.png");
    const int pauseWidth = pause.IsOk() ? pause.GetWidth() : 24;
    const wxPoint pausePos(cancelPos.x - kButtonGap - pauseWidth, cancelPos.y);
    m_pauseButton = SkinButton::Create(this, ID_PAUSE, pausePos, face,
                                       "surface/base/pause-normal.png",
                                       "surface/base/pause-current.png",
                                       "surface/base/pause-pressed.png",
                                       "surface/base/pause-disable.png");
    m_resumeButton = SkinButton::Create(this, ID_RESUME, pausePos, face,
                                        "surface/base/resume-normal.png",
                                        "surface/base/resume-current.png",
                                        "surface/base/resume-pressed.png",
                                        "surface/base/resume-disable.png");
    m_resumeButton->Hide();

    m_job = std::make_unique<ConvertJob>();
    m_job->SetTarget(this);
    m_job->postProgress = PostCellEvent;

    FillRows();
    Bind(wxEVT_IDLE, &ProgressDialog::OnIdleStart, this);
}

void ProgressDialog::InitGrid()
{
    const int w = GetClientSize().x - 2 * kGridLeft;
    m_grid = new WmGrid(this, wxID_ANY, wxPoint(kGridLeft, kGridTop), wxSize(w, kGridHeight),
                        wxBORDER_SIMPLE, wxGridNameStr);
    m_grid->CreateGrid(0, 0);
    m_grid->SetRowLabelSize(0);
    m_grid->SetColLabelSize(20);
    m_grid->SetScrollLineX(1);
    m_grid->SetLabelFont(m_grid->GetDefaultCellFont());
    m_grid->SetSelectionMode(wxGrid::wxGridSelectRows);
    m_grid->EnableEditing(false);
    m_grid->SetLabelBackgroundColour(kLabelColour);
    m_grid->SetCellHighlightPenWidth(0);
    m_grid->SetGridLineColour(kLabelColour);
    m_grid->EnableDragGridSize(false);
    m_grid->InsertCols(0, COLUMN_COUNT);
    m_grid->SetColumn(COL_DESTINATION, "Destination File", w / 3);
    m_grid->SetColumn(COL_LENGTH, "Estimated Length", w / 3);
    m_grid->SetColumn(COL_STATE, "State", w - 2 * (w / 3) - 2);
    m_grid->SetColumn(COL_SOURCE, "Source Path", 0);
    m_grid->SetColumn(COL_PROFILE_ID, "Profile Id", 0);
    m_grid->EnableDragColSize(false);
    m_grid->UseNativeColHeader(true);
    m_grid->SetColLabelAlignment(wxALIGN_LEFT, wxALIGN_CENTRE);
}

void ProgressDialog::FillRows()
{
    const int n = m_fileList ? m_fileList->GetNumberRows() : 0;
    m_failed.assign(size_t(n), false);
    m_reasons.assign(size_t(n), wxString());
    m_lengths.assign(size_t(n), ConvertReport::SourceLengths());
    if (n <= 0)
        return;
    // The file list pairs row i with record i.
    const auto* pane =
        dynamic_cast<SelectWindow*>(wxWindow::FindWindowById(SelectWindow::ID_SELECT_WINDOW));
    const std::vector<MediaInfo*> none;
    const std::vector<MediaInfo*>& records = pane ? pane->GetRecords() : none;
    m_grid->InsertRows(0, n);
    const int alignment[COLUMN_COUNT] = {wxALIGN_LEFT, wxALIGN_CENTRE, wxALIGN_LEFT,
                                         wxALIGN_LEFT, wxALIGN_LEFT};
    for (int row = 0; row < n; ++row) {
        auto cell = [&](int column) { return m_fileList->GetCellValue(row, column); };
        m_grid->SetCellValue(row, COL_DESTINATION, cell(LIST_BASE_NAME) + cell(LIST_EXTENSION));
        m_grid->SetCellValue(row, COL_LENGTH, cell(LIST_DURATION));
        auto* renderer = new TfGridCellRenderer;
        renderer->SetBarColour(kBarColour);
        renderer->SetLabel("Waiting...");
        m_grid->SetCellRenderer(row, COL_STATE, renderer);
        m_grid->SetCellValue(row, COL_SOURCE, cell(LIST_PATH));
        if (size_t(row) < records.size() && records[size_t(row)]->path == cell(LIST_PATH))
            m_lengths[size_t(row)] = ConvertReport::LengthsOf(*records[size_t(row)]);
        m_grid->SetCellValue(row, COL_PROFILE_ID, cell(LIST_PROFILE_ID));
        for (int column = 0; column < COLUMN_COUNT; ++column) {
            m_grid->SetCellAlignment(row, column, alignment[column], wxALIGN_CENTRE);
            m_grid->SetReadOnly(row, column);
        }
    }
}

void ProgressDialog::PrepareTasks()
{
    m_job->durations.Clear();
    m_job->inputs.Clear();
    m_job->params.Clear();
    m_job->outputs.Clear();
    m_job->lengths.clear();
    m_taskRows.clear();

    const int n = m_grid->GetNumberRows();
    const wxString folder = m_outputPane ? m_outputPane->GetOutputFolder() : wxString();
    // Every source, and every destination given out so far, is taken.
    UniqueNameRun names;
    for (int row = 0; row < n; ++row)
        names.Reserve(m_grid->GetCellValue(row, COL_SOURCE));

    for (int row = 0; row < n; ++row) {
        const wxString id = m_grid->GetCellValue(row, COL_PROFILE_ID);
        FormatEntry entry;
        const bool found =
            !id.empty() && m_settings && m_settings->catalog &&
            FindProfileInUse(*m_settings->catalog, id, entry);
        const wxString name =
            found ? names.Take(folder, m_grid->GetCellValue(row, COL_DESTINATION)) : wxString();
        if (name.empty()) {
            MarkFailed(row, found ? wxString("no free destination name") : "profile not found: " + id);
            continue;
        }
        const wxString output = JoinPath(folder, name);
        m_grid->SetCellValue(row, COL_DESTINATION, name);

        long hours = 0, minutes = 0, seconds = 0;
        SplitClockTime(m_grid->GetCellValue(row, COL_LENGTH), hours, minutes, seconds);
        m_job->durations.Add(int(hours * 3600 + minutes * 60 + seconds));
        // The run measures by the length shown, with the probe's stream lengths.
        ConvertReport::SourceLengths lengths;
        if (size_t(row) < m_lengths.size())
            lengths = m_lengths[size_t(row)];
        lengths.whole = m_job->durations.back();
        m_job->lengths.push_back(lengths);
        m_job->inputs.Add(m_grid->GetCellValue(row, COL_SOURCE));
        m_job->params.Add(entry.transfer_extra_param);
        m_job->outputs.Add(output);
        m_taskRows.push_back(row);
    }
}

void ProgressDialog::OnIdleStart(wxIdleEvent& event)
{
    event.Skip();
    if (m_started || m_cancelling || m_ended)
        return;
    m_started = true;
    Unbind(wxEVT_IDLE, &ProgressDialog::OnIdleStart, this);

    m_job->control = kRun;
    m_job->status = kRunning;
    PrepareTasks();
    if (!StartConvertJob(m_job.get())) {
        for (int row : m_taskRows)
            MarkFailed(row, "the conversion could not be started");
        m_job->status = kFinished;
        QueueEvent(new wxCommandEvent(EVT_CONVERT_FINISHED, GetId()));
    }
}

void ProgressDialog::SetStateLabel(int row, const wxString& label, int percent)
{
    auto* renderer = dynamic_cast<TfGridCellRenderer*>(m_grid->PeekCellRenderer(row, COL_STATE));
    if (!renderer)
        return;
    // Progress arrives twice a second per file, mostly with the same percent:
    // only a change is drawn.
    if (renderer->GetLabel() == label && (percent < 0 || renderer->GetPercent() == percent))
        return;
    if (percent >= 0)
        renderer->SetPercent(percent);
    renderer->SetLabel(label);
    m_grid->RefreshCell(row, COL_STATE);
}

void ProgressDialog::MarkFailed(int row, const wxString& reason)
{
    if (row < 0 || size_t(row) >= m_failed.size())
        return;
    m_failed[size_t(row)] = true;
    m_reasons[size_t(row)] = reason;
    SetStateLabel(row, "Fail");
    wxString oneLine = reason;
    oneLine.Replace("\n", " | ");
    FileUtil::WriteLogLine("Conversion of " + m_grid->GetCellValue(row, COL_SOURCE) + " to " +
                           m_grid->GetCellValue(row, COL_DESTINATION) + " failed: " + oneLine);
}

std::vector<ConvertReport::Failure> ProgressDialog::Failures() const
{
    std::vector<ConvertReport::Failure> failures;
    for (int row = 0; size_t(row) < m_failed.size(); ++row) {
        if (!m_failed[size_t(row)])
            continue;
        const wxString name = m_grid->GetCellValue(row, COL_DESTINATION);
        wxString reason = ConvertReport::OneLine(m_reasons[size_t(row)]);
        // A damaged source's shorter result stays under its name.
        const auto task = std::find(m_taskRows.begin(), m_taskRows.end(), row);
        const size_t index = size_t(task - m_taskRows.begin());
        if (task != m_taskRows.end() && index < m_job->damaged.size() && m_job->damaged[index])
            reason += "; the shorter output is kept";
        failures.push_back({name, reason});
    }
    return failures;
}

wxString ProgressDialog::EndMessage(int total, const std::vector<ConvertReport::Failure>& failures,
                                    const ScreenFitText& fit)
{
    const wxString count = FinishedMessage(int(failures.size()), total);
    if (failures.empty())
        return count;
    const wxString log = FileUtil::GetLogFilePath();
    return fit.FitList(std::min(ConvertReport::kListed, failures.size()),
                       [&](size_t listed, const ScreenFitText::NameCut& cut) {
                           return count + "\n\n" + ConvertReport::FailureList(failures, log, listed, cut);
                       });
}

void ProgressDialog::OnProgress(wxCommandEvent& event)
{
    auto* cell = dynamic_cast<PvGridCellRenderCommandEvent*>(&event);
    if (!cell)
        return;
    // The job counts its tasks; the grid may hold rows that never became one.
    const int task = cell->GetRow();
    if (task < 0 || size_t(task) >= m_taskRows.size())
        return;
    const int row = m_taskRows[size_t(task)];
    switch (cell->GetStatus()) {
    case ProgressTarget::STATUS_STOPPED:
        SetStateLabel(row, "Stop");
        break;
    case ProgressTarget::STATUS_FAILED:
        // The job writes the reason before it reports the failure.
        MarkFailed(row, size_t(task) < m_job->failures.size() ? m_job->failures[size_t(task)]
                                                              : wxString());
        break;
    case ProgressTarget::STATUS_PROGRESS:
        SetStateLabel(row, wxString::Format("%d%%", cell->GetInt()), cell->GetInt());
        break;
    default:
        break;
    }
}

void ProgressDialog::OnPauseResume(wxCommandEvent&)
{
    if (!m_started || m_cancelling || m_finished || m_job->status == kFinished)
        return;
    ToggleConvertPause(m_job.get());
    const bool paused = m_pauseButton->IsShown();
    m_pauseButton->Show(!paused);
    m_resumeButton->Show(paused);
}

void ProgressDialog::OnCloseButton(wxCommandEvent&)
{
    Cancel();
}

void ProgressDialog::OnCloseWindow(wxCloseEvent&)
{
    Cancel();
}

void ProgressDialog::Cancel()
{
    if (m_cancelling || m_ended)
        return;
    if (!m_job || m_job->status == kFinished) {
        EndRun();
        return;
    }
    // A stop reaches a paused converter as well, so the run is not resumed
    // first: between two files that would start the next one.
    m_cancelling = true;
    m_pauseButton->Enable(false);
    m_resumeButton->Enable(false);
    m_cancelButton->Enable(false);
    StopConvertJob(m_job.get());
    m_waitTimer.Start(kWaitStepMs);
}

void ProgressDialog::OnWaitTimer(wxTimerEvent&)
{
    if (m_job && m_job->status != kFinished)
        return;
    m_waitTimer.Stop();
    EndRun();
}

void ProgressDialog::EndRun()
{
    if (m_ended)
        return;
    m_ended = true;
    m_waitTimer.Stop();
    if (IsModal())
        EndModal(0);
}

void ProgressDialog::OnFinished(wxCommandEvent&)
{
    if (m_cancelling || m_ended || m_finished) {
        if (m_cancelling)
            EndRun();
        return;
    }
    m_finished = true;
    const wxString folder = m_outputPane ? m_outputPane->GetOutputFolder() : wxString();
    if (m_openFolderBox->GetValue())
        AppUtil::OpenFolderInExplorer(folder);
    if (m_shutdownBox->GetValue()) {
        // Should the power-off not take effect, the run is over and cancel
        // closes the dialog.
        m_pauseButton->Enable(false);
        m_resumeButton->Enable(false);
        AppUtil::PowerOff();
        return;
    }
    const ScreenFitText fit = ScreenFitText::ForMessageBoxOf(nullptr);
    wxMessageBox(fit.Fit(EndMessage(m_grid->GetNumberRows(), Failures(), fit)), wxMessageBoxCaptionStr,
                 wxOK | wxCENTRE, nullptr);
    EndRun();
}
