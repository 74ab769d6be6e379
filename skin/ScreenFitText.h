// Texts for message boxes that must stay inside the screen. GTK's message
// box wraps its text at blanks only up to a width of about 60 characters: a
// longer name or path without blanks widens the box beyond the screen, and
// many lines make it taller than the screen. Every text handed to
// wxMessageBox or wxMessageDialog passes through ForMessageBox.
//
// A text that fits is returned unchanged. Otherwise a run without blanks
// wider than a line gets invisible wrap points (zero-width spaces) between
// its characters, a run longer than kRunLines lines keeps its head and its
// tail around a "…", and a text taller than the screen keeps its first and
// last lines around a line "…". Line breaks stay; no character is split
// (combining marks, joiners and variation selectors stay with theirs).
#pragma once

#include <wx/dynarray.h>
#include <wx/string.h>

#include <functional>
#include <vector>

class wxWindow;

class ScreenFitText {
public:
    // Cumulative widths in pixels: element i is the width of the text's
    // first i + 1 characters (wxDC::GetPartialTextExtents).
    using Extents = std::function<wxArrayInt(const wxString&)>;

    // lineWidth: the widest line the box may show; maxLines: how many lines
    // its height holds (at least 3 are kept). GTK wraps lines at blanks and
    // wrap points by itself, and keeps a box no wider than its screen when
    // nothing in it is wider.
    ScreenFitText(int lineWidth, int maxLines, Extents extents);

    wxString Fit(const wxString& text) const;

    // The text fitted to the screen that a message box of window is shown
    // on; without a window, to the smallest screen.
    static wxString ForMessageBox(const wxString& text, const wxWindow* window = nullptr);

    // Lines of one run without blanks shown before its middle is cut.
    static constexpr int kRunLines = 6;
    // GTK's message box wraps its text at this many average characters.
    static constexpr int kToolkitWrapChars = 60;
    // What the GTK message box adds around its text (measured with the
    // default theme), and room for a window manager's frame and title.
    static constexpr int kBoxExtraWidth = 70 + 40;
    static constexpr int kBoxExtraHeight = 64 + 60;
    static constexpr wchar_t kWrapPoint = L'\u200B';  // ZERO WIDTH SPACE
    static constexpr wchar_t kEllipsis = L'\u2026';   // HORIZONTAL ELLIPSIS

private:
    struct Line {
        size_t start, end;  // [start, end) of the fitted text, without the break
    };

    wxString FitRun(const wxString& run) const;
    wxString CutMiddle(const wxString& run, const wxArrayInt& widths) const;
    std::vector<Line> WrapLines(const wxString& text) const;
    static wxString JoinLines(const wxString& text, const std::vector<Line>& lines, size_t from,
                              size_t to);

    int m_lineWidth;
    size_t m_maxLines;
    Extents m_extents;
};
