#include "EditDialog.h"

#include "DialogSkin.h"
#include "EditCropPage.h"
#include "EditEffectPage.h"
#include "EditSubtitlePage.h"
#include "EditWatermarkPage.h"
#include "EventTypes.h"
#include "ImageUtil.h"
#include "MouseCapture.h"
#include "PlayJob.h"
#include "PreviewPicture.h"
#include "PvBitmapButton.h"
#include "PvSlider.h"
#include "PvStaticText.h"

#include <wx/dcclient.h>

#include <algorithm>

wxIMPLEMENT_DYNAMIC_CLASS(EditDialog, wxDialog);

wxBEGIN_EVENT_TABLE(EditDialog, PvInfoDialog)
    EVT_BUTTON(wxID_OK, EditDialog::OnCloseButton)
    EVT_BUTTON(EditDialog::ID_TAB_CROP, EditDialog::OnTab)
    EVT_BUTTON(EditDialog::ID_TAB_EFFECT, EditDialog::OnTab)
    EVT_BUTTON(EditDialog::ID_TAB_WATERMARK, EditDialog::OnTab)
    EVT_BUTTON(EditDialog::ID_TAB_SUBTITLE, EditDialog::OnTab)
wxEND_EVENT_TABLE()

namespace {

const int kPaneWidth = 396;
const int kPaneHeight = 294;

}  // namespace

EditDialog::EditDialog() = default;

EditDialog::~EditDialog()
{
    m_playback.Stop();
}

void EditDialog::CreateControls()
{
    m_playback.Stop();
    m_idleDone = false;
    wxBitmap* skinPtr = GetBackgroundImage();
    const wxBitmap& skin = skinPtr ? *skinPtr : wxNullBitmap;
    const int W = GetSize().x;
    const int H = GetSize().y;

    DialogSkin::Label(this, "Edit", DialogSkin::GuiFont(), skinPtr, this, wxPoint(24, 8));

    m_sourcePane = new wxControl(this, wxID_ANY, wxPoint(22, 66), wxSize(kPaneWidth, kPaneHeight),
                                 wxBORDER_NONE);
    m_sourcePane->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_sourcePane->Bind(wxEVT_PAINT, &EditDialog::OnPaintSource, this);
    m_sourcePane->Bind(wxEVT_MOTION, &EditDialog::OnCropMotion, this);
    m_sourcePane->Bind(wxEVT_LEFT_DOWN, &EditDialog::OnCropLeftDown, this);
    m_sourcePane->Bind(wxEVT_LEFT_UP, &EditDialog::OnCropLeftUp, this);
    m_sourcePane->Bind(wxEVT_MOUSE_CAPTURE_LOST, &EditDialog::OnCropCaptureLost, this);
    m_targetPane = new wxControl(this, wxID_ANY, wxPoint(22 + kPaneWidth + 14, 66),
                                 wxSize(kPaneWidth, kPaneHeight), wxBORDER_NONE);
    m_targetPane->SetBackgroundColour(*wxBLACK);
    m_targetPane->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_targetPane->Bind(wxEVT_PAINT, &EditDialog::OnPaintTarget, this);

    const int B = 66 + kPaneHeight + 12;
    m_playButton = DialogSkin::Button(this, ID_PLAY, wxPoint(24, B),
                                      "surface/window/edit-play-normal.png", skin);
    m_playButton->Hide();
    m_pauseButton = DialogSkin::Button(this, ID_PAUSE, wxPoint(24, B),
                                       "surface/window/edit-pause-normal.png", skin);
    m_stopButton = DialogSkin::Button(this, ID_STOP, wxPoint(24 + m_playButton->GetSize().x + 16, B),
                                      "surface/window/edit-stop-normal.png", skin);
    const wxRect stop = m_stopButton->GetRect();

    const wxPoint seekAt(stop.x + stop.width + 12, B + 4);
    m_seekSlider =
        new PvSlider(ImageUtil::LoadThemeBitmapValue("surface/window/edit-slider-channel.png"),
                     ImageUtil::LoadThemeBitmapValue("surface/window/edit-slider-thumb.png"), this,
                     ID_SEEK_SLIDER, seekAt);
    m_seekSlider->SetBackgroundBitmap(ImageUtil::CropBitmap(
        skin, seekAt.x, seekAt.y, m_seekSlider->GetSize().x, m_seekSlider->GetSize().y));
    m_seekSlider->SetFillInsets(-6, 22, 2, -4);
    m_seekSlider->Bind(wxEVT_BUTTON, &EditDialog::OnSeekSlider, this, ID_SEEK_SLIDER);

    const wxPoint volumeAt(seekAt.x + m_seekSlider->GetSize().x + 16, B + 4);
    m_volumeButton = DialogSkin::Button(this, ID_VOLUME, volumeAt,
                                        "surface/window/preview-volume.png", skin,
                                        DialogSkin::NORMAL_ONLY);
    m_muteButton = DialogSkin::Button(this, ID_MUTE, volumeAt,
                                      "surface/window/preview-volume-mute.png", skin,
                                      DialogSkin::NORMAL_ONLY);
    m_muteButton->Hide();
    m_volumeButton->Bind(wxEVT_BUTTON, &EditDialog::OnMute, this, ID_VOLUME);
    m_muteButton->Bind(wxEVT_BUTTON, &EditDialog::OnMute, this, ID_MUTE);

    const wxPoint volumeSliderAt(volumeAt.x + m_volumeButton->GetSize().x, B + 6);
    m_volumeSlider =
        new PvSlider(ImageUtil::LoadThemeBitmapValue("surface/window/preview-volume-channel.png"),
                     ImageUtil::LoadThemeBitmapValue("surface/window/preview-volume-thumb.png"),
                     this, ID_VOLUME, volumeSliderAt);
    m_volumeSlider->SetBackgroundBitmap(
        ImageUtil::CropBitmap(skin, volumeSliderAt.x, volumeSliderAt.y,
                              m_volumeSlider->GetSize().x, m_volumeSlider->GetSize().y));
    m_volumeSlider->SetFillInsets(-2, 10, 2, -3);
    m_volumeSlider->SetThumbPosNoRedraw(m_volumeSlider->GetRange() / 2);
    // The volume slider's events rise to the dialog; the volume button's
    // clicks end at the button's own binding.
    Bind(wxEVT_BUTTON, &EditDialog::OnVolume, this, ID_VOLUME);

    const wxRect volume = m_volumeSlider->GetRect();
    m_rotateButton = DialogSkin::Button(this, ID_ROTATE, wxPoint(volume.x + volume.width + 16, B),
                                        "surface/window/edit-rotate-normal.png", skin);
    m_levelButton = DialogSkin::Button(
        this, ID_LEVEL, wxPoint(m_rotateButton->GetRect().GetRight() + 1 + 16, B),
        "surface/window/edit-level-normal.png", skin);
    m_verticalButton = DialogSkin::Button(
        this, ID_VERTICAL, wxPoint(m_levelButton->GetRect().GetRight() + 1 + 16, B),
        "surface/window/edit-vertical-normal.png", skin);

    const wxSize cancelSize =
        DialogSkin::SizeOf(ImageUtil::LoadThemeBitmapValue("surface/base/cancel-normal.png"));
    const wxPoint cancelAt(W - cancelSize.x - 20, H - 44);
    PvBitmapButton* cancel =
        DialogSkin::Button(this, ID_CANCEL, cancelAt, "surface/base/cancel-normal.png", skin);
    cancel->Bind(wxEVT_BUTTON, &EditDialog::OnCloseButton, this, ID_CANCEL);
    DialogSkin::Button(this, wxID_ANY, wxPoint(cancelAt.x - cancelSize.x - 10, H - 44),
                       "surface/base/ok-normal.png", skin);

    CreateTabs(B);

    Bind(wxEVT_IDLE, &EditDialog::OnFirstIdle, this);
    Bind(EVT_PLAYER_POSITION, &EditDialog::OnPlayerPosition, this);
    m_cropRect = wxRect(0, 36, kPaneWidth, 222);
    m_cropMode = CROP_NONE;
}

void EditDialog::CreateTabs(int B)
{
    wxBitmap* skinPtr = GetBackgroundImage();
    const wxBitmap& skin = skinPtr ? *skinPtr : wxNullBitmap;
    struct Tab {
        const char* normal;
        const char* pressed;
        int normalId;
        int pressedId;
    };
    const Tab tabs[5] = {
        {},
        {"surface/window/edit-crop-normal.png", "surface/window/edit-crop-pressed.png", ID_TAB_CROP,
         ID_TAB_CROP_PRESSED},
        {"surface/window/edit-effect-normal.png", "surface/window/edit-effect-pressed.png",
         ID_TAB_EFFECT, ID_TAB_EFFECT_PRESSED},
        {"surface/window/edit-watermark-normal.png", "surface/window/edit-watermark-pressed.png",
         ID_TAB_WATERMARK, ID_TAB_WATERMARK_PRESSED},
        {"surface/window/edit-subtitle-normal.png", "surface/window/edit-subtitle-pressed.png",
         ID_TAB_SUBTITLE, ID_TAB_SUBTITLE},
    };
    const int y = B + 50;
    int x = 15;
    int tabHeight = 0;
    for (int page = 1; page <= 4; ++page) {
        PvBitmapButton* normal = DialogSkin::Button(this, tabs[page].normalId, wxPoint(x, y),
                                                    tabs[page].normal, skin, DialogSkin::WITH_CURRENT);
        // The pressed tab: the pressed picture as its only face, on the
        // normal tab's piece of skin.
        PvBitmapButton* pressed = DialogSkin::Button(this, tabs[page].pressedId, wxPoint(x, y),
                                                     tabs[page].pressed, skin, DialogSkin::NORMAL_ONLY);
        m_tabs[page][0] = normal;
        m_tabs[page][1] = pressed;
        normal->Show(page != 1);
        pressed->Show(page == 1);
        if (page == 1)
            tabHeight = normal->GetSize().y;
        x += normal->GetSize().x + 2;
    }
    m_currentTab = 1;

    const int P = y + tabHeight;
    m_cropPage = std::make_unique<EditCropPage>();
    m_cropPage->Create(this, skinPtr, P);
    m_effectPage = std::make_unique<EditEffectPage>();
    m_effectPage->Create(this, skinPtr, P);
    m_watermarkPage = std::make_unique<EditWatermarkPage>();
    m_watermarkPage->Create(this, skinPtr, P);
    m_subtitlePage = std::make_unique<EditSubtitlePage>();
    m_subtitlePage->Create(this, skinPtr, P);
}

PvBitmapButton* EditDialog::GetTab(int page, bool pressed) const
{
    return page >= 1 && page <= 4 ? m_tabs[page][pressed ? 1 : 0] : nullptr;
}

void EditDialog::ShowPage(int page, bool show)
{
    EditPage* pages[5] = {nullptr, m_cropPage.get(), m_effectPage.get(), m_watermarkPage.get(),
                          m_subtitlePage.get()};
    if (page < 1 || page > 4 || !pages[page])
        return;
    pages[page]->Show(show);
    m_tabs[page][0]->Show(!show);
    m_tabs[page][1]->Show(show);
}

void EditDialog::OnTab(wxCommandEvent& event)
{
    // The normal tabs' ids run in page order.
    const int page = event.GetId() - ID_TAB_CROP + 1;
    if (page < 1 || page > 4)
        return;
    ShowPage(m_currentTab, false);
    m_currentTab = page;
    ShowPage(m_currentTab, true);
}

void EditDialog::OnSeekSlider(wxCommandEvent& event)
{
    const int phase = event.GetInt();
    if (phase != PvSlider::PHASE_JUMPED && phase != PvSlider::PHASE_DRAGGED)
        return;
    PlayerSeek(m_playback.TimeOf(m_seekSlider->GetThumbPos(), m_seekSlider->GetRange()), 0);
}

void EditDialog::OnPlayerPosition(wxCommandEvent& event)
{
    m_playback.FollowPosition(*m_seekSlider, event.GetInt(), false);
}

void EditDialog::OnVolume(wxCommandEvent&)
{
    PlayerSetVolume(m_volumeSlider->GetThumbPos(), m_volumeSlider->GetRange());
}

void EditDialog::OnMute(wxCommandEvent&)
{
    if (m_volumeButton->IsShown()) {
        m_volumeButton->Hide();
        m_muteButton->Show();
        PlayerSetMuteVolume(0, m_volumeSlider->GetRange());
    } else {
        m_muteButton->Hide();
        m_volumeButton->Show();
        PlayerSetMuteVolume(m_volumeSlider->GetThumbPos(), m_volumeSlider->GetRange());
    }
}

void EditDialog::OnFirstIdle(wxIdleEvent& event)
{
    event.Skip();
    if (m_idleDone)
        return;
    m_idleDone = true;
    Unbind(wxEVT_IDLE, &EditDialog::OnFirstIdle, this);
    m_playback.Start(this, m_sourcePane);
}

void EditDialog::OnPaintSource(wxPaintEvent&)
{
    wxPaintDC dc(m_sourcePane);
    const wxSize pane = m_sourcePane->GetClientSize();
    PreviewPicture::Clear(dc, pane);
    wxBitmap picture;
    wxRect place;
    const bool playing = PreviewPicture::Make(m_playback.GetJob(), pane, picture, place);
    if (playing)
        dc.DrawBitmap(picture, place.GetPosition(), false);
    // The rectangle shows also over black, so that a drag is seen when no
    // frame arrives.
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(wxPen(*wxRED, 1, wxPENSTYLE_SOLID));
    dc.DrawRectangle(m_cropRect);
    if (!playing)
        return;
    // The target pane shows the same picture, without the rectangle, from
    // its own paint handler.
    m_targetPicture = picture;
    m_targetAt = place.GetPosition();
    m_targetPane->Refresh(false);
}

void EditDialog::OnPaintTarget(wxPaintEvent&)
{
    wxPaintDC dc(m_targetPane);
    PreviewPicture::Clear(dc, m_targetPane->GetClientSize());
    if (m_targetPicture.IsOk())
        dc.DrawBitmap(m_targetPicture, m_targetAt, false);
}

int EditDialog::PickCropHandle(const wxRect& I, const wxPoint& p, wxStockCursor* cursor)
{
    const int f = I.x + I.width;
    const int e = I.y + I.height;
    int mode;
    wxStockCursor shape;
    if (p.x > I.x && p.y > I.y) {
        if (p.y < e) {
            mode = CROP_RIGHT;
            shape = wxCURSOR_SIZEWE;
        } else if (p.x < f) {
            mode = CROP_BOTTOM;
            shape = wxCURSOR_SIZENS;
        } else {
            mode = CROP_BOTTOM_RIGHT;
            shape = wxCURSOR_SIZENWSE;
        }
    } else if (p.x > I.x) {
        if (p.x < f) {
            mode = CROP_TOP;
            shape = wxCURSOR_SIZENS;
        } else {
            mode = CROP_TOP_RIGHT;
            shape = wxCURSOR_SIZENESW;
        }
    } else if (p.y <= I.y) {
        mode = CROP_TOP_LEFT;
        shape = wxCURSOR_SIZENWSE;
    } else if (p.y < e) {
        mode = CROP_LEFT;
        shape = wxCURSOR_SIZEWE;
    } else {
        mode = CROP_BOTTOM_LEFT;
        shape = wxCURSOR_SIZENESW;
    }
    if (cursor)
        *cursor = shape;
    return mode;
}

void EditDialog::PickMode(const wxPoint& p)
{
    if (!m_cropRect.Contains(p)) {
        m_sourcePane->SetCursor(wxNullCursor);
        return;
    }
    const wxRect inner(m_cropRect.x + 2, m_cropRect.y + 2, m_cropRect.width - 4,
                       m_cropRect.height - 4);
    if (inner.Contains(p)) {
        m_sourcePane->SetCursor(wxCursor(wxCURSOR_HAND));
        m_cropMode = CROP_MOVE;
        return;
    }
    wxStockCursor shape = wxCURSOR_ARROW;
    m_cropMode = PickCropHandle(inner, p, &shape);
    m_sourcePane->SetCursor(wxCursor(shape));
}

void EditDialog::DragCrop(const wxPoint& p)
{
    const wxSize pane = m_sourcePane->GetClientSize();
    wxRect& R = m_cropRect;
    if (m_cropMode == CROP_MOVE) {
        // Moved as a whole, it stays on the pane.
        R.x = std::clamp(m_pressOrigin.x + p.x - m_pressPoint.x, 0, std::max(pane.x - R.width, 0));
        R.y = std::clamp(m_pressOrigin.y + p.y - m_pressPoint.y, 0, std::max(pane.y - R.height, 0));
        return;
    }
    int left = R.x, top = R.y, right = R.x + R.width, bottom = R.y + R.height;
    const bool moveTop = m_cropMode == CROP_TOP || m_cropMode == CROP_TOP_LEFT ||
                         m_cropMode == CROP_TOP_RIGHT;
    const bool moveBottom = m_cropMode == CROP_BOTTOM || m_cropMode == CROP_BOTTOM_LEFT ||
                            m_cropMode == CROP_BOTTOM_RIGHT;
    const bool moveLeft = m_cropMode == CROP_LEFT || m_cropMode == CROP_TOP_LEFT ||
                          m_cropMode == CROP_BOTTOM_LEFT;
    const bool moveRight = m_cropMode == CROP_RIGHT || m_cropMode == CROP_TOP_RIGHT ||
                           m_cropMode == CROP_BOTTOM_RIGHT;
    // A dragged edge stays on the pane and never passes the opposite edge.
    if (moveTop)
        top = std::clamp(p.y, 0, std::max(bottom - kMinCropSize, 0));
    if (moveBottom)
        bottom = std::clamp(p.y, std::min(top + kMinCropSize, pane.y), pane.y);
    if (moveLeft)
        left = std::clamp(p.x, 0, std::max(right - kMinCropSize, 0));
    if (moveRight)
        right = std::clamp(p.x, std::min(left + kMinCropSize, pane.x), pane.x);
    R = wxRect(left, top, right - left, bottom - top);
}

void EditDialog::OnCropMotion(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition();
    if (m_dragging && m_sourcePane->HasCapture() && event.LeftIsDown()) {
        const wxRect before = m_cropRect;
        DragCrop(p);
        // Shown at once, also while no frame repaints the pane.
        if (m_cropRect != before)
            m_sourcePane->Refresh(false);
        return;
    }
    PickMode(p);
}

void EditDialog::OnCropLeftDown(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition();
    if (!m_cropRect.Contains(p))
        return;
    // The mode of the point pressed, whether or not a hover came first.
    PickMode(p);
    m_pressPoint = p;
    m_pressOrigin = m_cropRect.GetPosition();
    m_dragging = true;
    MouseCapture::Take(m_sourcePane);
}

void EditDialog::OnCropLeftUp(wxMouseEvent&)
{
    m_dragging = false;
    if (m_sourcePane->HasCapture())
        m_sourcePane->ReleaseMouse();
}

void EditDialog::OnCropCaptureLost(wxMouseCaptureLostEvent&)
{
    // The drag ends where the rectangle is.
    m_dragging = false;
}

void EditDialog::OnCloseButton(wxCommandEvent&)
{
    m_playback.Stop();
    if (IsModal())
        EndModal(0);
}

void EditDialog::EndModal(int code)
{
    m_playback.Stop();
    PvInfoDialog::EndModal(code);
}
