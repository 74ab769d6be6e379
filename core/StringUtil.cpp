#include "StringUtil.h"

#include <wx/log.h>
#include <wx/regex.h>
#include <wx/tokenzr.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

wxString StringUtil::RegexGroup(const wxString& pattern, const wxString& text, size_t n)
{
    wxLogNull quiet;
    wxRegEx regex;
    if (!regex.Compile(pattern) || !regex.Matches(text) || n >= regex.GetMatchCount())
        return wxString();
    return regex.GetMatch(text, n);
}

bool StringUtil::ParseClockTime(const wxString& text, long& hours, long& minutes, long& seconds)
{
    static const char* const pattern = "([0-9]{2,}):([0-9]{2}):([0-9]{2})";
    wxLogNull quiet;
    wxRegEx regex(pattern);
    if (!regex.IsValid() || !regex.Matches(text))
        return false;
    long h = 0, m = 0, s = 0;
    if (!regex.GetMatch(text, 1).ToLong(&h) || !regex.GetMatch(text, 2).ToLong(&m) ||
        !regex.GetMatch(text, 3).ToLong(&s))
        return false;
    hours = h;
    minutes = m;
    seconds = s;
    return true;
}

size_t StringUtil::Tokenize(const wxString& text, const wxString& delimiters, wxArrayString& tokens)
{
    wxStringTokenizer tokenizer(text, delimiters);
    size_t count = 0;
    while (tokenizer.HasMoreTokens()) {
        tokens.Add(tokenizer.GetNextToken());
        ++count;
    }
    return count;
}

char* StringUtil::DuplicateCString(const char* text)
{
    if (!text)
        return nullptr;
    size_t size = std::strlen(text) + 1;
    char* copy = new char[size];
    std::memcpy(copy, text, size);
    return copy;
}

char* StringUtil::ToUtf8CString(const wxString& text)
{
    wxScopedCharBuffer utf8 = text.utf8_str();
    size_t size = utf8.length();
    char* copy = static_cast<char*>(std::malloc(size + 1));
    if (!copy)
        return nullptr;
    if (size)
        std::memcpy(copy, utf8.data(), size);
    copy[size] = '\0';
    return copy;
}

wxString StringUtil::GetBuildYear()
{
    return wxString(__DATE__).AfterLast(' ');
}

void SplitSeconds(uint64_t totalSeconds, int& hours, int& minutes, int& seconds)
{
    totalSeconds = std::min(totalSeconds, kMaxDurationSeconds);
    hours = static_cast<int>(totalSeconds / 3600);
    minutes = static_cast<int>(totalSeconds % 3600 / 60);
    seconds = static_cast<int>(totalSeconds % 60);
}

wxString FormatDuration(uint64_t totalSeconds)
{
    int hours = 0, minutes = 0, seconds = 0;
    SplitSeconds(totalSeconds, hours, minutes, seconds);
    return wxString::Format("%.2d:%.2d:%.2d", hours, minutes, seconds);
}
