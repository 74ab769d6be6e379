// The file list pane: one grid row per accepted source video, each paired
// with the file's MediaInfo record (row i and record i describe one file).
// Files come in by the file and folder dialogs or by dropping; the media
// import job probes them behind the loading dialog.
//
// Grid columns read by other panes: 1 duration, 3 base name, 4 output
// extension, 5 source path, 6 profile id. Column 0 holds no text; its
// renderer draws the file name.
#pragma once

#include "BaseWindow.h"
#include "PaneIds.h"

#include <wx/arrstr.h>
#include <wx/bitmap.h>
#include <wx/dynarray.h>

#include <vector>

class PlayJob;
class WmGrid;
class wxGridEvent;
class wxStaticBitmap;
struct AppSettings;
struct MediaInfo;

class SelectWindow : public BaseWindow {
public:
    enum {
        ID_SELECT_WINDOW = PANE_FILE_LIST,
        ID_MENU_REMOVE = 2,
        ID_MENU_CLEAR_ALL = 3,
    };
    enum Column {
        COL_SOURCE = 0,
        COL_DURATION = 1,
        COL_SIZE = 2,
        COL_BASE_NAME = 3,
        COL_EXTENSION = 4,
        COL_PATH = 5,
        COL_PROFILE_ID = 6,
        COLUMN_COUNT = 7,
    };

    SelectWindow();
    ~SelectWindow() override;

    // Takes ownership of skin on success (as BaseWindow::Create).
    bool Create(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxNO_BORDER,
                const wxString& name = wxPanelNameStr);

    // Codes 4, 5, 8, 9, 10, 12, 13, 15 and 16 from the menu, toolbar and
    // profile panes; any other code is ignored.
    void Update(PvSubject* subject, void* argument) override;
    using BaseWindow::Update;

    // Probes the paths behind the loading dialog and appends a row per
    // playable file; the others are named in the log dialog. Nothing happens
    // for an empty list.
    void AddFiles(const wxArrayString& paths);
    // Appends one row from its fields (file name, duration, size, base name,
    // extension, path, profile id); nothing for an empty list.
    void AddRow(const wxArrayString& fields);
    // Size, extension and profile id of every row (Apply to All) or of the
    // selected rows, from the stored profile.
    void ApplyProfile();
    void RemoveSelected();
    void ClearAll();
    // The file information dialog of the first selected row.
    void ShowFileInfo();
    // The edit and clip dialogs of the first selected row, after the preview
    // is told to stop; with no selected row only the preview record's path
    // is cleared.
    void OpenEditDialog();
    void OpenClipDialog();

    int GetRowCount() const;
    wxArrayInt GetSelectedRows() const;
    wxString GetCellText(int column, int row) const;
    void ShowBackground(bool show);
    void ShowGrid(bool show);
    void NotifySelectionChanged();

    WmGrid* GetGrid() const { return m_grid; }
    const std::vector<MediaInfo*>& GetRecords() const { return m_records; }
    bool IsApplyToAll() const { return m_applyToAll; }
    PlayJob* GetPlayJob() const { return m_playJob; }

    // Appends the files directly inside the folder (no subfolders, no hidden
    // entries), sorted by name.
    static void ListFolderFiles(const wxString& folder, wxArrayString& paths);
    // The file dialog's filter: every file, with or without a dot.
    static const char* const kVideoWildcard;

private:
    void InitGrid();
    void AddColumn(const wxString& label, int width, bool shown);
    void CopyProfileSettings();
    void ClearPlayJobPath();
    // Fills the play job from the first selected row and stops the preview;
    // false when no row is selected.
    bool PreparePlayJob();
    void OnSelectCell(wxGridEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnRightUp(wxMouseEvent& event);
    void OnAddFiles();
    void OnAddFolder();
    void OnMenuRemove(wxCommandEvent& event);
    void OnMenuClearAll(wxCommandEvent& event);

    std::vector<MediaInfo*> m_records;  // owned
    wxStaticBitmap* m_background = nullptr;
    WmGrid* m_grid = nullptr;
    bool m_applyToAll = true;
    wxString m_extension;
    wxString m_profileId;
    AppSettings* m_settings = nullptr;
    PlayJob* m_playJob = nullptr;  // owned, with its media record
    bool m_busy = false;
    wxBitmap m_rowIcon;  // the icon of every row, loaded once

    wxDECLARE_DYNAMIC_CLASS(SelectWindow);
    wxDECLARE_EVENT_TABLE();
};
