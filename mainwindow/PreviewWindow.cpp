#include "PreviewWindow.h"

#include "AppUtil.h"
#include "EventTypes.h"
#include "FileUtil.h"
#include "FormatCatalog.h"
#include "ImageUtil.h"
#include "NotifyCode.h"
#include "OutputFileHelper.h"
#include "PvBitmapButton.h"
#include "PvSlider.h"
#include "PvStaticText.h"
#include "OutputWindow.h"
#include "ScreenFitText.h"
#include "SelectWindow.h"
#include "SkinButton.h"
#include "StringUtil.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/mstream.h>
#include <wx/settings.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kTimesY = 30 + 218 + 6;
constexpr int kTimesRightMargin = 8;
const char* const kZeroTime = "00:00:00";

wxBitmap Crop(const wxBitmap* face, const wxPoint& pos, const wxSize& size)
{
    return face ? ImageUtil::CropBitmap(*face, pos.x, pos.y, size.x, size.y) : wxBitmap();
}

}  // namespace

const wxPoint PreviewWindow::kCanvasPos(9, 30);
const wxSize PreviewWindow::kCanvasSize(304, 218);

wxIMPLEMENT_DYNAMIC_CLASS(PreviewWindow, wxPanel);

wxBEGIN_EVENT_TABLE(PreviewWindow, BaseWindow)
    EVT_PAINT(PreviewWindow::OnPaint)

    EVT_BUTTON(PreviewWindow::ID_PLAY, PreviewWindow::OnPlay)
    EVT_BUTTON(PreviewWindow::ID_PAUSE, PreviewWindow::OnPause)
    EVT_BUTTON(PreviewWindow::ID_STOP, PreviewWindow::OnStop)

    EVT_THREAD(PreviewWindow::ID_STOP, PreviewWindow::OnPlaybackEnded)
    EVT_COMMAND(wxID_ANY, EVT_PLAYER_POSITION, PreviewWindow::OnPlayerPosition)

    EVT_MENU(PreviewWindow::ID_MENU_SNAPSHOT, PreviewWindow::OnSnapshot)
    EVT_MENU(PreviewWindow::ID_MENU_OPEN_FOLDER, PreviewWindow::OnOpenSnapshotFolder)
    EVT_MENU(PreviewWindow::ID_MENU_JPEG, PreviewWindow::SetJpeg)
    EVT_MENU(PreviewWindow::ID_MENU_BMP, PreviewWindow::SetBmp)

    EVT_COMMAND(PreviewWindow::ID_SEEK_SLIDER, EVT_SLIDER_POSITION, PreviewWindow::OnSeek)
    EVT_COMMAND(PreviewWindow::ID_VOLUME_SLIDER_POSITION, EVT_SLIDER_POSITION,
                PreviewWindow::OnVolume)
wxEND_EVENT_TABLE()

PreviewWindow::PreviewWindow() = default;

PreviewWindow::~PreviewWindow()
{
    // The callbacks fall silent and the thread ends before any child goes.
    StopPlayJob(&m_playJob);
}

bool PreviewWindow::Create(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                           const wxSize& size, long style, const wxString& name)
{
    if (!BaseWindow::Create(parent, id, skin, pos, size, style, name))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    const wxBitmap* face = GetShape();

    CreateTexts(face);

    m_canvas = new wxControl(this, wxID_ANY, kCanvasPos, kCanvasSize, wxBORDER_NONE,
                             wxDefaultValidator, wxControlNameStr);
    m_canvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_canvas->Bind(wxEVT_PAINT, &PreviewWindow::OnPaintCanvas, this);

    m_seekSlider = MakeSlider(ID_SEEK_SLIDER,
                              wxPoint(2, kTimesY + m_elapsedText->GetSize().GetHeight()),
                              "surface/window/preview-mp-channel.png",
                              "surface/window/preview-play-thumb.png", face);
    m_seekSlider->SetFillInsets(-4, 19, 3, -4);
    m_seekSlider->Enable(false);
    m_seekSlider->Bind(wxEVT_BUTTON, &PreviewWindow::OnSeek, this, ID_SEEK_SLIDER);

    CreateButtons(face, m_seekSlider->GetPosition().y + m_seekSlider->GetSize().GetHeight() + 6);

    m_playJob.eventWindow = this;
    m_playJob.canvas = m_canvas;
    m_playJob.media = &m_mediaRecord;
    m_playJob.finished = true;
    m_paused = false;
    m_snapshotRequested = false;
    return true;
}

void PreviewWindow::CreateTexts(const wxBitmap* face)
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetPointSize(9);
    auto label = [&](const wxString& text, const wxPoint& pos) {
        auto* l = new PvStaticText(this, wxID_ANY, text, font, nullptr, pos);
        l->SetForegroundColour(*wxWHITE);
        l->SetBackground(const_cast<wxBitmap*>(face));
        return l;
    };
    m_nameText = label(wxString(), wxPoint(68, 6));
    SetNameText(wxString());
    m_totalText = label(wxString("/") + kZeroTime, wxPoint(0, kTimesY));
    m_elapsedText = label(kZeroTime, wxPoint(0, kTimesY));
    PlaceTimes();
}

void PreviewWindow::PlaceTimes()
{
    const int paneWidth = GetShape() ? GetShape()->GetWidth() : GetSize().GetWidth();
    const int totalX = paneWidth - m_totalText->GetSize().GetWidth() - kTimesRightMargin;
    m_totalText->Move(totalX, kTimesY);
    m_elapsedText->Move(totalX - m_elapsedText->GetSize().GetWidth(), kTimesY);
}

void PreviewWindow::SetTimeText(PvStaticText* label, const wxString& text)
{
    if (label->GetText() == text)
        return;
    label->SetText(text);
    PlaceTimes();
}

void PreviewWindow::SetNameText(const wxString& name)
{
    // An empty label has no size, and GTK fails to draw the window around a
    // widget of no size: hide it instead.
    m_nameText->Show(!name.empty());
    m_nameText->SetText(name);
}

PvSlider* PreviewWindow::MakeSlider(int id, const wxPoint& pos, const wxString& track,
                                    const wxString& thumb, const wxBitmap* face)
{
    const wxBitmap trackImage = ImageUtil::LoadThemeBitmapValue(track);
    const wxBitmap thumbImage = ImageUtil::LoadThemeBitmapValue(thumb);
    auto* slider = new PvSlider(trackImage.IsOk() ? trackImage : wxBitmap(100, 8),
                                thumbImage.IsOk() ? thumbImage : wxBitmap(12, 12), this, id, pos,
                                wxDefaultSize, wxBORDER_NONE);
    slider->SetBackgroundBitmap(Crop(face, pos, slider->GetSize()));
    return slider;
}

void PreviewWindow::CreateButtons(const wxBitmap* face, int y)
{
    // Play and pause lie on one spot, and so do volume and mute.
    const wxPoint playPos(36, y);
    m_playButton = SkinButton::Create(this, ID_PLAY, playPos, face,
                                      "surface/window/preview-play-normal.png",
                                      "surface/window/preview-play-current.png",
                                      "surface/window/preview-play-pressed.png",
                                      "surface/window/preview-play-disable.png");
    m_playButton->Enable(false);
    m_pauseButton = SkinButton::Create(this, ID_PAUSE, playPos, face,
                                       "surface/window/preview-pause-normal.png",
                                       "surface/window/preview-pause-current.png",
                                       "surface/window/preview-pause-pressed.png");
    m_pauseButton->Show(false);

    auto next = [](const PvBitmapButton* b, int gap) {
        return wxPoint(b->GetPosition().x + b->GetSize().GetWidth() + gap, b->GetPosition().y);
    };
    m_stopButton = SkinButton::Create(this, ID_STOP, next(m_playButton, 4), face,
                                      "surface/window/preview-stop-normal.png",
                                      "surface/window/preview-stop-current.png",
                                      "surface/window/preview-stop-pressed.png",
                                      "surface/window/preview-stop-disable.png");
    m_stopButton->Enable(false);

    m_snapshotButton = SkinButton::Create(this, ID_SNAPSHOT_BUTTON, next(m_stopButton, 8), face,
                                          "surface/window/preview-photo-normal.png",
                                          "surface/window/preview-photo-current.png",
                                          "surface/window/preview-photo-pressed.png",
                                          "surface/window/preview-photo-normal.png");
    m_snapshotButton->Enable(false);
    m_snapshotButton->Bind(wxEVT_BUTTON, &PreviewWindow::OnSnapshot, this, ID_SNAPSHOT_BUTTON);

    m_optionsButton = SkinButton::Create(this, ID_OPTIONS_BUTTON, next(m_snapshotButton, 0), face,
                                         "surface/window/preview-select-normal.png",
                                         "surface/window/preview-select-current.png",
                                         "surface/window/preview-select-pressed.png",
                                         "surface/window/preview-select-normal.png");
    m_optionsButton->Bind(wxEVT_BUTTON, &PreviewWindow::OnSnapshotOptions, this,
                          ID_OPTIONS_BUTTON);

    const wxPoint volumePos = next(m_optionsButton, 10);
    m_volumeButton = SkinButton::Create(this, ID_VOLUME_BUTTON, volumePos, face,
                                        "surface/window/preview-volume.png", wxString());
    m_muteButton = SkinButton::Create(this, ID_MUTE_BUTTON, volumePos, face,
                                      "surface/window/preview-volume-mute.png", wxString());
    m_muteButton->Show(false);
    m_volumeButton->Bind(wxEVT_BUTTON, &PreviewWindow::OnMute, this, ID_VOLUME_BUTTON);
    m_muteButton->Bind(wxEVT_BUTTON, &PreviewWindow::OnMute, this, ID_MUTE_BUTTON);

    m_volumeSlider = MakeSlider(ID_VOLUME_SLIDER, wxPoint(next(m_volumeButton, 0).x, y + 2),
                                "surface/window/preview-volume-channel.png",
                                "surface/window/preview-volume-thumb.png", face);
    m_volumeSlider->SetFillInsets(-2, 10, 2, -3);
    m_volumeSlider->SetThumbPosNoRedraw(m_volumeSlider->GetRange() / 2);
    Bind(wxEVT_BUTTON, &PreviewWindow::OnVolume, this, ID_VOLUME_SLIDER);
}

void PreviewWindow::Update(PvSubject* subject, void*)
{
    if (!subject)
        return;
    switch (subject->GetState()) {
    case NOTIFY_OUTPUT_FOLDER_CHANGED:
        if (auto* output = dynamic_cast<OutputWindow*>(subject))
            SetSnapshotFolder(output->GetOutputFolder());
        break;
    case NOTIFY_STOP_PREVIEW: {
        wxCommandEvent stop(wxEVT_BUTTON, ID_STOP);
        OnStop(stop);
        break;
    }
    case NOTIFY_SELECTION_CHANGED:
        ReadSelection(subject);
        break;
    default:
        break;
    }
}

void PreviewWindow::ReadSelection(PvSubject* fileList)
{
    auto* list = dynamic_cast<SelectWindow*>(fileList);
    const wxArrayInt rows = list ? list->GetSelectedRows() : wxArrayInt();
    // A row on its way out may still be reported selected: it has no path.
    const wxString path = rows.empty() ? wxString() : list->GetCellText(SelectWindow::COL_PATH, rows[0]);
    m_sourcePath = path;
    m_durationText = path.empty() ? wxString() : list->GetCellText(SelectWindow::COL_DURATION, rows[0]);
    // Another file, or none, chosen while one plays: the old one stops.
    if (!m_playJob.finished && m_sourcePath != m_mediaRecord.path) {
        m_paused = false;
        StopPlayJob(&m_playJob);
        ResetControls();
    }
    if (!m_playJob.finished)
        return;
    SetTimeText(m_totalText, "/" + (m_durationText.empty() ? wxString(kZeroTime) : m_durationText));
    m_playButton->Enable(!m_sourcePath.empty());
    if (m_sourcePath.empty())
        m_mediaRecord.path.clear();
}

void PreviewWindow::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (const wxBitmap* face = GetShape())
        dc.DrawBitmap(*face, 0, 0, true);
}

wxRect PreviewWindow::FramePlacement(const wxSize& frame, const wxSize& canvas)
{
    if (frame.x <= 0 || frame.y <= 0)
        return wxRect();
    if (frame.x <= canvas.x && frame.y <= canvas.y)
        return wxRect(wxPoint(0, 0), frame);
    // Scaled to fit inside the canvas whatever its shape, centred on it.
    wxSize scaled(canvas.x, int(int64_t(canvas.x) * frame.y / frame.x));
    if (scaled.y > canvas.y)
        scaled = wxSize(int(int64_t(canvas.y) * frame.x / frame.y), canvas.y);
    scaled.IncTo(wxSize(1, 1));
    return wxRect(wxPoint((canvas.x - scaled.x) / 2, (canvas.y - scaled.y) / 2), scaled);
}

void PreviewWindow::OnPaintCanvas(wxPaintEvent&)
{
    wxBufferedPaintDC dc(m_canvas);
    const wxSize size = m_canvas->GetClientSize();
    dc.SetBrush(*wxBLACK_BRUSH);
    dc.SetPen(wxPen(*wxBLACK, 1, wxPENSTYLE_SOLID));
    dc.DrawRectangle(wxPoint(0, 0), size);

    // A copy of the last frame, taken under the job's lock; none when idle.
    wxImage frame;
    int seconds = 0;
    if (!m_playJob.CopyFrame(frame, &seconds))
        return;
    if (m_snapshotRequested)
        SaveSnapshot(frame, seconds);
    const wxRect place = FramePlacement(frame.GetSize(), size);
    if (place.GetSize() != frame.GetSize())
        frame.Rescale(place.width, place.height, wxIMAGE_QUALITY_NORMAL);
    dc.DrawBitmap(wxBitmap(frame), place.GetPosition());
}

wxString PreviewWindow::SnapshotPath(int seconds) const
{
    wxString time = FormatDuration(uint64_t(std::max(seconds, 0)));
    time.Replace(":", "");
    const bool bmp = m_playJob.snapshotFormat == FORMAT_BMP;
    return m_playJob.snapshotFolder + "/" + wxFileName(m_mediaRecord.path).GetName() + "_" + time +
           (bmp ? ".bmp" : ".jpg");
}

void PreviewWindow::SaveSnapshot(const wxImage& frame, int seconds)
{
    m_snapshotRequested = false;
    // A file of that name already there is kept: the snapshot takes the
    // next free name.
    wxFileName path(SnapshotPath(seconds));
    if (path.Exists()) {
        const wxString free = OutputFileHelper::MakeUniqueFileName(path.GetPath(),
                                                                   path.GetFullName());
        if (free.empty()) {
            ReportSnapshotFailure(path.GetFullPath(), "No free file name is left in the folder.");
            return;
        }
        path.SetFullName(free);
    }
    const bool bmp = m_playJob.snapshotFormat == FORMAT_BMP;
    wxMemoryOutputStream encoded;
    {
        wxLogNull quiet;  // the failure is told below, once
        if (!frame.SaveFile(encoded, bmp ? wxBITMAP_TYPE_BMP : wxBITMAP_TYPE_JPEG)) {
            ReportSnapshotFailure(path.GetFullPath(), "The picture could not be encoded.");
            return;
        }
    }
    // Written here so that a failure gives the system's own reason.
    std::vector<char> bytes(encoded.GetLength());
    encoded.CopyTo(bytes.data(), bytes.size());
    const wxString full = path.GetFullPath();
    FILE* file = std::fopen(full.fn_str(), "wb");
    if (!file) {
        ReportSnapshotFailure(full, wxString::FromUTF8(std::strerror(errno)) + ".");
        return;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    int error = ok ? 0 : errno;
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        wxRemoveFile(full);
        ReportSnapshotFailure(full, wxString::FromUTF8(std::strerror(error)) + ".");
    }
}

void PreviewWindow::ReportSnapshotFailure(const wxString& path, const wxString& reason)
{
    // Not from inside the paint that found it.
    CallAfter([this, path, reason] {
        wxMessageBox(ScreenFitText::ForMessageBox(
                         "The snapshot could not be saved as\n" + path + "\n\n" + reason, this),
                     "Snapshot", wxOK | wxICON_ERROR | wxCENTRE, this);
    });
}

void PreviewWindow::OnPlay(wxCommandEvent&)
{
    if (m_paused) {
        PlayerTogglePause();
    } else {
        // A file no longer in the list is not played.
        if (m_sourcePath.empty())
            return;
        SetTimeText(m_totalText, "/" + m_durationText);
        long hours = 0, minutes = 0, seconds = 0;
        SplitClockTime(m_durationText, hours, minutes, seconds);
        m_mediaRecord.path = m_sourcePath;
        m_playJob.durationSeconds = int(hours * 3600 + minutes * 60 + seconds);
        m_playJob.media = &m_mediaRecord;
        // The player keeps its volume between files and windows: play at
        // the volume this pane shows.
        PlayerSetVolume(m_muteButton->IsShown() ? 0 : m_volumeSlider->GetThumbPos(),
                        m_volumeSlider->GetRange());
        m_stopButton->Enable(true);
        if (!StartPlayJob(&m_playJob)) {
            ResetControls();
            return;
        }
        m_seekSlider->Enable(true);
        m_snapshotButton->Enable(true);
        m_optionsButton->Enable(true);
        SetNameText(FileUtil::DisplayName(wxFileName(m_sourcePath).GetFullName()));
    }
    m_playButton->Show(false);
    m_pauseButton->Show(true);
    m_paused = false;
}

void PreviewWindow::OnPause(wxCommandEvent&)
{
    m_playButton->Show(true);
    m_pauseButton->Show(false);
    m_paused = true;
    PlayerTogglePause();
}

void PreviewWindow::OnStop(wxCommandEvent&)
{
    if (!m_stopButton->IsEnabled())
        return;
    m_paused = false;
    // Silences the callbacks, stops the player and waits for the thread, so
    // that another window may play right after.
    StopPlayJob(&m_playJob);
    ResetControls();
}

void PreviewWindow::OnPlaybackEnded(wxThreadEvent&)
{
    // The end of an earlier playback that arrives after a fresh start.
    if (!m_playJob.finished)
        return;
    m_paused = false;
    ResetControls();
}

void PreviewWindow::ResetControls()
{
    m_pauseButton->Show(false);
    m_playButton->Show(true);
    m_stopButton->Enable(false);
    m_snapshotButton->Enable(false);
    m_optionsButton->Enable(false);
    m_seekSlider->SetThumbPosNoRedraw(0);
    m_seekSlider->Refresh(false);
    m_seekSlider->Update();
    m_seekSlider->Enable(false);
    m_canvas->Refresh(false);
    SetNameText(wxString());
    SetTimeText(m_elapsedText, kZeroTime);
    m_snapshotRequested = false;
}

void PreviewWindow::OnPlayerPosition(wxCommandEvent& event)
{
    // Positions queued before a stop arrive after it.
    if (m_playJob.finished)
        return;
    const int seconds = std::max(0, event.GetInt());
    const int duration = m_playJob.durationSeconds;
    const int range = m_seekSlider->GetRange();
    if (duration > 0 && !m_seekSlider->HasCapture()) {
        const int pos = int(std::min<int64_t>(range, int64_t(range) * seconds / duration));
        if (pos > 0 && m_seekSlider->GetThumbPos() < pos)
            m_seekSlider->SetThumbPos(pos);
    }
    SetTimeText(m_elapsedText, FormatDuration(uint64_t(seconds)));
}

void PreviewWindow::OnSeek(wxCommandEvent& event)
{
    const int phase = event.GetInt();
    if (phase != PvSlider::PHASE_JUMPED && phase != PvSlider::PHASE_DRAGGED)
        return;
    const int range = m_seekSlider->GetRange();
    if (range <= 0)
        return;
    PlayerSeek(int(int64_t(m_seekSlider->GetThumbPos()) * m_playJob.durationSeconds / range), 0);
}

void PreviewWindow::OnVolume(wxCommandEvent&)
{
    PlayerSetVolume(m_volumeSlider->GetThumbPos(), m_volumeSlider->GetRange());
}

void PreviewWindow::OnMute(wxCommandEvent&)
{
    const int range = m_volumeSlider->GetRange();
    if (m_volumeButton->IsShown()) {
        m_volumeButton->Show(false);
        m_muteButton->Show(true);
        PlayerSetMuteVolume(0, range);
    } else {
        m_muteButton->Show(false);
        m_volumeButton->Show(true);
        PlayerSetMuteVolume(m_volumeSlider->GetThumbPos(), range);
    }
}

void PreviewWindow::OnSnapshot(wxCommandEvent&)
{
    m_snapshotRequested = true;
    // A paused video shows no new frame: paint the shown one again.
    m_canvas->Refresh(false);
}

void PreviewWindow::OnSnapshotOptions(wxCommandEvent&)
{
    wxMenu menu;
    menu.Append(ID_MENU_SNAPSHOT, "Snapshot", wxString());
    menu.Append(ID_MENU_OPEN_FOLDER, "Open Snapshot Folder", wxString());
    menu.Append(ID_MENU_CHANGE_FOLDER, "Change Snapshot Folder", wxString());
    auto* formats = new wxMenu;
    formats->AppendCheckItem(ID_MENU_JPEG, "JPEG", wxString());
    formats->AppendCheckItem(ID_MENU_BMP, "BMP", wxString());
    menu.Append(wxID_ANY, "Snapshot Format", formats);
    menu.Enable(ID_MENU_CHANGE_FOLDER, false);
    menu.Enable(ID_MENU_SNAPSHOT, m_snapshotButton->IsEnabled());
    const bool bmp = m_playJob.snapshotFormat == FORMAT_BMP;
    menu.Check(ID_MENU_BMP, bmp);
    menu.Check(ID_MENU_JPEG, !bmp);
    const wxPoint at = m_optionsButton->GetPosition();
    PopupMenu(&menu, at.x, at.y + m_optionsButton->GetSize().GetHeight());
}

void PreviewWindow::OnOpenSnapshotFolder(wxCommandEvent&)
{
    AppUtil::OpenFolderInExplorer(m_playJob.snapshotFolder);
}

void PreviewWindow::SetJpeg(wxCommandEvent&)
{
    m_playJob.snapshotFormat = FORMAT_JPEG;
}

void PreviewWindow::SetBmp(wxCommandEvent&)
{
    m_playJob.snapshotFormat = FORMAT_BMP;
}
