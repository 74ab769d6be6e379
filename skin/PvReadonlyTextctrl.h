// A one-line, read-only text box: white with a grey border, the text at
// its left and the same text as tooltip. Nothing in it can be edited.
#pragma once

#include "PvControl.h"

class PvReadonlyTextctrl : public PvControl {
public:
    PvReadonlyTextctrl();

    bool Create(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize);

    // Stores and measures the text and makes it the tooltip; the box shows
    // it at its next repaint.
    void SetText(const wxString& text);
    wxString GetText() const { return m_text; }

    // The face as erase and paint draw it together.
    void DrawFace(wxDC& dc) const;

protected:
    void OnPaint(wxPaintEvent& event) override;
    void OnEraseBackground(wxEraseEvent& event) override;
    void OnEnterWindow(wxMouseEvent& event) override;
    void OnLeftDown(wxMouseEvent& event) override;
    void OnLeftUp(wxMouseEvent& event) override;
    void OnLeftDClick(wxMouseEvent& event) override;
    void OnLeaveWindow(wxMouseEvent& event) override;

private:
    void DrawBox(wxDC& dc) const;
    void DrawText(wxDC& dc) const;

    wxString m_text;
    int m_textWidth = 0;
    int m_textHeight = 0;

    wxDECLARE_DYNAMIC_CLASS(PvReadonlyTextctrl);
};
