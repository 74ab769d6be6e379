// Base of the owner-drawn controls: routes paint, erase and mouse events to
// virtual operations so that a subclass overrides only what it needs.
#pragma once

#include <wx/control.h>

class PvControl : public wxControl {
public:
    PvControl();
    ~PvControl() override;

    // Sets the erase background style first, then creates the control.
    bool Create(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxControlNameStr);

protected:
    virtual void OnPaint(wxPaintEvent& event) = 0;
    virtual void OnEraseBackground(wxEraseEvent& event) = 0;
    // The mouse defaults do nothing and do not skip the event.
    virtual void OnEnterWindow(wxMouseEvent& event);
    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void OnLeftUp(wxMouseEvent& event);
    virtual void OnLeftDClick(wxMouseEvent& event);
    virtual void OnLeaveWindow(wxMouseEvent& event);

private:
    wxDECLARE_EVENT_TABLE();
};
