#include "SelectWindow.h"

#include "AppSettings.h"
#include "ClipDialog.h"
#include "DnDFile.h"
#include "EditDialog.h"
#include "FileUtil.h"
#include "FormatCatalog.h"
#include "ImageUtil.h"
#include "ImportJob.h"
#include "MediaInfo.h"
#include "NotifyCode.h"
#include "PlayJob.h"
#include "PvFileInfoDialog.h"
#include "PvLoadingDialog.h"
#include "PvLogDialog.h"
#include "PvPdfItemGridCellRenderer.h"
#include "RowText.h"
#include "TaskThread.h"
#include "WmGrid.h"

#include <wx/app.h>
#include <wx/dir.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/statbmp.h>
#include <wx/utils.h>

#include <memory>

wxIMPLEMENT_DYNAMIC_CLASS(SelectWindow, wxPanel);

wxBEGIN_EVENT_TABLE(SelectWindow, BaseWindow)
    EVT_MENU(SelectWindow::ID_MENU_REMOVE, SelectWindow::OnMenuRemove)
    EVT_MENU(SelectWindow::ID_MENU_CLEAR_ALL, SelectWindow::OnMenuClearAll)
wxEND_EVENT_TABLE()

// GTK's file chooser reads "*.*" literally and hides names without a dot.
const char* const SelectWindow::kVideoWildcard = "All Supported Video formats|*";

namespace {

// A dialog background loaded from the theme, with the size the dialog takes.
struct DialogBackground {
    explicit DialogBackground(const char* entry) : bitmap(ImageUtil::LoadThemeBitmap(entry))
    {
        if (bitmap)
            size = bitmap->GetSize();
    }
    wxBitmap* bitmap;  // handed to the dialog, which owns it
    wxSize size = wxDefaultSize;
};

}  // namespace

SelectWindow::SelectWindow() = default;

SelectWindow::~SelectWindow()
{
    for (MediaInfo* record : m_records)
        delete record;
    if (m_playJob) {
        // The job stops a playback still using its record before it goes.
        MediaInfo* media = m_playJob->media;
        delete m_playJob;
        delete media;
    }
}

bool SelectWindow::Create(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                          const wxSize& size, long style, const wxString& name)
{
    if (!BaseWindow::Create(parent, id, skin, pos, size, style, name))
        return false;

    m_background = new wxStaticBitmap(this, wxID_ANY, skin ? *skin : wxBitmap(), wxPoint(0, 0),
                                      size, 0);
    m_grid = new WmGrid(this, wxID_ANY, wxPoint(0, 0), size, wxWANTS_CHARS, wxGridNameStr);
    InitGrid();
    m_rowIcon = PvPdfItemGridCellRenderer::LoadMovieIcon();

    m_grid->Bind(wxEVT_GRID_SELECT_CELL, &SelectWindow::OnSelectCell, this);
    m_grid->GetGridWindow()->Bind(wxEVT_KEY_DOWN, &SelectWindow::OnKeyDown, this);
    m_grid->GetGridWindow()->Bind(wxEVT_RIGHT_DOWN, &SelectWindow::OnRightDown, this);
    m_grid->GetGridWindow()->Bind(wxEVT_RIGHT_UP, &SelectWindow::OnRightUp, this);

    // Drops land on the pane while it shows its picture, and on the grid's
    // cell area once the list is shown.
    SetDropTarget(new DnDFile(this));
    m_grid->GetGridWindow()->SetDropTarget(new DnDFile(this));

    m_grid->Show(false);

    m_settings = AppSettings::Get();
    m_applyToAll = true;
    if (m_settings)
        m_profileId = m_settings->profileId;

    m_playJob = new PlayJob();
    m_playJob->media = new MediaInfo();
    m_busy = false;
    return true;
}

void SelectWindow::InitGrid()
{
    m_grid->CreateGrid(0, 0);
    m_grid->SetColLabelSize(12);
    m_grid->SetRowLabelSize(0);
    m_grid->SetDefaultRowSize(28);
    m_grid->SetScrollLineX(1);
    m_grid->SetLabelFont(wxFont(9, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL,
                                false, "Arial", wxFONTENCODING_ISO8859_1));
    m_grid->SetSelectionMode(wxGrid::wxGridSelectRows);
    m_grid->EnableCellEditControl(false);
    m_grid->EnableEditing(true);
    m_grid->SetCellHighlightPenWidth(0);
    // Every cell is read-only, and read-only cells have a pen of their own.
    m_grid->SetCellHighlightROPenWidth(0);
    m_grid->EnableDragGridSize(false);
    m_grid->SetUseNativeColLabels(true);

    AddColumn("Source", 160, true);
    AddColumn("Trimmed Length", 100, true);
    AddColumn("Estimated Size", 90, true);
    AddColumn("Destination Files", 100, true);
    AddColumn("Profile", 50, true);
    AddColumn(wxEmptyString, 0, false);  // source path
    AddColumn(wxEmptyString, 0, false);  // profile id
}

void SelectWindow::AddColumn(const wxString& label, int width, bool shown)
{
    m_grid->AppendCols(1);
    const int col = m_grid->GetNumberCols() - 1;
    if (!shown) {
        m_grid->SetColSize(col, 0);
        return;
    }
    m_grid->ShowCol(col);
    m_grid->SetColLabelValue(col, wxGetTranslation(label));
    m_grid->SetColSize(col, width);
    m_grid->SetColLabelAlignment(wxALIGN_CENTRE, wxALIGN_CENTRE);
}

void SelectWindow::Update(PvSubject* subject, void* argument)
{
    if (!subject)
        return;
    switch (subject->GetState()) {
    case NOTIFY_PROFILE_CHANGED:
        if (m_grid->IsShown()) {
            CopyProfileSettings();
            ApplyProfile();
        }
        break;
    case NOTIFY_APPLY_TO_ALL: {
        const bool on = argument && *static_cast<const int*>(argument) != 0;
        m_applyToAll = on;
        if (on && m_grid->IsShown()) {
            CopyProfileSettings();
            ApplyProfile();
        }
        break;
    }
    case NOTIFY_ADD_FILES:
        OnAddFiles();
        break;
    case NOTIFY_ADD_FOLDER:
        OnAddFolder();
        break;
    case NOTIFY_FILE_INFO:
        ShowFileInfo();
        break;
    case NOTIFY_REMOVE_SELECTED:
        RemoveSelected();
        break;
    case NOTIFY_CLEAR_ALL:
        ClearAll();
        break;
    case NOTIFY_EDIT:
        OpenEditDialog();
        break;
    case NOTIFY_CLIP:
        OpenClipDialog();
        break;
    default:
        break;
    }
}

void SelectWindow::CopyProfileSettings()
{
    if (!m_settings)
        return;
    m_extension = m_settings->outputExtension;
    m_profileId = m_settings->profileId;
}

void SelectWindow::OnSelectCell(wxGridEvent&)
{
    if (m_busy)
        return;
    SetState(NOTIFY_SELECTION_CHANGED);
    Notify(nullptr);
}

void SelectWindow::NotifySelectionChanged()
{
    SetState(NOTIFY_SELECTION_CHANGED);
    Notify(nullptr);
}

void SelectWindow::OnKeyDown(wxKeyEvent& event)
{
    // Not skipped: no other key reaches the grid from its cell area.
    const int key = event.GetKeyCode();
    if (key == WXK_DELETE || key == WXK_BACK)
        RemoveSelected();
}

void SelectWindow::OnRightDown(wxMouseEvent& event)
{
    // As in a GTK list: a right press on a row outside the selection selects
    // that row alone, so the menu works on the row clicked; on a selected
    // row the selection stays as it is.
    event.Skip();
    int x = 0, y = 0;
    m_grid->CalcUnscrolledPosition(event.GetX(), event.GetY(), &x, &y);
    const int row = m_grid->YToRow(y, false);
    if (row == wxNOT_FOUND || m_grid->IsInSelection(row, 0))
        return;
    m_grid->ClearSelection();
    m_grid->SelectRow(row);
    NotifySelectionChanged();
}

void SelectWindow::OnRightUp(wxMouseEvent& event)
{
    wxMenu menu;
    menu.Append(ID_MENU_REMOVE, "Remove", wxEmptyString);
    menu.Append(ID_MENU_CLEAR_ALL, "Clear All", wxEmptyString);
    const wxPoint at = ScreenToClient(m_grid->GetGridWindow()->ClientToScreen(event.GetPosition()));
    PopupMenu(&menu, at);
}

void SelectWindow::OnMenuRemove(wxCommandEvent&)
{
    RemoveSelected();
}

void SelectWindow::OnMenuClearAll(wxCommandEvent&)
{
    ClearAll();
}

void SelectWindow::OnAddFiles()
{
    wxFileDialog dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, "Select One or More Files",
                        wxEmptyString, wxEmptyString, kVideoWildcard,
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST | wxFD_MULTIPLE);
    if (dialog.ShowModal() != wxID_OK)
        return;
    wxArrayString paths;
    dialog.GetPaths(paths);
    AddFiles(paths);
}

void SelectWindow::OnAddFolder()
{
    wxDirDialog dialog(this, "Select a folder", wxGetHomeDir(), wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return;
    wxArrayString paths;
    ListFolderFiles(dialog.GetPath(), paths);
    if (!paths.empty())
        AddFiles(paths);
}

void SelectWindow::ListFolderFiles(const wxString& folder, wxArrayString& paths)
{
    // GTK's folder chooser can answer OK with no folder.
    if (folder.empty() || !wxDir::Exists(folder))
        return;
    wxArrayString files;
    wxDir::GetAllFiles(folder, &files, wxEmptyString, wxDIR_FILES);
    // The directory's own order is arbitrary here.
    files.Sort();
    // Pipes, sockets, devices and broken links are not offered.
    for (const wxString& file : files)
        if (FileUtil::IsRegularFile(file))
            paths.Add(file);
}

void SelectWindow::AddFiles(const wxArrayString& paths)
{
    if (paths.empty())
        return;

    // Only regular files reach the player: opening a pipe or a device for
    // reading could block the import for ever.
    wxArrayString rows;
    wxArrayString refused;
    for (const wxString& path : paths) {
        if (FileUtil::IsRegularFile(path))
            rows.Add(path);
        else
            refused.Add(wxFileName(path).GetFullName());
    }
    wxArrayString failed;
    std::vector<MediaInfo*> found;
    ImportJob job;
    job.paths = &rows;
    job.failed = &failed;
    job.records = &found;
    job.settings = m_settings;
    if (!rows.empty()) {
        DialogBackground background("surface/base/loading.png");
        PvLoadingDialog dialog;
        if (!dialog.Create(nullptr, ImportJob::kDialogId, wxEmptyString, nullptr,
                           background.bitmap, wxDefaultPosition, background.size,
                           wxBORDER_NONE | wxFRAME_SHAPED, wxDialogNameStr))
            return;
        job.dialog = dialog.GetEventHandler();
        dialog.CentreOnScreen(wxBOTH);
        dialog.SetRange(int(rows.size()));
        dialog.SetThread(CreateImportThread(&job));
        dialog.ShowCloseButton(false);
        dialog.ShowModal();
        // The worker may still be about to leave the job: the lists are read
        // only after its last use.
        job.WaitForEnd();
    }

    // A job that never ran leaves the paths as they came and no records.
    if (found.size() != rows.size()) {
        for (MediaInfo* record : found)
            delete record;
        return;
    }
    for (const wxString& name : refused)
        failed.Add(name);

    if (!failed.empty()) {
        DialogBackground background("surface/window/fileinformation-bg.png");
        PvLogDialog log;
        if (log.Create(nullptr, wxID_ANY, wxEmptyString, nullptr, background.bitmap,
                       wxDefaultPosition, background.size, wxBORDER_NONE | wxFRAME_SHAPED,
                       wxDialogNameStr)) {
            for (const wxString& name : failed)
                log.AddLine(name);
            log.CentreOnScreen(wxBOTH);
            log.SetFailedCount(int(failed.size()));
            log.ShowModal();
        }
    }

    m_busy = true;
    // One layout and one repaint for all the new rows.
    const wxGridUpdateLocker batch(m_grid);
    const size_t count = rows.size();
    for (size_t j = 0; j < count; ++j) {
        // Fields are joined with '\' escaping '|' and '\' inside them.
        wxArrayString fields = RowText::Split(rows[j]);
        AddRow(fields);
        MediaInfo* record = found[count - 1 - j];
        if (fields.size() > COL_PATH)
            record->path = fields[COL_PATH];
        m_records.push_back(record);
    }
    m_busy = false;
    ShowBackground(false);
    ShowGrid(true);
}

void SelectWindow::AddRow(const wxArrayString& fields)
{
    if (fields.empty())
        return;
    m_grid->AppendRows(1);
    const int row = m_grid->GetNumberRows() - 1;
    auto* renderer = new PvPdfItemGridCellRenderer(m_rowIcon, m_rowIcon);
    renderer->SetText(FileUtil::DisplayName(fields[0]));
    renderer->SetState(PvPdfItemGridCellRenderer::STATE_FIRST_ICON);
    m_grid->SetCellRenderer(row, COL_SOURCE, renderer);
    m_grid->SetReadOnly(row, COL_SOURCE);
    const size_t last = std::min(fields.size(), size_t(COLUMN_COUNT));
    for (size_t i = 1; i < last; ++i) {
        const int col = int(i);
        // The grid centres vertically on wxALIGN_CENTRE only.
        m_grid->SetCellAlignment(row, col, wxALIGN_LEFT, wxALIGN_CENTRE);
        m_grid->SetReadOnly(row, col);
        m_grid->SetCellValue(row, col, fields[i]);
    }
}

void SelectWindow::ApplyProfile()
{
    wxArrayInt rows;
    if (m_applyToAll) {
        for (int row = 0; row < m_grid->GetNumberRows(); ++row)
            rows.push_back(row);
    } else {
        rows = m_grid->GetAllSelectedRows();
    }
    for (int row : rows) {
        if (row < 0 || size_t(row) >= m_records.size())
            continue;
        wxString size;
        if (m_settings && m_settings->catalog)
            size = EstimateOutputSize(*m_settings->catalog, m_profileId, m_records[size_t(row)]->mediaLength);
        m_grid->SetCellValue(row, COL_SIZE, size);
        m_grid->SetCellValue(row, COL_EXTENSION, m_extension);
        m_grid->SetCellValue(row, COL_PROFILE_ID, m_profileId);
    }
    m_grid->Refresh(true);
}

void SelectWindow::RemoveSelected()
{
    const wxArrayInt rows = m_grid->GetAllSelectedRows();
    for (size_t k = rows.size(); k-- > 0;) {
        const int row = rows[k];
        if (row < 0 || size_t(row) >= m_records.size())
            continue;
        m_records[size_t(row)]->removeMark = true;
        m_grid->DeleteRows(row, 1, true);
    }
    std::vector<MediaInfo*> kept;
    for (MediaInfo* record : m_records) {
        if (record->removeMark)
            delete record;
        else
            kept.push_back(record);
    }
    m_records.swap(kept);
    NotifySelectionChanged();
}

void SelectWindow::ClearAll()
{
    for (MediaInfo* record : m_records)
        delete record;
    m_records.clear();
    m_grid->DeleteAllRows();
    NotifySelectionChanged();
}

void SelectWindow::ShowFileInfo()
{
    const wxArrayInt rows = m_grid->GetAllSelectedRows();
    if (rows.empty() || rows[0] < 0 || size_t(rows[0]) >= m_records.size())
        return;
    DialogBackground background("surface/window/fileinformation-bg.png");
    PvFileInfoDialog dialog;
    if (!dialog.Create(nullptr, wxID_ANY, wxEmptyString, nullptr, background.bitmap,
                       wxDefaultPosition, background.size, wxBORDER_NONE | wxFRAME_SHAPED,
                       wxDialogNameStr))
        return;
    dialog.ShowRecord(*m_records[size_t(rows[0])]);
    dialog.CentreOnScreen(wxBOTH);
    dialog.ShowModal();
}

void SelectWindow::ClearPlayJobPath()
{
    if (m_playJob && m_playJob->media)
        m_playJob->media->path.clear();
}

bool SelectWindow::PreparePlayJob()
{
    const wxArrayInt rows = m_grid->GetAllSelectedRows();
    if (rows.empty()) {
        ClearPlayJobPath();
        return false;
    }
    if (!m_playJob || !m_playJob->media)
        return false;
    const int row = rows[0];
    const wxString duration = GetCellText(1, row);
    long hours = 0, minutes = 0, seconds = 0;
    SplitClockTime(duration, hours, minutes, seconds);
    m_playJob->media->path = GetCellText(5, row);
    m_playJob->media->duration = duration;
    m_playJob->durationSeconds = int(hours * 3600 + minutes * 60 + seconds);
    SetState(NOTIFY_STOP_PREVIEW);
    Notify(nullptr);
    return true;
}

void SelectWindow::OpenEditDialog()
{
    if (!PreparePlayJob())
        return;
    DialogBackground background("surface/window/edit-background.png");
    EditDialog dialog;
    dialog.SetPlayJob(m_playJob);
    dialog.SetCloseOffsetX(-14);
    dialog.SetCloseOffsetY(8);
    if (!dialog.Create(nullptr, wxID_ANY, wxEmptyString, nullptr, background.bitmap,
                       wxDefaultPosition, background.size, wxBORDER_NONE | wxFRAME_SHAPED,
                       wxDialogNameStr))
        return;
    dialog.CentreOnScreen(wxBOTH);
    dialog.ShowModal();
}

void SelectWindow::OpenClipDialog()
{
    if (!PreparePlayJob())
        return;
    DialogBackground background("surface/window/clip-background.png");
    ClipDialog dialog;
    dialog.SetPlayJob(m_playJob);
    dialog.SetCloseOffsetX(-16);
    if (!dialog.Create(nullptr, wxID_ANY, wxEmptyString, nullptr, background.bitmap,
                       wxDefaultPosition, background.size, wxBORDER_NONE | wxFRAME_SHAPED,
                       wxDialogNameStr))
        return;
    dialog.SetStartTime(3);
    dialog.SetEndTime(m_playJob->durationSeconds);
    dialog.CentreOnScreen(wxBOTH);
    dialog.ShowModal();
}

int SelectWindow::GetRowCount() const
{
    return m_grid->GetNumberRows();
}

wxArrayInt SelectWindow::GetSelectedRows() const
{
    return m_grid->GetAllSelectedRows();
}

wxString SelectWindow::GetCellText(int column, int row) const
{
    if (row < 0 || row >= m_grid->GetNumberRows() || column < 0 || column >= m_grid->GetNumberCols())
        return wxString();
    return m_grid->GetCellValue(row, column);
}

void SelectWindow::ShowBackground(bool show)
{
    m_background->Show(show);
}

void SelectWindow::ShowGrid(bool show)
{
    m_grid->Show(show);
}
