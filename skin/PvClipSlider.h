// Two-mark trim slider: an in-mark and an out-mark joined by a line, in
// pixels. Reports wxEVT_BUTTON at once with the phase in the integer:
// 0 a mark pressed, 1 mark released (committed), 2 mark dragged.
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/pen.h>

#include <memory>

class PvClipSlider : public wxControl {
public:
    enum Phase { PHASE_PRESSED = 0, PHASE_RELEASED = 1, PHASE_DRAGGED = 2 };

    PvClipSlider();
    ~PvClipSlider() override;

    // Takes ownership; call before Create.
    void SetBackgroundBitmap(wxBitmap* background) { m_background.reset(background); }
    // Takes ownership of both marks. size is the background piece's size.
    virtual bool Create(wxBitmap* inMark, wxBitmap* outMark, wxWindow* parent, int id,
                        const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                        long style = wxBORDER_NONE,
                        const wxValidator& validator = wxDefaultValidator);

    int GetInPos() const { return m_liveIn; }
    int GetOutPos() const { return m_liveOut - m_inRect.width; }
    bool IsDraggingIn() const { return m_draggingIn; }
    int GetMax() const { return m_max; }
    int GetSpan() const { return m_outRect.x - m_inRect.x; }
    // No repaint, no clamping.
    void SetInPos(int pos);
    void SetOutPos(int pos);

    // Paints the slider as the paint handler does.
    void DrawFace(wxDC& dc) const;

protected:
    virtual void OnPaint(wxPaintEvent& event);
    virtual void OnEnterWindow(wxMouseEvent& event);
    virtual void OnMotion(wxMouseEvent& event);
    virtual void OnLeaveWindow(wxMouseEvent& event);
    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void OnLeftDClick(wxMouseEvent& event);
    virtual void OnLeftUp(wxMouseEvent& event);

private:
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void SendPhase(int phase);
    void Commit();

    std::unique_ptr<wxBitmap> m_inMark;
    wxRect m_inRect;
    bool m_draggingIn = false;
    int m_liveIn = 0;
    std::unique_ptr<wxBitmap> m_outMark;
    wxRect m_outRect;
    int m_liveOut = 0;
    wxPoint m_grab;
    wxColour m_lineColour;
    wxPen m_linePen;
    int m_max = 0;
    std::unique_ptr<wxBitmap> m_background;

    wxDECLARE_DYNAMIC_CLASS(PvClipSlider);
    wxDECLARE_EVENT_TABLE();
};
