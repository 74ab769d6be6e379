// Check box: the native check mark and a label over a snapshot of the
// parent's skin. A click toggles it and queues wxEVT_COMMAND_PVCHECKBOX_CLICKED
// (integer 1 when it became checked, 0 when unchecked).
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

wxDECLARE_EVENT(wxEVT_COMMAND_PVCHECKBOX_CLICKED, wxCommandEvent);

class PvCheckBox : public wxControl {
public:
    PvCheckBox();
    PvCheckBox(wxWindow* parent, int id, const wxString& label,
               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
               long style = wxBORDER_NONE, const wxValidator& validator = wxDefaultValidator);

    // Changes the mark without sending an event.
    PvCheckBox* SetValue(bool value);
    bool GetValue() const { return m_value; }
    PvCheckBox* SetBackgroundBitmap(const wxBitmap& snapshot);
    // Sizes the control to the box, the gap and the label in its font.
    PvCheckBox* FitToLabel();
    void SetLabelTop(int top) { m_labelTop = top; }
    PvCheckBox* SetCaption(const wxString& caption);
    wxString GetCaption() const { return m_caption; }
    bool Enable(bool enable = true) override;

    wxSize GetBoxSize() const { return m_boxSize; }
    // Where the label is drawn.
    wxPoint GetLabelPosition() const;
    // Paints the box and the label as the paint handler does.
    void DrawFace(wxDC& dc);

private:
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);

    wxBitmap m_snapshot;
    wxString m_caption;
    int m_textWidth = 0;
    int m_textHeight = 0;
    int m_gap = 6;
    int m_labelTop = 0;
    bool m_value = false;
    bool m_pressed = false;
    wxSize m_boxSize;
    int m_flags = 0;

    wxDECLARE_DYNAMIC_CLASS(PvCheckBox);
    wxDECLARE_EVENT_TABLE();
};
