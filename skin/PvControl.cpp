#include "PvControl.h"

wxBEGIN_EVENT_TABLE(PvControl, wxControl)
    EVT_PAINT(PvControl::OnPaint)
    EVT_ERASE_BACKGROUND(PvControl::OnEraseBackground)
    EVT_ENTER_WINDOW(PvControl::OnEnterWindow)
    EVT_LEAVE_WINDOW(PvControl::OnLeaveWindow)
    EVT_LEFT_DOWN(PvControl::OnLeftDown)
    EVT_LEFT_DCLICK(PvControl::OnLeftDClick)
    EVT_LEFT_UP(PvControl::OnLeftUp)
wxEND_EVENT_TABLE()

PvControl::PvControl() = default;

PvControl::~PvControl() = default;

bool PvControl::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                       long style, const wxValidator& validator, const wxString& name)
{
    SetBackgroundStyle(wxBG_STYLE_ERASE);
    return wxControl::Create(parent, id, pos, size, style, validator, name);
}

void PvControl::OnEnterWindow(wxMouseEvent&) {}

void PvControl::OnLeftDown(wxMouseEvent&) {}

void PvControl::OnLeftUp(wxMouseEvent&) {}

void PvControl::OnLeftDClick(wxMouseEvent&) {}

void PvControl::OnLeaveWindow(wxMouseEvent&) {}
