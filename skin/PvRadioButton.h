// Radio button: the native radio mark and a label over a snapshot of the
// parent's skin. A click on an unchecked button of a group selects it and
// queues wxEVT_COMMAND_PVRADIOBUTTON_SELECTED; SetValue sends nothing.
#pragma once

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/control.h>
#include <wx/font.h>

class PvRadioGroup;

wxDECLARE_EVENT(wxEVT_COMMAND_PVRADIOBUTTON_SELECTED, wxCommandEvent);

class PvRadioButton : public wxControl {
public:
    PvRadioButton();
    PvRadioButton(wxWindow* parent, int id, const wxString& label,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                  long style = wxBORDER_NONE, const wxValidator& validator = wxDefaultValidator);

    bool Create(wxWindow* parent, int id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxBORDER_NONE, const wxValidator& validator = wxDefaultValidator);

    // Sizes the control to the mark, the gap and the label in its font.
    void FitSize();
    // Checks or unchecks; a button of a group that gets checked is selected
    // through the group. No event.
    void SetValue(bool value);
    bool IsChecked() const { return m_checked; }
    // The flag only; the group keeps the buttons exclusive.
    void SetChecked(bool checked) { m_checked = checked; }
    void SetBackgroundBitmap(const wxBitmap& background) { m_background = background; }
    void SetLabelFont(const wxFont& font);
    void SetGap(int gap) { m_gap = gap; }
    void SetTextColour(const wxColour& colour) { m_textColour = colour; }
    void SetGroup(PvRadioGroup* group) { m_group = group; }
    PvRadioGroup* GetGroup() const { return m_group; }
    void SetIndex(int index) { m_index = index; }
    int GetIndex() const { return m_index; }
    wxString GetLabelText() const { return m_label; }
    bool Enable(bool enable = true) override;

    wxSize GetIndicatorSize() const { return m_indicatorSize; }
    // Paints the mark and the label as the paint handler does.
    void DrawFace(wxDC& dc);

private:
    void OnEraseBackground(wxEraseEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);

    PvRadioGroup* m_group = nullptr;
    int m_index = -1;
    wxBitmap m_background;
    wxSize m_indicatorSize;
    int m_flags = 0;
    wxString m_label;
    bool m_checked = false;
    bool m_pressed = false;
    int m_gap = 6;
    wxColour m_textColour;

    wxDECLARE_DYNAMIC_CLASS(PvRadioButton);
    wxDECLARE_EVENT_TABLE();
};
