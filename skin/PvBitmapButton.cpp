#include "PvBitmapButton.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(PvBitmapButton, wxControl);

wxBEGIN_EVENT_TABLE(PvBitmapButton, wxControl)
    EVT_PAINT(PvBitmapButton::OnPaint)
    EVT_ENTER_WINDOW(PvBitmapButton::OnEnterWindow)
    EVT_LEAVE_WINDOW(PvBitmapButton::OnLeaveWindow)
    EVT_LEFT_DOWN(PvBitmapButton::OnLeftDown)
    EVT_LEFT_DCLICK(PvBitmapButton::OnLeftDClick)
    EVT_LEFT_UP(PvBitmapButton::OnLeftUp)
wxEND_EVENT_TABLE()

PvBitmapButton::PvBitmapButton() = default;

PvBitmapButton::PvBitmapButton(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                               long style, const wxValidator& validator)
{
    Create(parent, id, pos, size, style, validator);
}

PvBitmapButton::~PvBitmapButton() = default;

bool PvBitmapButton::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                            long style, const wxValidator& validator)
{
    return wxControl::Create(parent, id, pos, size, style, validator, wxControlNameStr);
}

PvBitmapButton* PvBitmapButton::SetBitmapNormal(wxBitmap* bitmap)
{
    m_normal.reset(bitmap);
    return this;
}

PvBitmapButton* PvBitmapButton::SetBitmapPressed(wxBitmap* bitmap)
{
    m_pressed.reset(bitmap);
    return this;
}

PvBitmapButton* PvBitmapButton::SetBitmapCurrent(wxBitmap* bitmap)
{
    m_current.reset(bitmap);
    return this;
}

PvBitmapButton* PvBitmapButton::SetBitmapDisable(wxBitmap* bitmap)
{
    m_disabled.reset(bitmap);
    return this;
}

PvBitmapButton* PvBitmapButton::SetBackgroundBitmap(const wxBitmap& snapshot)
{
    m_snapshot = snapshot;
    m_useSnapshot = true;
    return this;
}

bool PvBitmapButton::SetBackgroundColour(const wxColour& colour)
{
    m_useSnapshot = false;
    return wxControl::SetBackgroundColour(colour);
}

bool PvBitmapButton::Enable(bool enable)
{
    m_state = enable ? STATE_NORMAL : STATE_DISABLED;
    Refresh(false);
    Update();
    return wxControl::Enable(enable);
}

wxSize PvBitmapButton::DoGetBestSize() const
{
    return GetSize();
}

const wxBitmap* PvBitmapButton::ImageOfState() const
{
    const wxBitmap* image = nullptr;
    switch (m_state) {
    case STATE_CURRENT:
        image = m_current.get();
        break;
    case STATE_PRESSED:
        image = m_pressed.get();
        break;
    case STATE_DISABLED:
        image = m_disabled.get();
        break;
    default:
        break;
    }
    return image && image->IsOk() ? image : m_normal.get();
}

void PvBitmapButton::DrawFace(wxDC& dc) const
{
    if (m_useSnapshot) {
        if (m_snapshot.IsOk())
            dc.DrawBitmap(m_snapshot, 0, 0, true);
    } else {
        const wxColour colour = GetBackgroundColour();
        dc.SetBrush(wxBrush(colour));
        dc.SetPen(wxPen(colour, 1, wxPENSTYLE_SOLID));
        dc.DrawRectangle(wxPoint(0, 0), GetSize());
    }
    const wxBitmap* image = ImageOfState();
    if (image && image->IsOk())
        dc.DrawBitmap(*image, 0, 0, true);
}

void PvBitmapButton::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawFace(dc);
}

void PvBitmapButton::SetStateAndRepaint(int state, bool erase)
{
    m_state = state;
    Refresh(erase);
    Update();
}

void PvBitmapButton::OnEnterWindow(wxMouseEvent&)
{
    SetStateAndRepaint(STATE_CURRENT, true);
}

void PvBitmapButton::OnLeaveWindow(wxMouseEvent&)
{
    if (IsEnabled())
        SetStateAndRepaint(STATE_LEFT, true);
}

void PvBitmapButton::OnLeftDown(wxMouseEvent&)
{
    SetStateAndRepaint(STATE_PRESSED, true);
}

void PvBitmapButton::OnLeftDClick(wxMouseEvent&)
{
    SetStateAndRepaint(STATE_PRESSED, false);
}

void PvBitmapButton::OnLeftUp(wxMouseEvent&)
{
    if (m_state != STATE_PRESSED)
        return;
    SetStateAndRepaint(STATE_RELEASED, true);
    wxCommandEvent click(wxEVT_BUTTON, GetId());
    click.SetEventObject(this);
    GetEventHandler()->ProcessEvent(click);
}
