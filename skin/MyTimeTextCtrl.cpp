#include "MyTimeTextCtrl.h"

wxBEGIN_EVENT_TABLE(MyTimeTextCtrl, wxTextCtrl)
    EVT_KEY_DOWN(MyTimeTextCtrl::OnKeyDown)
    EVT_LEFT_DOWN(MyTimeTextCtrl::OnLeftDown)
    EVT_LEFT_UP(MyTimeTextCtrl::OnLeftUp)
    EVT_LEFT_DCLICK(MyTimeTextCtrl::OnLeftDClick)
    EVT_SET_FOCUS(MyTimeTextCtrl::OnSetFocus)
    EVT_MIDDLE_DOWN(MyTimeTextCtrl::OnMiddleDown)
    EVT_TEXT(wxID_ANY, MyTimeTextCtrl::OnText)
wxEND_EVENT_TABLE()

namespace {
constexpr long kTimeLength = 8;  // hh:mm:ss
}

MyTimeTextCtrl::MyTimeTextCtrl() = default;

bool MyTimeTextCtrl::Create(wxWindow* parent, wxWindowID id, const wxString& value,
                            const wxPoint& pos, const wxSize& size, long style,
                            const wxValidator& validator, const wxString& name)
{
    m_lastTime = IsTime(value) ? value : wxString("00:00:00");
    return wxTextCtrl::Create(parent, id, m_lastTime, pos, size, style, validator, name);
}

bool MyTimeTextCtrl::IsTime(const wxString& text)
{
    if (long(text.length()) != kTimeLength)
        return false;
    for (long i = 0; i < kTimeLength; ++i) {
        const bool separator = i == 2 || i == 5;
        if (separator ? text[i] != ':' : !wxIsdigit(text[i]))
            return false;
    }
    return true;
}

void MyTimeTextCtrl::Put(long from, long to, const wxString& text)
{
    // A replace is a removal and an insertion: the text between them is no time.
    m_writing = true;
    Replace(from, to, text);
    m_writing = false;
    m_lastTime = GetValue();
}

void MyTimeTextCtrl::OnText(wxCommandEvent& event)
{
    event.Skip();
    if (m_writing)
        return;
    // Whatever else changed the text (a paste by keys or by the middle
    // button, a drop): only a time in hh:mm:ss form stays.
    const wxString value = GetValue();
    if (IsTime(value)) {
        m_lastTime = value;
        return;
    }
    // A whole time put in among the old text (a drop beside the selection, a
    // paste over the cursor) is the new time.
    const wxString put = TimePutInto(m_lastTime, value);
    if (!put.empty())
        m_lastTime = put;
    ChangeValue(m_lastTime);
    SelectCursorLater();
}

wxString MyTimeTextCtrl::TimePutInto(const wxString& before, const wxString& after)
{
    const size_t kLength = 8;  // hh:mm:ss
    for (size_t at = 0; at + kLength <= after.length(); ++at) {
        const wxString head = after.Left(at);
        const wxString tail = after.Mid(at + kLength);
        if (head.length() + tail.length() <= before.length() && before.StartsWith(head) &&
            before.EndsWith(tail) && IsTime(after.Mid(at, kLength)))
            return after.Mid(at, kLength);
    }
    return wxString();
}

void MyTimeTextCtrl::OnMiddleDown(wxMouseEvent&)
{
    // Not passed on: GTK would paste the primary selection here.
}

wxString MyTimeTextCtrl::SelectCursor()
{
    SetSelection(m_cursorStart, m_cursorEnd);
    return GetRange(m_cursorStart, m_cursorEnd);
}

bool MyTimeTextCtrl::IsNumber(const wxString& text)
{
    long value = 0;
    return text.ToLong(&value, 10);
}

void MyTimeTextCtrl::NormalizeCursor()
{
    if (m_cursorStart == m_cursorEnd)
        m_cursorEnd = m_cursorStart + 1;
    else if (m_cursorStart > m_cursorEnd)
        std::swap(m_cursorStart, m_cursorEnd);
}

void MyTimeTextCtrl::MoveLeft()
{
    if (m_cursorStart <= 0)
        return;
    --m_cursorStart;
    --m_cursorEnd;
    if (!IsNumber(SelectCursor()) && m_cursorStart > 0) {
        --m_cursorStart;
        --m_cursorEnd;
        SelectCursor();
    }
}

void MyTimeTextCtrl::MoveRight()
{
    if (m_cursorStart > kTimeLength - 1)
        return;
    ++m_cursorStart;
    ++m_cursorEnd;
    if (!IsNumber(SelectCursor())) {
        ++m_cursorStart;
        ++m_cursorEnd;
        SelectCursor();
    }
}

void MyTimeTextCtrl::CollapseLeft()
{
    m_cursorEnd = m_cursorStart + 1;
    SelectCursor();
}

void MyTimeTextCtrl::CollapseRight()
{
    m_cursorStart = m_cursorEnd - 1;
    SelectCursor();
}

void MyTimeTextCtrl::TypeDigit(wxChar digit)
{
    if (IsNumber(SelectCursor()))
        Put(m_cursorStart, m_cursorEnd, wxString(digit));
    MoveRight();
}

void MyTimeTextCtrl::ClearDigit()
{
    if (IsNumber(SelectCursor())) {
        Put(m_cursorStart, m_cursorEnd, "0");
        SelectCursor();
    }
}

void MyTimeTextCtrl::BackDigit()
{
    MoveLeft();
    ClearDigit();
}

void MyTimeTextCtrl::ClearRange()
{
    wxString range = GetRange(m_cursorStart, m_cursorEnd);
    if (range.empty())
        return;
    for (auto it = range.begin(); it != range.end(); ++it)
        if (*it != ':')
            *it = '0';
    Put(m_cursorStart, m_cursorEnd, range);
    if (range[0] != ':') {
        CollapseLeft();
    } else {
        ++m_cursorStart;
        m_cursorEnd = m_cursorStart + 1;
        SelectCursor();
    }
}

void MyTimeTextCtrl::TypeDigitOverRange(wxChar digit)
{
    ClearRange();
    Put(m_cursorStart, m_cursorEnd, wxString(digit));
    SelectCursor();
}

void MyTimeTextCtrl::OnKeyDown(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    const bool wide = m_cursorEnd - m_cursorStart > 1;
    wxChar digit = 0;
    if (key >= '0' && key <= '9')
        digit = static_cast<wxChar>(key);
    else if (key >= WXK_NUMPAD0 && key <= WXK_NUMPAD9)
        digit = static_cast<wxChar>('0' + key - WXK_NUMPAD0);

    if (digit)
        wide ? TypeDigitOverRange(digit) : TypeDigit(digit);
    else if (key == WXK_DELETE || key == WXK_BACK)
        wide ? ClearRange() : (key == WXK_DELETE ? ClearDigit() : BackDigit());
    else if (key == WXK_LEFT)
        wide ? CollapseLeft() : MoveLeft();
    else if (key == WXK_RIGHT)
        wide ? CollapseRight() : MoveRight();
    // Every key, digits included, stays here: passed on, the native field
    // would type or delete once more over the new cursor.
}

void MyTimeTextCtrl::SelectCursorLater()
{
    // The native field sets its own selection after our handler has run.
    CallAfter([this] { SelectCursor(); });
}

void MyTimeTextCtrl::SetFocus()
{
    wxTextCtrl::SetFocus();
    SelectCursor();
}

void MyTimeTextCtrl::OnSetFocus(wxFocusEvent& event)
{
    // GTK selects the whole text when the field gains the focus.
    event.Skip();
    SelectCursorLater();
}

void MyTimeTextCtrl::OnLeftDown(wxMouseEvent& event)
{
    m_mouseSelecting = true;
    event.Skip();
}

void MyTimeTextCtrl::OnLeftUp(wxMouseEvent& event)
{
    if (m_mouseSelecting) {
        NormalizeCursor();
        SelectCursor();
        SelectCursorLater();
    }
    event.Skip();
}

void MyTimeTextCtrl::OnLeftDClick(wxMouseEvent& event)
{
    event.Skip();
    SelectAll();
    m_cursorStart = 0;
    m_cursorEnd = kTimeLength;
    SelectCursor();
    SelectCursorLater();
    m_mouseSelecting = false;
}
