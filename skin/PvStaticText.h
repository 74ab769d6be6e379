// One line of text in a chosen font over the piece of the parent's skin
// under it, sized to its text; optionally drags a window when pressed.
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/font.h>

class PvStaticText : public wxControl {
public:
    PvStaticText();
    PvStaticText(wxWindow* parent, int id, const wxString& text, const wxFont& font,
                 wxWindow* moveTarget, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                 const wxValidator& validator = wxDefaultValidator);

    // The label takes the size of its text in the font; size is not used.
    // moveTarget (not owned, may be null) is dragged by presses on the label.
    virtual bool Create(wxWindow* parent, int id, const wxString& text, const wxFont& font,
                        wxWindow* moveTarget, const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                        const wxValidator& validator = wxDefaultValidator);

    // The skin of the window the label lies on; borrowed, must outlive the
    // label and be set before it is first shown.
    void SetBackground(wxBitmap* parentSkin) { m_parentSkin = parentSkin; }
    // Stores the text, resizes the label to it and repaints at once.
    void SetText(const wxString& text);
    // Stores the text only; it is clipped to the old size until SetText.
    void SetTextNoLayout(const wxString& text) { m_text = text; }
    wxString GetText() const { return m_text; }

    // Paints the label's face as the paint handler does.
    void DrawFace(wxDC& dc) const;

protected:
    virtual void OnPaint(wxPaintEvent& event);
    wxSize DoGetBestSize() const override;

private:
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    wxSize MeasureText(wxWindow* measurer) const;

    wxFont m_font;
    wxString m_text;
    wxPoint m_dragOffset;
    wxWindow* m_moveTarget = nullptr;
    wxBitmap* m_parentSkin = nullptr;

    wxDECLARE_DYNAMIC_CLASS(PvStaticText);
    wxDECLARE_EVENT_TABLE();
};
