#include "PvSlider.h"

#include "MouseCapture.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(PvSlider, wxControl);

wxBEGIN_EVENT_TABLE(PvSlider, wxControl)
    EVT_PAINT(PvSlider::OnPaint)
    EVT_ENTER_WINDOW(PvSlider::OnEnterWindow)
    EVT_LEAVE_WINDOW(PvSlider::OnLeaveWindow)
    EVT_LEFT_DOWN(PvSlider::OnLeftDown)
    EVT_MOTION(PvSlider::OnMotion)
    EVT_LEFT_DCLICK(PvSlider::OnLeftDClick)
    EVT_LEFT_UP(PvSlider::OnLeftUp)
    EVT_MOUSE_CAPTURE_LOST(PvSlider::OnCaptureLost)
wxEND_EVENT_TABLE()

namespace {

wxSize SizeOf(const wxBitmap& bitmap)
{
    return bitmap.IsOk() ? bitmap.GetSize() : wxSize(0, 0);
}

}  // namespace

PvSlider::PvSlider() = default;

PvSlider::PvSlider(const wxBitmap& track, const wxBitmap& thumb, wxWindow* parent, int id,
                   const wxPoint& pos, const wxSize& size, long style, const wxValidator& validator)
    : m_track(track), m_thumb(thumb)
{
    m_fillShown = 1;
    Create(parent, id, pos, size, style, validator);
}

bool PvSlider::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style,
                      const wxValidator& validator)
{
    if (!wxControl::Create(parent, id, pos, size, style, validator, wxControlNameStr))
        return false;
    SetBackgroundStyle(wxBG_STYLE_ERASE);
    const wxSize thumb = SizeOf(m_thumb);
    m_trackSize = SizeOf(m_track);
    m_thumbRect = wxRect(0, 0, thumb.x, thumb.y);
    m_controlSize = wxSize(m_trackSize.x + thumb.x, thumb.y);
    SetSize(m_controlSize);
    m_position = 0;
    m_trackRect = wxRect(thumb.x / 2, 0, m_trackSize.x, thumb.y);
    m_fillColour = wxColour(14, 177, 242);
    SetFillInsets(0, 0, 0, 0);
    return true;
}

void PvSlider::SetFillInsets(int widthAdjust, int x, int yAdjust, int heightAdjust)
{
    m_fillWidthAdjust = widthAdjust;
    m_fillX = x;
    m_fillYAdjust = yAdjust;
    m_fillHeightAdjust = heightAdjust;
}

void PvSlider::SetThumbPos(int pos)
{
    SetThumbPosNoRedraw(pos);
    Repaint();
}

void PvSlider::SetThumbPosNoRedraw(int pos)
{
    m_position = pos;
    m_thumbRect.x = pos;
}

void PvSlider::Repaint()
{
    Refresh(false);
    Update();
}

void PvSlider::SendPhase(int phase)
{
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetInt(phase);
    GetEventHandler()->ProcessEvent(event);
}

int PvSlider::Clamp(int position) const
{
    const int most = m_controlSize.x - m_thumbRect.width;
    if (position < 0)
        return 0;
    return position > most ? most : position;
}

int PvSlider::PositionFromMouse(int x) const
{
    return Clamp(m_thumbRect.x + (x - m_grab.x));
}

void PvSlider::OnLeftDown(wxMouseEvent& event)
{
    const wxPoint pt = event.GetPosition();
    if (m_thumbRect.Contains(pt)) {
        m_grab = pt;
        MouseCapture::Take(this);
        SendPhase(PHASE_PRESSED);
    } else if (m_trackRect.Contains(pt)) {
        m_position = Clamp(pt.x - m_thumbRect.width / 2);
        m_thumbRect.x = m_position;
        Repaint();
        SendPhase(PHASE_JUMPED);
    }
}

void PvSlider::OnMotion(wxMouseEvent& event)
{
    if (!HasCapture() || !event.LeftIsDown() || !event.Dragging())
        return;
    m_position = PositionFromMouse(event.GetX());
    Repaint();
    SendPhase(PHASE_DRAGGED);
}

void PvSlider::Commit()
{
    m_thumbRect.x = m_position;
    SendPhase(PHASE_RELEASED);
}

void PvSlider::OnLeftUp(wxMouseEvent&)
{
    if (!HasCapture())
        return;
    ReleaseMouse();
    Commit();
}

void PvSlider::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // The drag ends where the thumb is, as a release would end it.
    Commit();
}

void PvSlider::OnEnterWindow(wxMouseEvent&) {}

void PvSlider::OnLeaveWindow(wxMouseEvent&) {}

void PvSlider::OnLeftDClick(wxMouseEvent&) {}

void PvSlider::DrawFace(wxDC& dc) const
{
    const int h = m_controlSize.y;
    const int trackY = (h - m_trackSize.y) / 2;
    if (m_background.IsOk())
        dc.DrawBitmap(m_background, 0, 0, false);
    if (m_track.IsOk())
        dc.DrawBitmap(m_track, m_thumbRect.width / 2, trackY, false);
    if (m_thumb.IsOk())
        dc.DrawBitmap(m_thumb, m_position, 0, false);
    dc.SetPen(wxPen(m_fillColour, 1, wxPENSTYLE_SOLID));
    dc.SetBrush(wxBrush(m_fillColour, wxBRUSHSTYLE_SOLID));
    const int fillWidth = m_position + m_fillWidthAdjust - m_thumbRect.width / 2;
    if (fillWidth > 0 && m_fillShown)
        dc.DrawRectangle(m_fillX, trackY + m_fillYAdjust, fillWidth,
                         m_trackSize.y + m_fillHeightAdjust);
}

void PvSlider::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawFace(dc);
}
