#include "ConvertReport.h"

#include "MediaInfo.h"

#include <wx/tokenzr.h>

#include <algorithm>
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

ConvertReport::SourceLengths ConvertReport::LengthsOf(const MediaInfo& info)
{
    SourceLengths lengths;
    lengths.whole = double(info.mediaLength);
    lengths.video = double(info.videoLengthMs) / 1000.0;
    lengths.audio = double(info.audioLengthMs) / 1000.0;
    lengths.videoStart = double(info.videoStartMs) / 1000.0;
    lengths.audioStart = double(info.audioStartMs) / 1000.0;
    lengths.estimated = info.lengthEstimated;
    return lengths;
}

namespace {

// Which streams the parameters keep; false when they make the result
// shorter or faster than the source by design.
bool KeptStreams(const wxString& params, bool& video, bool& audio)
{
    static const char* const kCutting[] = {"-t",      "-to",     "-ss",     "-sseof", "-shortest", "-fs",
                                           "-frames", "-vframes", "-aframes", "-map"};
    static const char* const kRetiming[] = {"trim",     "setpts",        "atempo",    "asetrate", "select",
                                            "decimate", "silenceremove", "thumbnail", "shortest"};
    video = audio = true;
    wxStringTokenizer words(params, " \t\r\n");
    while (words.HasMoreTokens()) {
        const wxString word = words.GetNextToken();
        if (word == "-vn")
            video = false;
        else if (word == "-an")
            audio = false;
        for (const char* option : kCutting)
            if (word == option || word.StartsWith(wxString(option) + ":"))
                return false;
        for (const char* filter : kRetiming)
            if (word.Contains(filter))
                return false;
    }
    return true;
}

}  // namespace

double ConvertReport::KeptLength(const SourceLengths& source, const wxString& params)
{
    bool video, audio;
    if (source.estimated || !KeptStreams(params, video, audio))
        return 0;
    double kept;
    if (video != audio)
        kept = video ? source.video : source.audio;
    else
        kept = std::max(source.video, source.audio);
    return kept > 0 ? kept : source.whole;
}

wxString ConvertReport::DamagedSource(double converted, const SourceLengths& source,
                                      const wxString& params, bool damageReported)
{
    if (!damageReported)
        return wxString();
    return ShortConversion(converted, KeptLength(source, params));
}

wxString ConvertReport::ShortResult(const SourceLengths& source, const SourceLengths& result,
                                    const wxString& params)
{
    bool video, audio;
    if (source.estimated || result.estimated || !KeptStreams(params, video, audio))
        return wxString();
    struct Stream {
        bool kept;
        double sourceEnd, sourceStart, resultEnd, resultStart;
    } streams[] = {
        {video, source.video, source.videoStart, result.video, result.videoStart},
        {audio, source.audio, source.audioStart, result.audio, result.audioStart},
    };
    wxString verdict;
    double furthest = 0;
    for (const Stream& s : streams) {
        const double from = s.sourceEnd - s.sourceStart, got = s.resultEnd - s.resultStart;
        if (!s.kept || !(s.sourceEnd > 0) || !(s.resultEnd > 0) || !(from > 0))
            continue;
        const wxString text = ShortConversion(got, from);
        if (!text.empty() && from - got > furthest) {
            furthest = from - got;
            verdict = text;
        }
    }
    return verdict;
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

wxString ConvertReport::FailureList(const std::vector<Failure>& failures, const wxString& logPath,
                                    size_t listed, const NameCut& cut)
{
    listed = std::min({listed, kListed, failures.size()});
    wxString text;
    for (size_t i = 0; i < listed; ++i) {
        const wxString reason = OneLine(failures[i].reason);
        const wxString rest = ": " + (reason.empty() ? wxString("failed") : reason);
        text += (cut ? cut(failures[i].name, rest) : failures[i].name) + rest + "\n";
    }
    if (failures.size() > listed)
        text += wxString::Format("and %d more\n", int(failures.size() - listed));
    if (!logPath.empty())
        text += "\nDetails are in " + logPath;
    return text;
}
