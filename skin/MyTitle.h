// A skinned title strip that paints its own skin and drags a target window.
#pragma once

#include "BaseWindow.h"

class MyTitle : public BaseWindow {
public:
    MyTitle();
    // Takes ownership of skin; moveTarget (not owned) is the window dragged
    // by the strip, null for none.
    MyTitle(wxWindow* parent, int id, wxBitmap* skin, wxWindow* moveTarget,
            const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
            long style = wxBORDER_NONE, const wxString& name = wxPanelNameStr);

protected:
    virtual void OnPaint(wxPaintEvent& event);
    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void OnLeftUp(wxMouseEvent& event);
    virtual void OnMotion(wxMouseEvent& event);
    virtual void OnEraseBackground(wxEraseEvent& event);
    wxSize DoGetBestSize() const override;

private:
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

    wxPoint m_dragOffset;
    wxWindow* m_moveTarget = nullptr;

    wxDECLARE_DYNAMIC_CLASS(MyTitle);
    wxDECLARE_EVENT_TABLE();
};
