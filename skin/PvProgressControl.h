// Horizontal progress bar: a grey-bordered white box with a blue bar of
// width value / range of the control's width.
#pragma once

#include "PvControl.h"

#include <wx/brush.h>
#include <wx/pen.h>

class PvProgressControl : public PvControl {
public:
    PvProgressControl();
    PvProgressControl(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                      const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                      const wxValidator& validator = wxDefaultValidator,
                      const wxString& name = wxControlNameStr);

    // Style, validator and name are not used: the bar is always borderless.
    bool Create(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxControlNameStr);

    void SetRange(int range) { m_range = range; }
    int GetRange() const { return m_range; }
    // Stores the value and repaints before returning.
    void SetValue(int value);
    void SetValueNoRefresh(int value) { m_value = value; }
    int GetValue() const { return m_value; }

    // The bar's width for the current value in a control w pixels wide:
    // 0 while the range is not positive, never more than w.
    int BarWidth(int w) const;
    // Paints the box and the bar, as the erase and paint handlers do.
    void DrawFace(wxDC& dc) const;

protected:
    void OnPaint(wxPaintEvent& event) override;
    void OnEraseBackground(wxEraseEvent& event) override;

private:
    void DrawBox(wxDC& dc) const;
    void DrawBar(wxDC& dc) const;

    wxBrush m_fillBrush;
    wxBrush m_backgroundBrush;
    wxPen m_borderPen;
    int m_range = 0;
    int m_value = 0;

    wxDECLARE_DYNAMIC_CLASS(PvProgressControl);
};
