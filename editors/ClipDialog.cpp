#include "ClipDialog.h"

#include "DialogSkin.h"
#include "EventTypes.h"
#include "ImageUtil.h"
#include "MediaInfo.h"
#include "PlayJob.h"
#include "PreviewPicture.h"
#include "PvBitmapButton.h"
#include "PvClipSlider.h"
#include "PvSlider.h"
#include "PvStaticText.h"
#include "StringUtil.h"

#include <wx/dcclient.h>
#include <wx/textctrl.h>

#include <algorithm>

wxIMPLEMENT_DYNAMIC_CLASS(ClipDialog, wxDialog);

wxBEGIN_EVENT_TABLE(ClipDialog, PvInfoDialog)
    EVT_BUTTON(wxID_OK, ClipDialog::OnCloseButton)
    EVT_BUTTON(ClipDialog::ID_CLIP_SLIDER, ClipDialog::OnClipSlider)
    EVT_COMMAND(wxID_ANY, EVT_PLAYER_POSITION, ClipDialog::OnPlayerPosition)
    EVT_COMMAND(ClipDialog::ID_SEEK_SLIDER, EVT_SLIDER_POSITION, ClipDialog::OnSeekSlider)
    EVT_BUTTON(ClipDialog::ID_PLAY, ClipDialog::OnPlay)
    EVT_BUTTON(ClipDialog::ID_PAUSE, ClipDialog::OnPause)
    EVT_BUTTON(ClipDialog::ID_RESET, ClipDialog::OnReset)
    EVT_BUTTON(ClipDialog::ID_OK, ClipDialog::OnCloseButton)
    EVT_BUTTON(ClipDialog::ID_CANCEL, ClipDialog::OnCloseButton)
    EVT_BUTTON(ClipDialog::ID_MARK_IN, ClipDialog::OnMarkIn)
    EVT_BUTTON(ClipDialog::ID_MARK_OUT, ClipDialog::OnMarkOut)
wxEND_EVENT_TABLE()

namespace {

const int kPaneWidth = 466;
const int kPaneHeight = 284;
const int kBoxWidth = 58;
const int kBoxHeight = 22;

wxString LengthText(int seconds)
{
    return FormatDuration(uint64_t(std::max(seconds, 0)));
}

}  // namespace

ClipDialog::ClipDialog() = default;

ClipDialog::~ClipDialog()
{
    m_playback.Stop();
}

wxString ClipDialog::DurationText() const
{
    const PlayJob* job = m_playback.GetJob();
    return job && job->media ? job->media->duration : wxString();
}

int ClipDialog::TimeOfPosition(int position) const
{
    return m_playback.TimeOf(position, m_seekSlider ? m_seekSlider->GetRange() : 0);
}

void ClipDialog::CreateControls()
{
    m_playback.Stop();
    m_idleDone = false;
    const wxBitmap none;
    wxBitmap* skinPtr = GetBackgroundImage();
    const wxBitmap& skin = skinPtr ? *skinPtr : none;
    const int W = GetSize().x;
    const wxFont gui = DialogSkin::GuiFont();
    const wxFont small(9, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, false, "Arial");

    DialogSkin::Label(this, "Clip", gui, skinPtr, this, wxPoint(24, 6));

    m_preview = new wxControl(this, wxID_ANY, wxPoint(18, 42), wxSize(kPaneWidth, kPaneHeight),
                              wxBORDER_NONE);
    m_preview->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_preview->Bind(wxEVT_PAINT, &ClipDialog::OnPaintPreview, this);

    const wxBitmap track = ImageUtil::LoadThemeBitmapValue("surface/window/clip-mp-channel.png");
    const wxBitmap thumb = ImageUtil::LoadThemeBitmapValue("surface/window/clip-thumb.png");
    const wxPoint seekAt(26, 42 + kPaneHeight + 8);
    m_seekSlider = new PvSlider(track, thumb, this, ID_SEEK_SLIDER, seekAt);
    const wxSize seekSize = m_seekSlider->GetSize();
    m_seekSlider->SetBackgroundBitmap(
        ImageUtil::CropBitmap(skin, seekAt.x, seekAt.y, seekSize.x, seekSize.y));
    m_seekSlider->SetFillInsets(-4, 24, 4, -8);
    m_seekSlider->Bind(wxEVT_BUTTON, &ClipDialog::OnSeekSlider, this, ID_SEEK_SLIDER);

    wxBitmap* inMark = ImageUtil::LoadThemeBitmap("surface/window/clip-left-normal.png");
    wxBitmap* outMark = ImageUtil::LoadThemeBitmap("surface/window/clip-right-normal.png");
    const wxSize in = inMark ? inMark->GetSize() : wxSize(0, 0);
    const wxSize out = outMark ? outMark->GetSize() : wxSize(0, 0);
    const wxRect clipRect(26 + DialogSkin::SizeOf(thumb).x / 2 - in.x, seekAt.y + seekSize.y,
                          DialogSkin::SizeOf(track).x + in.x + out.x, out.y);
    m_clipSlider = new PvClipSlider();
    m_clipSlider->SetBackgroundBitmap(ImageUtil::CropBitmapNew(
        skin, clipRect.x, clipRect.y, clipRect.width, clipRect.height));
    m_clipSlider->Create(inMark, outMark, this, ID_CLIP_SLIDER, clipRect.GetPosition(),
                         clipRect.GetSize(), wxBORDER_NONE);

    const int R = clipRect.y + in.y + 6;
    m_playButton = DialogSkin::Button(this, ID_PLAY, wxPoint(20, R),
                                      "surface/window/clip-play-normal.png", skin);
    m_playButton->Hide();
    m_pauseButton = DialogSkin::Button(this, ID_PAUSE, wxPoint(20, R),
                                       "surface/window/clip-pause-normal.png", skin);
    const int playWidth = m_playButton->GetSize().x;
    PvBitmapButton* next = DialogSkin::Button(this, ID_NEXT_FRAME, wxPoint(20 + playWidth + 10, R),
                                              "surface/window/clip-next-frame-normal.png", skin);
    PvBitmapButton* markIn =
        DialogSkin::Button(this, ID_MARK_IN, wxPoint(next->GetRect().GetRight() + 1 + 10, R),
                           "surface/window/clip-make-in-normal.png", skin);
    PvBitmapButton* markOut =
        DialogSkin::Button(this, ID_MARK_OUT, wxPoint(markIn->GetRect().GetRight() + 1 + 10, R),
                           "surface/window/clip-make-out-normal.png", skin);
    DialogSkin::Button(this, ID_PLAY_SECTION, wxPoint(markOut->GetRect().GetRight() + 1 + 10, R),
                       "surface/window/clip-play-section-normal.png", skin);

    PvStaticText* total = DialogSkin::Label(this, "/" + DurationText(), gui, skinPtr, nullptr,
                                            wxPoint(410, R));
    total->SetForegroundColour(*wxWHITE);
    m_elapsedLabel = DialogSkin::Label(this, "00:00:00", gui, skinPtr, nullptr);
    m_elapsedLabel->SetForegroundColour(*wxWHITE);
    m_elapsedLabel->Move(410 - m_elapsedLabel->GetSize().x, R);

    const int S = R + 50;
    PvStaticText* startText = DialogSkin::Label(this, "Set start time:", small, skinPtr, nullptr,
                                                wxPoint(20, S));
    startText->SetForegroundColour(*wxWHITE);
    const int startX = 20 + startText->GetSize().x + 6;
    m_startBox = new wxTextCtrl(this, wxID_ANY, "00:00:00", wxPoint(startX, S - 4),
                                wxSize(kBoxWidth, kBoxHeight), wxBORDER_NONE);
    m_startBox->SetBackgroundColour(*wxWHITE);
    DialogSkin::Button(this, wxID_ANY, wxPoint(startX + kBoxWidth + 10, S - 5),
                       "surface/window/clip-ok-normal.png", skin);
    const wxSize okSize =
        DialogSkin::SizeOf(ImageUtil::LoadThemeBitmapValue("surface/window/clip-ok-normal.png"));
    const int endOkX = W - okSize.x - 20;
    DialogSkin::Button(this, wxID_ANY, wxPoint(endOkX, S - 5), "surface/window/clip-ok-normal.png",
                       skin);
    const int endX = endOkX - 10 - kBoxWidth;
    m_endBox = new wxTextCtrl(this, wxID_ANY, DurationText(), wxPoint(endX, S - 4),
                              wxSize(kBoxWidth, kBoxHeight), wxBORDER_NONE);
    m_endBox->SetBackgroundColour(*wxWHITE);
    PvStaticText* endText = DialogSkin::Label(this, "Set end time:", small, skinPtr, nullptr);
    endText->SetForegroundColour(*wxWHITE);
    endText->Move(endX - 6 - endText->GetSize().x, S);

    const int T = S + 42;
    PvBitmapButton* reset =
        DialogSkin::Button(this, ID_RESET, wxPoint(20, T), "surface/base/reset-normal.png", skin);
    PvStaticText* lengthText = DialogSkin::Label(
        this, "Length:", small, skinPtr, nullptr, wxPoint(20 + reset->GetSize().x + 10, T + 4));
    m_lengthLabel = DialogSkin::Label(
        this, "00:00:00", small, skinPtr, nullptr,
        wxPoint(lengthText->GetPosition().x + lengthText->GetSize().x + 2, T + 4));
    const wxSize cancelSize =
        DialogSkin::SizeOf(ImageUtil::LoadThemeBitmapValue("surface/base/cancel-normal.png"));
    PvBitmapButton* cancel = DialogSkin::Button(this, ID_CANCEL, wxPoint(W - 20 - cancelSize.x, T),
                                                "surface/base/cancel-normal.png", skin);
    const wxSize okBig =
        DialogSkin::SizeOf(ImageUtil::LoadThemeBitmapValue("surface/base/ok-normal.png"));
    DialogSkin::Button(this, ID_OK, wxPoint(cancel->GetPosition().x - 10 - okBig.x, T),
                       "surface/base/ok-normal.png", skin);

    Bind(wxEVT_IDLE, &ClipDialog::OnFirstIdle, this);
}

void ClipDialog::SetStartTime(int seconds)
{
    m_startSeconds = seconds;
    if (m_startBox)
        m_startBox->ChangeValue(FormatDuration(uint64_t(std::max(seconds, 0))));
    ShowLength();
}

void ClipDialog::SetEndTime(int seconds)
{
    m_endSeconds = seconds;
    if (m_endBox)
        m_endBox->ChangeValue(FormatDuration(uint64_t(std::max(seconds, 0))));
    ShowLength();
}

void ClipDialog::ShowLength()
{
    // A start after the end (a file shorter than the start) shows no length.
    if (m_lengthLabel)
        m_lengthLabel->SetTextNoLayout(LengthText(m_endSeconds - m_startSeconds));
}

void ClipDialog::OnSeekSlider(wxCommandEvent& event)
{
    const int phase = event.GetInt();
    if (phase == PvSlider::PHASE_JUMPED || phase == PvSlider::PHASE_DRAGGED)
        PlayerSeek(TimeOfPosition(m_seekSlider->GetThumbPos()), 0);
}

void ClipDialog::OnClipSlider(wxCommandEvent& event)
{
    const bool in = m_clipSlider->IsDraggingIn();
    const int mark = in ? m_clipSlider->GetInPos() : m_clipSlider->GetOutPos();
    switch (event.GetInt()) {
    case PvClipSlider::PHASE_DRAGGED:
        m_seekSlider->SetThumbPos(mark);
        PlayerSeek(TimeOfPosition(m_seekSlider->GetThumbPos()), 0);
        break;
    case PvClipSlider::PHASE_RELEASED:
        // The time of the mark itself: the seek thumb may have moved on
        // with the playback since the last drag event.
        if (in) {
            SetStartTime(TimeOfPosition(mark));
            m_startBox->Refresh(true);
        } else {
            SetEndTime(TimeOfPosition(mark));
            m_endBox->Refresh(true);
        }
        m_lengthLabel->Refresh(true);
        break;
    default:
        break;
    }
}

void ClipDialog::OnMarkIn(wxCommandEvent&)
{
    // The in mark never passes the out mark.
    const int p = std::min(m_seekSlider->GetThumbPos(), m_clipSlider->GetOutPos());
    m_clipSlider->SetInPos(p);
    SetStartTime(TimeOfPosition(p));
    m_clipSlider->Refresh(true);
    m_startBox->Refresh(true);
    m_lengthLabel->Refresh(true);
}

void ClipDialog::OnMarkOut(wxCommandEvent&)
{
    const int p = std::clamp(m_seekSlider->GetThumbPos(), m_clipSlider->GetInPos(),
                             std::max(m_clipSlider->GetMax(), m_clipSlider->GetInPos()));
    m_clipSlider->SetOutPos(p);
    SetEndTime(TimeOfPosition(p));
    m_clipSlider->Refresh(true);
    m_endBox->Refresh(true);
    m_lengthLabel->Refresh(true);
}

void ClipDialog::OnReset(wxCommandEvent&)
{
    m_startBox->ChangeValue("00:00:00");
    m_endBox->ChangeValue(DurationText());
    m_lengthLabel->SetText(DurationText());
}

void ClipDialog::OnPlayerPosition(wxCommandEvent& event)
{
    const int s = event.GetInt();
    // Not under the pointer while a thumb or a mark is being dragged.
    m_playback.FollowPosition(*m_seekSlider, s, m_clipSlider->HasCapture());
    m_elapsedLabel->SetText(FormatDuration(uint64_t(std::max(s, 0))));
}

void ClipDialog::OnPause(wxCommandEvent&)
{
    m_playButton->Show();
    m_pauseButton->Hide();
    m_paused = true;
    PlayerTogglePause();
}

void ClipDialog::OnPlay(wxCommandEvent&)
{
    if (m_paused) {
        PlayerTogglePause();
    } else {
        m_playback.Start(this, m_preview);
        m_seekSlider->Enable();
    }
    m_playButton->Hide();
    m_pauseButton->Show();
    m_paused = false;
}

void ClipDialog::OnFirstIdle(wxIdleEvent& event)
{
    event.Skip();
    if (m_idleDone)
        return;
    m_idleDone = true;
    Unbind(wxEVT_IDLE, &ClipDialog::OnFirstIdle, this);
    m_playback.Start(this, m_preview);
}

void ClipDialog::OnPaintPreview(wxPaintEvent&)
{
    wxPaintDC dc(m_preview);
    const wxSize pane = m_preview->GetClientSize();
    // Black until the first frame and after the end.
    PreviewPicture::Clear(dc, pane);
    wxBitmap picture;
    wxRect place;
    if (PreviewPicture::Make(m_playback.GetJob(), pane, picture, place))
        dc.DrawBitmap(picture, place.GetPosition(), false);
}

void ClipDialog::OnCloseButton(wxCommandEvent&)
{
    m_playback.Stop();
    if (IsModal())
        EndModal(0);
}

void ClipDialog::EndModal(int code)
{
    m_playback.Stop();
    PvInfoDialog::EndModal(code);
}
