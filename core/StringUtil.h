// Text helpers: regular-expression groups, clock times, tokens, C strings,
// the build year; and duration texts.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include <climits>
#include <cstdint>

class StringUtil {
public:
    virtual ~StringUtil() = default;

    // Group n of the first match of the pattern (default flags); empty when
    // the pattern does not compile, does not match or has no group n.
    static wxString RegexGroup(const wxString& pattern, const wxString& text, size_t n);
    // Reads the first "hh:mm:ss" in the text (hours may have more than two
    // digits). The outputs are untouched and false returned when none is found.
    static bool ParseClockTime(const wxString& text, long& hours, long& minutes, long& seconds);
    // wxStringTokenizer in its default mode; every token appended. Returns
    // the number of tokens appended.
    static size_t Tokenize(const wxString& text, const wxString& delimiters, wxArrayString& tokens);
    // A new[] copy of the text and its terminating zero (null for null).
    static char* DuplicateCString(const char* text);
    // The text as UTF-8 in a malloc block, freed by the caller with free().
    static char* ToUtf8CString(const wxString& text);
    // The year of the build date, e.g. "2026".
    static wxString GetBuildYear();
};

// The longest duration the texts below tell; longer ones are clamped to it
// (the most hours an int holds, then 59:59).
constexpr uint64_t kMaxDurationSeconds = uint64_t(INT_MAX) * 3600 + 3599;

// hours = s / 3600, minutes = (s mod 3600) / 60, seconds = s mod 60, with s
// clamped to kMaxDurationSeconds.
void SplitSeconds(uint64_t totalSeconds, int& hours, int& minutes, int& seconds);
// "hh:mm:ss", two digits each; hours above 99 print with more digits.
wxString FormatDuration(uint64_t totalSeconds);
