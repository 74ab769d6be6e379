// Push button drawn from four state images over a snapshot of the parent's
// skin (or a flat colour); reports a completed click as wxEVT_BUTTON.
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

#include <memory>

class PvBitmapButton : public wxControl {
public:
    enum State {
        STATE_NORMAL = 0,
        STATE_CURRENT = 1,   // mouse over
        STATE_PRESSED = 2,
        STATE_RELEASED = 3,  // released after a press (click reported)
        STATE_LEFT = 4,      // mouse left
        STATE_DISABLED = 6,
    };

    PvBitmapButton();
    PvBitmapButton(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                   const wxValidator& validator = wxDefaultValidator);
    ~PvBitmapButton() override;

    bool Create(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                const wxValidator& validator = wxDefaultValidator);

    // Each takes ownership of the image; return this for chaining.
    PvBitmapButton* SetBitmapNormal(wxBitmap* bitmap);
    PvBitmapButton* SetBitmapPressed(wxBitmap* bitmap);
    PvBitmapButton* SetBitmapCurrent(wxBitmap* bitmap);
    PvBitmapButton* SetBitmapDisable(wxBitmap* bitmap);
    // The piece of the parent's skin under the button, drawn under the image.
    PvBitmapButton* SetBackgroundBitmap(const wxBitmap& snapshot);
    // A flat background instead of the snapshot.
    bool SetBackgroundColour(const wxColour& colour) override;
    bool Enable(bool enable = true) override;

    int GetState() const { return m_state; }
    // Paints the button's face as the paint handler does.
    void DrawFace(wxDC& dc) const;

protected:
    virtual void OnEnterWindow(wxMouseEvent& event);
    virtual void OnLeaveWindow(wxMouseEvent& event);
    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void OnLeftDClick(wxMouseEvent& event);
    virtual void OnLeftUp(wxMouseEvent& event);
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void SetStateAndRepaint(int state, bool erase);
    const wxBitmap* ImageOfState() const;

    wxBitmap m_snapshot;
    bool m_useSnapshot = false;
    std::unique_ptr<wxBitmap> m_normal;
    std::unique_ptr<wxBitmap> m_pressed;
    std::unique_ptr<wxBitmap> m_current;
    std::unique_ptr<wxBitmap> m_disabled;
    int m_state = STATE_NORMAL;

    wxDECLARE_DYNAMIC_CLASS(PvBitmapButton);
    wxDECLARE_EVENT_TABLE();
};
