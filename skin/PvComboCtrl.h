// A read-only combo: a white, grey-bordered field with a text on the left,
// a skinned drop-down button on the right (normal or mouse-over) and a
// drop-down list of plain text items.
#pragma once

#include <wx/combo.h>
#include <wx/textctrl.h>

class wxListViewComboPopup;

class PvComboCtrl : public wxComboCtrl {
public:
    PvComboCtrl();
    PvComboCtrl(wxWindow* parent, int id, const wxString& value = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = 0, const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxComboBoxNameStr);

    // A style bit that leaves the text field editable (the value of
    // wxTE_NO_VSCROLL); no other bit of the caller's style is used.
    static constexpr long EDITABLE_TEXT = 0x02;

    // The control is always read-only and borderless.
    bool Create(wxWindow* parent, int id, const wxString& value = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = 0, const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxComboBoxNameStr);

    // The control takes the height of the normal image; the text field
    // fills the width left of it.
    void SetButtonBitmaps(const wxBitmap& normal, bool pushButtonBg = false,
                          const wxBitmap& pressed = wxNullBitmap,
                          const wxBitmap& hover = wxNullBitmap,
                          const wxBitmap& disabled = wxNullBitmap);

    void AppendItem(const wxString& text);
    void ClearItems();

    void SetValue(const wxString& value) override;
    wxString GetValue() const override;

    // A chosen item shows in the text field.
    void HidePopup(bool generateEvent = false) override;

    int GetButtonState() const { return m_buttonState; }
    int GetTextWidth() const { return m_textWidth; }
    wxTextCtrl* GetInnerText() const { return m_innerText; }
    wxListViewComboPopup* GetList() const { return m_list; }

    // The face as erase and paint draw it together.
    void DrawFace(wxDC& dc) const;

protected:
    virtual void OnPaint(wxPaintEvent& event);
    virtual void OnEraseBackground(wxEraseEvent& event);
    virtual void OnEnterWindow(wxMouseEvent& event);
    virtual void OnLeaveWindow(wxMouseEvent& event);

private:
    void DrawBox(wxDC& dc) const;
    void DrawButton(wxDC& dc) const;

    int m_buttonState = 0;
    int m_textWidth = 0;
    wxTextCtrl* m_innerText = nullptr;
    wxListViewComboPopup* m_list = nullptr;
    wxBitmap m_normalImage;
    wxBitmap m_hoverImage;

    wxDECLARE_DYNAMIC_CLASS(PvComboCtrl);
    wxDECLARE_EVENT_TABLE();
};
