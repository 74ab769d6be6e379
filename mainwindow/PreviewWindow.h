// The built-in player of the main window: plays the selected file-list row
// on a canvas through the playback job, with elapsed and total time, a seek
// slider, play / pause / stop, snapshots of the shown frame (JPEG or BMP) and
// volume with mute. Observes the file list (NOTIFY_SELECTION_CHANGED,
// NOTIFY_STOP_PREVIEW) and the output folder pane (NOTIFY_OUTPUT_FOLDER_CHANGED).
#pragma once

#include "BaseWindow.h"
#include "MediaInfo.h"
#include "PlayJob.h"

#include <wx/image.h>

class PvBitmapButton;
class PvSlider;
class PvStaticText;
class wxControl;
class wxThreadEvent;

class PreviewWindow : public BaseWindow {
public:
    enum {
        ID_PREVIEW_WINDOW = 2140,
        ID_SEEK_SLIDER = 2142,
        ID_VOLUME_SLIDER_POSITION = 2143,
        ID_VOLUME_SLIDER = 2144,
        ID_PLAY = 2148,
        ID_STOP = PlayJob::ID_END_EVENT,  // the stop button and the playback job's end
        ID_PAUSE = 2150,
        ID_SNAPSHOT_BUTTON = 1,
        ID_OPTIONS_BUTTON = 2,
        ID_VOLUME_BUTTON = 3,
        ID_MUTE_BUTTON = 4,
        ID_MENU_SNAPSHOT = 5,
        ID_MENU_OPEN_FOLDER = 6,
        ID_MENU_CHANGE_FOLDER = 7,
        ID_MENU_JPEG = 8,
        ID_MENU_BMP = 9,
    };
    enum { FORMAT_JPEG = 0, FORMAT_BMP = 1 };

    static const wxPoint kCanvasPos;
    static const wxSize kCanvasSize;

    PreviewWindow();
    // Stops a running playback and waits for its thread.
    ~PreviewWindow() override;

    // Takes ownership of skin when the pane is created.
    virtual bool Create(wxWindow* parent, int id, wxBitmap* skin,
                        const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize, long style = 0,
                        const wxString& name = wxPanelNameStr);

    void SetSnapshotFolder(const wxString& folder) { m_playJob.snapshotFolder = folder; }
    wxString GetSnapshotFolder() const { return m_playJob.snapshotFolder; }
    int GetSnapshotFormat() const { return m_playJob.snapshotFormat; }

    using BaseWindow::Update;
    // NOTIFY_SELECTION_CHANGED from the file list, NOTIFY_OUTPUT_FOLDER_CHANGED
    // from the output pane, NOTIFY_STOP_PREVIEW; other codes are ignored.
    void Update(PvSubject* subject, void* argument) override;

    // The snapshot's path for the playing file and the time of the frame
    // shown (whole seconds).
    wxString SnapshotPath() const { return SnapshotPath(m_playJob.FrameSeconds()); }
    wxString SnapshotPath(int seconds) const;
    // Where a frame of that size lies on a canvas of the given size.
    static wxRect FramePlacement(const wxSize& frame, const wxSize& canvas);

    bool IsPaused() const { return m_paused; }
    bool IsPlaying() const { return !m_playJob.finished; }
    const PlayJob& GetPlayJob() const { return m_playJob; }
    wxString GetDurationText() const { return m_durationText; }
    wxString GetSourcePath() const { return m_sourcePath; }
    PvSlider* GetSeekSlider() const { return m_seekSlider; }
    PvSlider* GetVolumeSlider() const { return m_volumeSlider; }
    PvStaticText* GetElapsedText() const { return m_elapsedText; }
    PvStaticText* GetTotalText() const { return m_totalText; }
    PvStaticText* GetNameText() const { return m_nameText; }
    PvBitmapButton* GetPlayButton() const { return m_playButton; }
    PvBitmapButton* GetPauseButton() const { return m_pauseButton; }
    PvBitmapButton* GetStopButton() const { return m_stopButton; }
    PvBitmapButton* GetSnapshotButton() const { return m_snapshotButton; }
    PvBitmapButton* GetOptionsButton() const { return m_optionsButton; }
    PvBitmapButton* GetVolumeButton() const { return m_volumeButton; }
    PvBitmapButton* GetMuteButton() const { return m_muteButton; }
    wxControl* GetCanvas() const { return m_canvas; }

protected:
    virtual void OnPaint(wxPaintEvent& event);

private:
    void CreateTexts(const wxBitmap* face);
    void CreateButtons(const wxBitmap* face, int y);
    PvSlider* MakeSlider(int id, const wxPoint& pos, const wxString& track,
                         const wxString& thumb, const wxBitmap* face);
    // Keeps the two time labels at the pane's right edge.
    void PlaceTimes();
    void SetNameText(const wxString& name);
    void SetTimeText(PvStaticText* label, const wxString& text);
    void ReadSelection(PvSubject* fileList);
    void ResetControls();
    void SaveSnapshot(const wxImage& frame, int seconds);
    // A message box, after the paint that failed, with the path and the reason.
    void ReportSnapshotFailure(const wxString& path, const wxString& reason);

    void OnPaintCanvas(wxPaintEvent& event);
    void OnPlay(wxCommandEvent& event);
    void OnPause(wxCommandEvent& event);
    void OnStop(wxCommandEvent& event);
    void OnPlaybackEnded(wxThreadEvent& event);
    void OnPlayerPosition(wxCommandEvent& event);
    void OnSeek(wxCommandEvent& event);
    void OnVolume(wxCommandEvent& event);
    void OnMute(wxCommandEvent& event);
    void OnSnapshot(wxCommandEvent& event);
    void OnSnapshotOptions(wxCommandEvent& event);
    void OnOpenSnapshotFolder(wxCommandEvent& event);
    void SetJpeg(wxCommandEvent& event);
    void SetBmp(wxCommandEvent& event);

    PvSlider* m_seekSlider = nullptr;
    PvSlider* m_volumeSlider = nullptr;
    PvStaticText* m_elapsedText = nullptr;
    PvStaticText* m_totalText = nullptr;
    PvStaticText* m_nameText = nullptr;
    PvBitmapButton* m_playButton = nullptr;
    PvBitmapButton* m_pauseButton = nullptr;
    PvBitmapButton* m_stopButton = nullptr;
    bool m_paused = false;
    wxString m_durationText;
    wxString m_sourcePath;
    wxControl* m_canvas = nullptr;
    PvBitmapButton* m_snapshotButton = nullptr;
    PvBitmapButton* m_optionsButton = nullptr;
    PvBitmapButton* m_volumeButton = nullptr;
    PvBitmapButton* m_muteButton = nullptr;
    MediaInfo m_mediaRecord;
    bool m_snapshotRequested = false;
    PlayJob m_playJob;

    wxDECLARE_DYNAMIC_CLASS(PreviewWindow);
    wxDECLARE_EVENT_TABLE();
};
