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
//
// A list of names whose middle lines must never be cut away (they would join
// the head of one entry to the tail of another) is fitted by FitList first:
// whole entries, names cut in their middle, the rest left to a count.
#pragma once

#include <wx/dynarray.h>
#include <wx/gdicmn.h>
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

    // The measure of a message box on the screen that window is shown on;
    // without a window, on the smallest screen. Without a screen nothing is
    // changed.
    static ScreenFitText ForMessageBoxOf(const wxWindow* window);
    // The measure of a message box on a screen whose client area has size.
    static ScreenFitText ForScreenArea(const wxSize& size);
    // ForMessageBoxOf(window).Fit(text).
    static wxString ForMessageBox(const wxString& text, const wxWindow* window = nullptr);

    // Lines the box shows text in (before any line is cut away).
    size_t LineCount(const wxString& text) const;
    size_t MaxLines() const { return m_maxLines; }

    // name with its middle cut at a "…" so that name followed by rest (the
    // rest of its line) takes at most kEntryLines lines. The name's end (its
    // extension at least) stays and the name keeps half a line; where rest
    // is too long for that, the entry takes more lines. Unchanged when it
    // fits.
    wxString CutName(const wxString& name, const wxString& rest) const;

    // A name cut for the text after it on its line.
    using NameCut = std::function<wxString(const wxString& name, const wxString& rest)>;
    // compose(n, cut): the text that lists the first n entries whole, their
    // names cut by cut, and counts the others.
    using ListText = std::function<wxString(size_t listed, const NameCut& cut)>;
    // The text of the most entries, at most `most`, that the box shows
    // without cutting lines away; names are cut by CutName.
    wxString FitList(size_t most, const ListText& compose) const;

    // Lines of one run without blanks shown before its middle is cut.
    static constexpr int kRunLines = 6;
    // Lines an entry of a list takes before its name is cut.
    static constexpr int kEntryLines = 2;
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

    wxString Shape(const wxString& text) const;
    wxString FitRun(const wxString& run) const;
    // run cut to about keepWidth pixels around a "…", its end getting at
    // least half and all of its extension where that fits.
    wxString CutMiddle(const wxString& run, const wxArrayInt& widths, int keepWidth) const;
    std::vector<Line> WrapLines(const wxString& text) const;
    static wxString JoinLines(const wxString& text, const std::vector<Line>& lines, size_t from,
                              size_t to);

    int m_lineWidth;
    size_t m_maxLines;
    Extents m_extents;
};
