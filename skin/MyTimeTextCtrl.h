// A text field for a time in the form hh:mm:ss, typed over: a one-character
// cursor (shown as the selection) steps over the digits and skips the ":"
// separators; Delete and Backspace turn digits into "0", so the text always
// keeps its form. Create it with wxTextCtrl::Create and a text such as
// "00:00:00"; the cursor starts on the first character.
#pragma once

#include <wx/textctrl.h>

class MyTimeTextCtrl : public wxTextCtrl {
public:
    MyTimeTextCtrl();
    // The text field's own creation; the starting text is the time that any
    // change which is no time goes back to.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& value = "00:00:00",
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = 0, const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxTextCtrlNameStr);

    // The cursor as (first character, one past the last).
    long GetCursorStart() const { return m_cursorStart; }
    long GetCursorEnd() const { return m_cursorEnd; }

    // Shows the cursor again: GTK selects the whole text on focusing.
    void SetFocus() override;

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnLeftDClick(wxMouseEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnMiddleDown(wxMouseEvent& event);
    void OnText(wxCommandEvent& event);

    // True for eight characters hh:mm:ss, digits around the two colons.
    static bool IsTime(const wxString& text);
    // The time that after holds in place of part of before (what both keep
    // at their ends), or an empty text.
    static wxString TimePutInto(const wxString& before, const wxString& after);
    // The control's own edits, which pass through texts that are no time.
    void Put(long from, long to, const wxString& text);

    wxString SelectCursor();
    static bool IsNumber(const wxString& text);
    void NormalizeCursor();
    void SelectCursorLater();

    void MoveLeft();
    void MoveRight();
    void CollapseLeft();
    void CollapseRight();
    void TypeDigit(wxChar digit);
    void ClearDigit();
    void BackDigit();
    void ClearRange();
    void TypeDigitOverRange(wxChar digit);

    long m_cursorStart = 0;
    long m_cursorEnd = 1;
    bool m_mouseSelecting = false;
    bool m_writing = false;
    // The last time the text held: what any other change goes back to.
    wxString m_lastTime;

    wxDECLARE_EVENT_TABLE();
};
