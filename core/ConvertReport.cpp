#include "ConvertReport.h"

#include <wx/tokenzr.h>

#include <cmath>

namespace {
// A conversion may end this much short of the source without a complaint.
constexpr double kShortFraction = 0.05;
constexpr double kShortSeconds = 1.0;
}  // namespace

wxString ConvertReport::ShortConversion(double converted, double source)
{
    if (!(source > 0) || !std::isfinite(converted) || !std::isfinite(source))
        return wxString();
    const double missing = source - std::max(converted, 0.0);
    if (missing <= kShortSeconds || missing <= source * kShortFraction)
        return wxString();
    return "source damaged: " + wxString::FromCDouble(std::max(converted, 0.0), 1) + " of " +
           wxString::FromCDouble(source, 1) + " s converted";
}

wxString ConvertReport::FromEngine(const char* text)
{
    if (!text || !*text)
        return wxString();
    wxString out = wxString::FromUTF8(text);
    return out.empty() ? wxString(text, wxConvISO8859_1) : out;
}

wxString ConvertReport::OneLine(const wxString& reason)
{
    wxString last;
    wxStringTokenizer lines(reason, "\r\n");
    while (lines.HasMoreTokens()) {
        wxString line = lines.GetNextToken();
        line.Trim(true).Trim(false);
        if (!line.empty())
            last = line;
    }
    return last;
}

wxString ConvertReport::FailureList(const std::vector<Failure>& failures, const wxString& logPath)
{
    wxString text;
    for (size_t i = 0; i < failures.size() && i < kListed; ++i) {
        const wxString reason = OneLine(failures[i].reason);
        text += failures[i].name + ": " + (reason.empty() ? wxString("failed") : reason) + "\n";
    }
    if (failures.size() > kListed)
        text += wxString::Format("and %d more\n", int(failures.size() - kListed));
    if (!logPath.empty())
        text += "\nDetails are in " + logPath;
    return text;
}
