#include "PvClipSlider.h"

#include "MouseCapture.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(PvClipSlider, wxControl);

wxBEGIN_EVENT_TABLE(PvClipSlider, wxControl)
    EVT_PAINT(PvClipSlider::OnPaint)
    EVT_ENTER_WINDOW(PvClipSlider::OnEnterWindow)
    EVT_LEAVE_WINDOW(PvClipSlider::OnLeaveWindow)
    EVT_LEFT_DOWN(PvClipSlider::OnLeftDown)
    EVT_MOTION(PvClipSlider::OnMotion)
    EVT_LEFT_DCLICK(PvClipSlider::OnLeftDClick)
    EVT_LEFT_UP(PvClipSlider::OnLeftUp)
    EVT_MOUSE_CAPTURE_LOST(PvClipSlider::OnCaptureLost)
wxEND_EVENT_TABLE()

namespace {

wxSize SizeOf(const wxBitmap* bitmap)
{
    return bitmap && bitmap->IsOk() ? bitmap->GetSize() : wxSize(0, 0);
}

}  // namespace

PvClipSlider::PvClipSlider() = default;

PvClipSlider::~PvClipSlider() = default;

bool PvClipSlider::Create(wxBitmap* inMark, wxBitmap* outMark, wxWindow* parent, int id,
                          const wxPoint& pos, const wxSize& size, long style,
                          const wxValidator& validator)
{
    m_inMark.reset(inMark);
    m_outMark.reset(outMark);
    if (!wxControl::Create(parent, id, pos, size, style, validator, wxControlNameStr))
        return false;
    const wxSize in = SizeOf(m_inMark.get());
    const wxSize out = SizeOf(m_outMark.get());
    m_inRect = wxRect(0, 0, in.x, in.y);
    m_liveIn = 0;
    m_outRect = wxRect(size.x - out.x, 0, out.x, out.y);
    m_liveOut = m_outRect.x;
    m_max = size.x - 2 * out.x;
    m_lineColour = wxColour(128, 0, 255);
    m_linePen = wxPen(m_lineColour, 1, wxPENSTYLE_SOLID);
    m_draggingIn = false;
    return true;
}

void PvClipSlider::SetInPos(int pos)
{
    m_inRect.x = pos;
    m_liveIn = pos;
}

void PvClipSlider::SetOutPos(int pos)
{
    m_outRect.x = pos + m_inRect.width;
    m_liveOut = m_outRect.x;
}

void PvClipSlider::SendPhase(int phase)
{
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetInt(phase);
    GetEventHandler()->ProcessEvent(event);
}

void PvClipSlider::OnLeftDown(wxMouseEvent& event)
{
    const wxPoint pt = event.GetPosition();
    if (m_inRect.Contains(pt))
        m_draggingIn = true;
    else if (m_outRect.Contains(pt))
        m_draggingIn = false;
    else
        return;
    m_grab = pt;
    MouseCapture::Take(this);
    SendPhase(PHASE_PRESSED);
}

void PvClipSlider::OnMotion(wxMouseEvent& event)
{
    if (!HasCapture() || !event.LeftIsDown() || !event.Dragging())
        return;
    const int dx = event.GetX() - m_grab.x;
    if (m_draggingIn) {
        m_liveIn = m_inRect.x + dx;
        if (m_liveIn + m_inRect.width > m_outRect.x)
            m_liveIn = m_outRect.x - m_inRect.width;
        else if (m_liveIn < 0)
            m_liveIn = 0;
    } else {
        m_liveOut = m_outRect.x + dx;
        if (m_liveOut < m_inRect.x + m_inRect.width)
            m_liveOut = m_inRect.x + m_inRect.width;
        else if (m_liveOut > m_max + m_inRect.width)
            m_liveOut = m_max + m_inRect.width;
    }
    Refresh(false);
    Update();
    SendPhase(PHASE_DRAGGED);
}

void PvClipSlider::Commit()
{
    m_inRect.x = m_liveIn;
    m_outRect.x = m_liveOut;
}

void PvClipSlider::OnLeftUp(wxMouseEvent&)
{
    if (!HasCapture())
        return;
    Commit();
    ReleaseMouse();
    SendPhase(PHASE_RELEASED);
}

void PvClipSlider::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // The drag ends where the mark is, as a release would end it.
    Commit();
    SendPhase(PHASE_RELEASED);
}

void PvClipSlider::OnEnterWindow(wxMouseEvent&) {}

void PvClipSlider::OnLeaveWindow(wxMouseEvent&) {}

void PvClipSlider::OnLeftDClick(wxMouseEvent&) {}

void PvClipSlider::DrawFace(wxDC& dc) const
{
    if (m_background && m_background->IsOk())
        dc.DrawBitmap(*m_background, 0, 0, false);
    if (m_inMark && m_inMark->IsOk())
        dc.DrawBitmap(*m_inMark, m_liveIn, 0, false);
    if (m_outMark && m_outMark->IsOk())
        dc.DrawBitmap(*m_outMark, m_liveOut, 0, false);
    dc.SetPen(m_linePen);
    dc.DrawLine(m_liveIn + m_inRect.width, m_inRect.height / 2, m_liveOut, m_outRect.height / 2);
}

void PvClipSlider::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawFace(dc);
}
