#include "ScreenFitText.h"

#include <wx/dcscreen.h>
#include <wx/display.h>
#include <wx/settings.h>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>
#include <utility>

namespace {

bool IsBlank(wxUniChar c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A line may end after a blank or a wrap point.
bool EndsToken(wxUniChar c)
{
    return (IsBlank(c) && c != '\n') || c == ScreenFitText::kWrapPoint;
}

// Code points drawn as one character with the one before them: combining
// marks, variation selectors, skin tones, joined sequences and (where a
// string holds UTF-16) the second half of a surrogate pair.
bool JoinsPrevious(wxUniChar previous, wxUniChar c)
{
    const unsigned p = previous.GetValue();
    const unsigned v = c.GetValue();
    return (v >= 0x0300 && v <= 0x036F) || (v >= 0x0483 && v <= 0x0489) ||
           (v >= 0x0591 && v <= 0x05BD) || (v >= 0x0610 && v <= 0x061A) ||
           (v >= 0x064B && v <= 0x065F) || (v >= 0x0900 && v <= 0x0903) ||
           (v >= 0x093A && v <= 0x094F) || (v >= 0x1AB0 && v <= 0x1AFF) ||
           (v >= 0x1DC0 && v <= 0x1DFF) || (v >= 0x20D0 && v <= 0x20FF) ||
           (v >= 0x3099 && v <= 0x309A) || (v >= 0xFE00 && v <= 0xFE0F) ||
           (v >= 0xFE20 && v <= 0xFE2F) || (v >= 0xDC00 && v <= 0xDFFF) ||
           (v >= 0x1F3FB && v <= 0x1F3FF) || (v >= 0xE0020 && v <= 0xE007F) ||
           (v >= 0xE0100 && v <= 0xE01EF) || v == 0x200D || p == 0x200D;
}

// The index where each character of text starts, and text's length last.
std::vector<size_t> CharacterStarts(const wxString& text)
{
    std::vector<size_t> starts;
    const size_t n = text.length();
    for (size_t i = 0; i < n; ++i)
        if (i == 0 || !JoinsPrevious(text[i - 1], text[i]))
            starts.push_back(i);
    starts.push_back(n);
    return starts;
}

// Width of the first count code points.
int WidthBefore(const wxArrayInt& widths, size_t count)
{
    return count == 0 ? 0 : widths[count - 1];
}

}  // namespace

ScreenFitText::ScreenFitText(int lineWidth, int maxLines, Extents extents)
    : m_lineWidth(std::max(1, lineWidth)),
      m_maxLines(size_t(std::max(3, maxLines))),
      m_extents(std::move(extents))
{
}

wxString ScreenFitText::Fit(const wxString& text) const
{
    if (text.empty())
        return text;
    const wxString shaped = Shape(text);
    const std::vector<Line> lines = WrapLines(shaped);
    const size_t count = lines.size();
    if (count <= m_maxLines)
        return shaped;
    const size_t keep = m_maxLines - 1;
    const size_t tail = keep / 2;
    const size_t head = keep - tail;
    wxString fitted = JoinLines(shaped, lines, 0, head) + "\n" + kEllipsis;
    if (tail > 0)
        fitted += "\n" + JoinLines(shaped, lines, count - tail, count);
    return fitted;
}

size_t ScreenFitText::LineCount(const wxString& text) const
{
    return WrapLines(Shape(text)).size();
}

wxString ScreenFitText::CutName(const wxString& name, const wxString& rest) const
{
    if (name.empty() || LineCount(name + rest) <= size_t(kEntryLines))
        return name;
    const wxArrayInt widths = m_extents(name);
    const int least = m_lineWidth / 2;
    if (widths.size() != name.length() || widths.back() <= least)
        return name;
    // The widest cut that fits, found by halving; the narrowest otherwise.
    wxString best = CutMiddle(name, widths, least);
    int low = least + 1;
    int high = widths.back() - 1;
    while (low <= high) {
        const int keep = low + (high - low) / 2;
        const wxString cut = CutMiddle(name, widths, keep);
        if (LineCount(cut + rest) <= size_t(kEntryLines)) {
            best = cut;
            low = keep + 1;
        } else {
            high = keep - 1;
        }
    }
    return best;
}

wxString ScreenFitText::FitList(size_t most, const ListText& compose) const
{
    // Each shorter list cuts the same names again.
    std::map<std::pair<wxString, wxString>, wxString> cuts;
    const NameCut cut = [this, &cuts](const wxString& name, const wxString& rest) {
        const auto key = std::make_pair(name, rest);
        auto found = cuts.find(key);
        if (found == cuts.end())
            found = cuts.emplace(key, CutName(name, rest)).first;
        return found->second;
    };
    for (size_t listed = most;; --listed) {
        const wxString text = compose(listed, cut);
        if (listed == 0 || LineCount(text) <= m_maxLines)
            return text;
    }
}

wxString ScreenFitText::Shape(const wxString& text) const
{
    wxString shaped;
    const size_t n = text.length();
    for (size_t i = 0; i < n;) {
        if (IsBlank(text[i])) {
            shaped += text[i++];
            continue;
        }
        size_t j = i;
        while (j < n && !IsBlank(text[j]))
            ++j;
        shaped += FitRun(text.substr(i, j - i));
        i = j;
    }
    return shaped;
}

wxString ScreenFitText::FitRun(const wxString& run) const
{
    wxArrayInt widths = m_extents(run);
    if (widths.size() != run.length() || widths.empty() || widths.back() <= m_lineWidth)
        return run;
    wxString cut = run;
    if (widths.back() > kRunLines * m_lineWidth) {
        cut = CutMiddle(run, widths, kRunLines * m_lineWidth);
        widths = m_extents(cut);
        if (widths.size() != cut.length())
            return cut;
    }
    // A wrap point before each character that would reach past the line.
    wxString fitted;
    const std::vector<size_t> starts = CharacterStarts(cut);
    int pieceStartWidth = 0;
    size_t pieceStart = 0;
    for (size_t k = 0; k + 1 < starts.size(); ++k) {
        const size_t begin = starts[k];
        const size_t end = starts[k + 1];
        if (begin > pieceStart && widths[end - 1] - pieceStartWidth > m_lineWidth) {
            fitted += kWrapPoint;
            pieceStart = begin;
            pieceStartWidth = widths[begin - 1];
        }
        fitted += cut.substr(begin, end - begin);
    }
    return fitted;
}

wxString ScreenFitText::CutMiddle(const wxString& run, const wxArrayInt& widths, int keepWidth) const
{
    const wxArrayInt ellipsis = m_extents(wxString(kEllipsis));
    const int room = keepWidth - (ellipsis.empty() ? 0 : ellipsis.back());
    const int total = widths.back();
    const size_t dot = size_t(run.rfind('.'));
    const int extension = dot != wxString::npos && dot > 0 ? total - WidthBefore(widths, dot) : 0;
    const int half = room / 2;
    const int tailWidth = extension > half && extension <= room ? extension : half;
    const int headWidth = tailWidth > half ? room - tailWidth : half;
    const std::vector<size_t> starts = CharacterStarts(run);
    size_t head = 0;
    for (size_t start : starts) {
        if (WidthBefore(widths, start) > headWidth)
            break;
        head = start;
    }
    size_t tail = run.length();
    for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
        if (*it < head || total - WidthBefore(widths, *it) > tailWidth)
            break;
        tail = *it;
    }
    return run.substr(0, head) + kEllipsis + run.substr(tail);
}

std::vector<ScreenFitText::Line> ScreenFitText::WrapLines(const wxString& text) const
{
    std::vector<Line> lines;
    const size_t n = text.length();
    size_t paragraph = 0;
    while (paragraph <= n) {
        size_t stop = text.find('\n', paragraph);
        if (stop == wxString::npos)
            stop = n;
        const wxString part = text.substr(paragraph, stop - paragraph);
        const wxArrayInt widths = m_extents(part);
        const size_t length = part.length();
        auto visibleEnd = [&](size_t from, size_t to) {
            while (to > from && EndsToken(part[to - 1]))
                --to;
            return to;
        };
        auto width = [&](size_t from, size_t to) {
            to = visibleEnd(from, to);
            if (to <= from || widths.size() != length)
                return 0;
            return WidthBefore(widths, to) - WidthBefore(widths, from);
        };
        auto emit = [&](size_t from, size_t to) {
            lines.push_back(Line{paragraph + from, paragraph + visibleEnd(from, to)});
        };
        size_t lineStart = 0;
        size_t lineEnd = 0;
        for (size_t i = 1; i <= length; ++i) {
            const bool tokenEnd = i == length || (EndsToken(part[i - 1]) && !EndsToken(part[i]));
            if (!tokenEnd)
                continue;
            if (lineEnd > lineStart && width(lineStart, i) > m_lineWidth) {
                emit(lineStart, lineEnd);
                lineStart = lineEnd;
            }
            lineEnd = i;
        }
        emit(lineStart, length);
        paragraph = stop + 1;
    }
    return lines;
}

wxString ScreenFitText::JoinLines(const wxString& text, const std::vector<Line>& lines,
                                  size_t from, size_t to)
{
    if (from >= to)
        return wxString();
    return text.substr(lines[from].start, lines[to - 1].end - lines[from].start);
}

ScreenFitText ScreenFitText::ForMessageBoxOf(const wxWindow* window)
{
    wxRect area;
    const int shownOn = window ? wxDisplay::GetFromWindow(window) : wxNOT_FOUND;
    if (shownOn != wxNOT_FOUND) {
        area = wxDisplay(unsigned(shownOn)).GetClientArea();
    } else {
        area = wxRect(0, 0, INT_MAX, INT_MAX);
        for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
            const wxRect r = wxDisplay(i).GetClientArea();
            area.width = std::min(area.width, r.width);
            area.height = std::min(area.height, r.height);
        }
    }
    if (area.width <= 0 || area.height <= 0 || area.width == INT_MAX)
        return ScreenFitText(INT_MAX, INT_MAX, [](const wxString&) { return wxArrayInt(); });
    return ForScreenArea(area.GetSize());
}

ScreenFitText ScreenFitText::ForScreenArea(const wxSize& size)
{
    auto dc = std::make_shared<wxScreenDC>();
    dc->SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    const int charWidth = std::max(1, dc->GetCharWidth());
    const int toolkitWrap = kToolkitWrapChars * charWidth;
    const int room = size.x - kBoxExtraWidth;
    const int lineWidth = std::max(10 * charWidth, std::min(room, toolkitWrap));
    const int maxLines = (size.y - kBoxExtraHeight) / std::max(1, dc->GetCharHeight());
    return ScreenFitText(lineWidth, maxLines, [dc](const wxString& s) {
        wxArrayInt widths;
        if (!s.empty())
            dc->GetPartialTextExtents(s, widths);
        return widths;
    });
}

wxString ScreenFitText::ForMessageBox(const wxString& text, const wxWindow* window)
{
    return ForMessageBoxOf(window).Fit(text);
}
