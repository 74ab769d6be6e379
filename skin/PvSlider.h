// One-thumb bitmap slider working in pixels (0..GetRange()), with an optional
// fill left of the thumb. Reports wxEVT_BUTTON at once with the phase in the
// integer: 0 thumb pressed, 1 track clicked (thumb jumped), 2 thumb released,
// 3 thumb dragged.
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

class PvSlider : public wxControl {
public:
    enum Phase { PHASE_PRESSED = 0, PHASE_JUMPED = 1, PHASE_RELEASED = 2, PHASE_DRAGGED = 3 };

    PvSlider();
    PvSlider(const wxBitmap& track, const wxBitmap& thumb, wxWindow* parent, int id,
             const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
             long style = wxBORDER_NONE, const wxValidator& validator = wxDefaultValidator);

    // The control takes the size (track width + thumb width, thumb height).
    virtual bool Create(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                        const wxValidator& validator = wxDefaultValidator);

    // The piece of the owner's skin under the slider.
    void SetBackgroundBitmap(const wxBitmap& background) { m_background = background; }
    void ShowFill(bool show) { m_fillShown = show ? 1 : 0; }
    void SetFillInsets(int widthAdjust, int x, int yAdjust, int heightAdjust);

    int GetRange() const { return m_trackSize.x; }
    int GetThumbPos() const { return m_position; }
    // The owner passes 0..GetRange(); neither clamps.
    void SetThumbPos(int pos);
    void SetThumbPosNoRedraw(int pos);

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
    int PositionFromMouse(int x) const;
    int Clamp(int position) const;
    void Repaint();
    void SendPhase(int phase);
    void Commit();

    wxBitmap m_track;
    wxSize m_trackSize;
    wxBitmap m_thumb;
    wxBitmap m_background;
    wxSize m_controlSize;
    wxRect m_thumbRect;
    wxRect m_trackRect;
    int m_position = 0;
    wxPoint m_grab;
    wxColour m_fillColour;
    int m_fillWidthAdjust = 0;
    int m_fillX = 0;
    int m_fillYAdjust = 0;
    int m_fillHeightAdjust = 0;
    int m_fillShown = 1;

    wxDECLARE_DYNAMIC_CLASS(PvSlider);
    wxDECLARE_EVENT_TABLE();
};
