// Edit dialog for one source file: plays it in a source pane through the
// playback job with a red crop rectangle that the mouse moves and resizes,
// copies each picture into a target pane, and offers seek, volume and mute,
// and four pages of settings behind a tab strip. A preview only: nothing
// of it reaches the file list or the conversion.
//
// Opener: SetPlayJob, SetCloseOffsetX(-14), SetCloseOffsetY(8),
// Create(...), CentreOnScreen, ShowModal.
#pragma once

#include "PreviewPlayback.h"
#include "PvInfoDialog.h"

#include <wx/control.h>

#include <memory>

class EditCropPage;
class EditEffectPage;
class EditSubtitlePage;
class EditWatermarkPage;
class PlayJob;
class PvBitmapButton;
class PvSlider;

class EditDialog : public PvInfoDialog {
public:
    enum {
        ID_TAB_CROP = 1,
        ID_TAB_EFFECT = 2,
        ID_TAB_WATERMARK = 3,
        ID_TAB_SUBTITLE = 4,
        ID_SEEK_SLIDER = 5,
        ID_PLAY = 7,
        ID_PAUSE = 8,
        ID_STOP = 9,
        ID_ROTATE = 10,
        ID_LEVEL = 11,
        ID_VERTICAL = 12,
        ID_CANCEL = 15,
        ID_VOLUME = 17,
        ID_MUTE = 18,
        ID_TAB_CROP_PRESSED = 19,
        ID_TAB_EFFECT_PRESSED = 26,
        ID_TAB_WATERMARK_PRESSED = 32,
    };
    // The crop rectangle's drag modes.
    enum CropMode {
        CROP_NONE = -1,
        CROP_TOP = 0,
        CROP_BOTTOM = 1,
        CROP_LEFT = 2,
        CROP_RIGHT = 3,
        CROP_TOP_LEFT = 4,
        CROP_TOP_RIGHT = 5,
        CROP_BOTTOM_LEFT = 6,
        CROP_BOTTOM_RIGHT = 7,
        CROP_MOVE = 8,
    };
    // Smallest crop width and height: the rectangle always keeps an inside.
    static constexpr int kMinCropSize = 8;

    EditDialog();
    ~EditDialog() override;

    // Before Create: the layout reads the job. Not owned.
    void SetPlayJob(PlayJob* job) { m_playback.SetJob(job); }
    // Stops the playback before the modal loop ends, whoever ends it.
    void EndModal(int code) override;

    wxRect GetCropRect() const { return m_cropRect; }
    int GetCropMode() const { return m_cropMode; }
    int GetCurrentTab() const { return m_currentTab; }
    wxWindow* GetSourcePane() const { return m_sourcePane; }
    wxWindow* GetTargetPane() const { return m_targetPane; }
    EditCropPage* GetCropPage() const { return m_cropPage.get(); }
    EditEffectPage* GetEffectPage() const { return m_effectPage.get(); }
    EditWatermarkPage* GetWatermarkPage() const { return m_watermarkPage.get(); }
    EditSubtitlePage* GetSubtitlePage() const { return m_subtitlePage.get(); }
    // The normal (false) or pressed (true) tab of a page, 1 to 4.
    PvBitmapButton* GetTab(int page, bool pressed) const;

    // The drag mode and cursor for a point of the crop rectangle's 2-pixel
    // band, given the inner rectangle.
    static int PickCropHandle(const wxRect& inner, const wxPoint& p, wxStockCursor* cursor);

protected:
    void CreateControls() override;
    void OnCloseButton(wxCommandEvent& event) override;

private:
    void CreateTabs(int top);
    // Shows or hides page 1 to 4 and turns its tab to match.
    void ShowPage(int page, bool show);
    void OnTab(wxCommandEvent& event);
    void OnSeekSlider(wxCommandEvent& event);
    void OnPlayerPosition(wxCommandEvent& event);
    void OnVolume(wxCommandEvent& event);
    void OnMute(wxCommandEvent& event);
    void OnFirstIdle(wxIdleEvent& event);
    void OnPaintSource(wxPaintEvent& event);
    void OnPaintTarget(wxPaintEvent& event);
    void OnCropMotion(wxMouseEvent& event);
    void OnCropLeftDown(wxMouseEvent& event);
    void OnCropLeftUp(wxMouseEvent& event);
    void OnCropCaptureLost(wxMouseCaptureLostEvent& event);
    // Hover: the mode and cursor for p; the mode stays outside the rectangle.
    void PickMode(const wxPoint& p);
    void DragCrop(const wxPoint& p);

    PreviewPlayback m_playback;
    bool m_idleDone = false;
    wxRect m_cropRect;
    int m_cropMode = CROP_NONE;
    bool m_dragging = false;  // from a press on the rectangle to its release
    wxPoint m_pressPoint;
    wxPoint m_pressOrigin;
    wxControl* m_sourcePane = nullptr;
    wxControl* m_targetPane = nullptr;
    wxBitmap m_targetPicture;  // the last picture, as the target pane shows it
    wxPoint m_targetAt;
    PvBitmapButton* m_playButton = nullptr;
    PvBitmapButton* m_pauseButton = nullptr;
    bool m_paused = false;
    PvBitmapButton* m_stopButton = nullptr;
    PvBitmapButton* m_rotateButton = nullptr;
    PvBitmapButton* m_levelButton = nullptr;
    PvBitmapButton* m_verticalButton = nullptr;
    PvSlider* m_seekSlider = nullptr;
    PvBitmapButton* m_volumeButton = nullptr;
    PvBitmapButton* m_muteButton = nullptr;
    PvSlider* m_volumeSlider = nullptr;
    int m_currentTab = 1;
    PvBitmapButton* m_tabs[5][2] = {};  // [page][0 normal, 1 pressed]
    std::unique_ptr<EditCropPage> m_cropPage;
    std::unique_ptr<EditEffectPage> m_effectPage;
    std::unique_ptr<EditWatermarkPage> m_watermarkPage;
    std::unique_ptr<EditSubtitlePage> m_subtitlePage;

    wxDECLARE_DYNAMIC_CLASS(EditDialog);
    wxDECLARE_EVENT_TABLE();
};
