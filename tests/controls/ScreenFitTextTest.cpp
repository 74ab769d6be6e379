// Fitting message texts to a line width and a number of lines, measured with
// a fixed-width stand-in for the font: 10 pixels a character, 20 for CJK and
// the laptop emoji, 5 for a combining mark (Pango gives the mark a share of
// its letter's width), nothing for joiners and wrap points.
#include "ScreenFitText.h"

#include <gtest/gtest.h>
#include <wx/arrstr.h>

#include <string>
#include <vector>

namespace {

const wxString kWrap(ScreenFitText::kWrapPoint);
const wxString kEllipsis(ScreenFitText::kEllipsis);

int CharWidth(wxUniChar c)
{
    const unsigned v = c.GetValue();
    if (v == 0x200B || v == 0x200D)
        return 0;
    if (v >= 0x0300 && v <= 0x036F)
        return 5;
    return ((v >= 0x3000 && v <= 0x9FFF) || v == 0x1F4BB) ? 20 : 10;
}

wxArrayInt Extents(const wxString& s)
{
    wxArrayInt widths;
    int sum = 0;
    for (wxUniChar c : s) {
        sum += CharWidth(c);
        widths.push_back(sum);
    }
    return widths;
}

int Width(const wxString& s)
{
    const wxArrayInt w = Extents(s);
    return w.empty() ? 0 : w.back();
}

wxString U(const std::string& utf8) { return wxString::FromUTF8(utf8); }

wxString Repeat(const wxString& s, int times)
{
    wxString out;
    for (int i = 0; i < times; ++i)
        out += s;
    return out;
}

// The longest stretch between blanks, wrap points and line breaks.
int WidestPiece(const wxString& s)
{
    int widest = 0;
    wxString piece;
    for (wxUniChar c : s) {
        if (c == ' ' || c == '\n' || c == ScreenFitText::kWrapPoint) {
            widest = std::max(widest, Width(piece));
            piece.clear();
        } else {
            piece += c;
        }
    }
    return std::max(widest, Width(piece));
}

// The lines a box shows the text in when it wraps at blanks and wrap points.
int LinesAt(const wxString& text, int width)
{
    int lines = 0;
    for (const wxString& paragraph : wxSplit(text, '\n', '\0')) {
        ++lines;
        int used = 0;
        wxString word;
        auto place = [&] {
            const int w = Width(word);
            if (used > 0 && used + w > width) {
                ++lines;
                used = 0;
            }
            used += w;
            word.clear();
        };
        for (wxUniChar c : paragraph) {
            word += c;
            if (c == ' ' || c == ScreenFitText::kWrapPoint)
                place();
        }
        place();
    }
    return lines;
}

// Lines of 10 characters (100 pixels), 8 lines to the box.
TEST(ScreenFitTextTest, LongRunsWrapOrLoseTheirMiddleAndTallTextsTheirMiddleLines)
{
    const wxString letters = "abcdefghijklmnopqrstuvwxyz";
    const wxString hundred = Repeat("0123456789", 10);
    wxString lines;
    for (int i = 0; i < 20; ++i)
        lines += wxString::Format("line %d\n", i);
    const wxString accented = Repeat(U("e\xCC\x81"), 15);        // e + combining acute
    const wxString coder = Repeat(U("\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB"), 14);  // woman ZWJ laptop
    const wxString japanese = Repeat(U("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"), 4);  // 12 wide characters

    struct Case {
        const char* what;
        wxString text;
        wxString expected;  // wrap points shown as '|'
    };
    const Case cases[] = {
        {"a sentence that wraps at its blanks stays", "Convert files finished.",
         "Convert files finished."},
        {"a short name with a line break stays", "name\nwith newline", "name\nwith newline"},
        {"a run of 25 characters gets two wrap points", "see " + letters.Left(25) + " here",
         "see abcdefghij|klmnopqrst|uvwxy here"},
        {"a run of 100 characters keeps 29 at each end", hundred,
         "0123456789|0123456789|012345678" + kEllipsis + "|1234567890|1234567890|123456789"},
        {"20 short lines keep the first 4 and the last 3", lines.BeforeLast('\n'),
         "line 0\nline 1\nline 2\nline 3\n" + kEllipsis + "\nline 17\nline 18\nline 19"},
        {"a combining mark stays with its letter", accented,
         Repeat(U("e\xCC\x81"), 6) + "|" + Repeat(U("e\xCC\x81"), 6) + "|" + Repeat(U("e\xCC\x81"), 3)},
        {"a joined emoji stays whole", coder,
         Repeat(Repeat(U("\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB"), 3) + "|", 4) +
             Repeat(U("\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB"), 2)},
        {"wide characters break by width", japanese, U("日本語日本|語日本語日|本語")},
        {"empty lines stay", "a\n\nb c\n", "a\n\nb c\n"},
    };
    const ScreenFitText fit(100, 8, Extents);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        wxString fitted = fit.Fit(c.text);
        EXPECT_LE(WidestPiece(fitted), 100);
        fitted.Replace(kWrap, "|");
        EXPECT_EQ(fitted, c.expected);
    }
}

// Whatever the text, every piece fits the line and no more lines are kept
// than the box holds; what is left out is marked.
TEST(ScreenFitTextTest, EveryTextEndsWithinTheLinesAndLinesOfTheBox)
{
    std::string path;
    while (path.size() < 2000)
        path += "/folder-" + std::to_string(path.size());
    std::string words;
    for (int i = 0; i < 300; ++i)
        words += "word" + std::to_string(i) + " ";
    const wxString texts[] = {
        U(std::string(300, 'x')),
        U(path),
        U(words),
        U("Caf\xC3\xA9-" + std::string(400, 'n') + "\n" + std::string(400, 'm')),
    };
    for (const int maxLines : {3, 8, 40}) {
        const ScreenFitText fit(100, maxLines, Extents);
        for (const wxString& text : texts) {
            SCOPED_TRACE(text.Left(20) + wxString::Format(" in %d lines", maxLines));
            const wxString fitted = fit.Fit(text);
            EXPECT_LE(WidestPiece(fitted), 100);
            EXPECT_LE(LinesAt(fitted, 100), maxLines);
            EXPECT_TRUE(fitted.Contains(kEllipsis));
        }
    }
}

// A list entry's name loses its middle so that the entry takes at most two
// lines: its head and its end stay (the extension whole), no character is
// split, and a name that fits stays as it is.
TEST(ScreenFitTextTest, EntryNamesLoseTheirMiddleAndKeepTheirEnds)
{
    const wxString accent = U("e\xCC\x81");  // e + combining acute
    struct Case {
        const char* what;
        wxString name;
        wxString rest;
    };
    const Case cases[] = {
        {"a 240-character name", "clip_" + Repeat("w", 231) + "_9.mp3", ": failed"},
        {"wide characters", Repeat(U("\xE6\x97\xA5"), 80) + ".mp4", ": failed"},
        {"combining marks", "a" + Repeat(accent, 60) + ".mkv", ": bad"},
        {"a long extension", Repeat("v", 100) + ".matroska", ": x"},
    };
    const ScreenFitText fit(100, 8, Extents);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const wxString cut = fit.CutName(c.name, c.rest);
        EXPECT_LE(LinesAt(fit.Fit(cut + c.rest), 100), ScreenFitText::kEntryLines);
        const size_t at = cut.find(kEllipsis);
        ASSERT_NE(at, wxString::npos) << cut;
        const wxString head = cut.Left(at);
        const wxString tail = cut.Mid(at + 1);
        EXPECT_TRUE(c.name.StartsWith(head) && !head.empty()) << cut;
        EXPECT_TRUE(c.name.EndsWith(tail)) << cut;
        EXPECT_TRUE(tail.EndsWith(c.name.AfterLast('.').Prepend("."))) << cut;
        EXPECT_FALSE(tail.StartsWith(U("\xCC\x81"))) << "a mark cut from its letter";
    }
    EXPECT_EQ(fit.CutName("short.mp4", ": failed"), "short.mp4");
}

}  // namespace
