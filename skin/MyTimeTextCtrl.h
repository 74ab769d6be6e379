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

    wxDECLARE_EVENT_TABLE();
};
