// Trim dialog for one source file: plays it in a preview pane through the
// playback job and sets a start and an end with two marks under the seek
// slider. A preview only: nothing of it reaches the file list or the
// conversion.
//
// Opener: SetPlayJob, SetCloseOffsetX(-16), Create(...), SetStartTime(3),
// SetEndTime(duration), CentreOnScreen, ShowModal.
#pragma once

#include "PreviewPlayback.h"
#include "PvInfoDialog.h"

class PlayJob;
class PvBitmapButton;
class PvClipSlider;
class PvSlider;
class PvStaticText;
class wxTextCtrl;

class ClipDialog : public PvInfoDialog {
public:
    enum {
        ID_SEEK_SLIDER = 1,
        ID_CLIP_SLIDER = 2,
        ID_PLAY = 3,
        ID_PAUSE = 4,
        ID_RESET = 5,
        ID_OK = 6,
        ID_CANCEL = 7,
        ID_NEXT_FRAME = 8,
        ID_MARK_IN = 9,
        ID_MARK_OUT = 10,
        ID_PLAY_SECTION = 11,
    };

    ClipDialog();
    ~ClipDialog() override;

    // Before Create: the layout reads the job. Not owned.
    void SetPlayJob(PlayJob* job) { m_playback.SetJob(job); }
    void SetStartTime(int seconds);
    void SetEndTime(int seconds);
    // Stops the playback before the modal loop ends, whoever ends it.
    void EndModal(int code) override;

    int GetStartSeconds() const { return m_startSeconds; }
    int GetEndSeconds() const { return m_endSeconds; }
    // Seconds of a seek-slider position.
    int TimeOfPosition(int position) const;

protected:
    void CreateControls() override;
    void OnCloseButton(wxCommandEvent& event) override;

private:
    void OnClipSlider(wxCommandEvent& event);
    void OnPlayerPosition(wxCommandEvent& event);
    void OnSeekSlider(wxCommandEvent& event);
    void OnPlay(wxCommandEvent& event);
    void OnPause(wxCommandEvent& event);
    void OnReset(wxCommandEvent& event);
    void OnMarkIn(wxCommandEvent& event);
    void OnMarkOut(wxCommandEvent& event);
    void OnFirstIdle(wxIdleEvent& event);
    void OnPaintPreview(wxPaintEvent& event);
    wxString DurationText() const;
    void ShowLength();

    wxControl* m_preview = nullptr;
    PvSlider* m_seekSlider = nullptr;
    PvClipSlider* m_clipSlider = nullptr;
    PvBitmapButton* m_playButton = nullptr;
    PvBitmapButton* m_pauseButton = nullptr;
    bool m_paused = false;
    wxTextCtrl* m_startBox = nullptr;
    wxTextCtrl* m_endBox = nullptr;
    PvStaticText* m_elapsedLabel = nullptr;
    PvStaticText* m_lengthLabel = nullptr;
    PreviewPlayback m_playback;
    int m_startSeconds = 0;
    int m_endSeconds = 0;
    bool m_idleDone = false;

    wxDECLARE_DYNAMIC_CLASS(ClipDialog);
    wxDECLARE_EVENT_TABLE();
};
