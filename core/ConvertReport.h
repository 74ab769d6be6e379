// Texts about the files of a conversion run that failed: why one failed, and
// the list that ends the run's message.
#pragma once

#include <wx/string.h>

#include <functional>
#include <vector>

struct MediaInfo;

class ConvertReport {
public:
    virtual ~ConvertReport() = default;

    // What a source lasts, in seconds; 0 where unknown.
    struct SourceLengths {
        double whole = 0;  // the length the file list shows
        double video = 0;  // where the picture ends
        double audio = 0;  // where the sound ends
        bool estimated = false;  // libavformat guessed them from the bit rate
        double videoStart = 0;  // where the picture begins
        double audioStart = 0;  // where the sound begins
    };
    // The probe's lengths of a record; `whole` is its media length.
    static SourceLengths LengthsOf(const MediaInfo& info);
    // How long the streams are that a profile's parameters keep: the sound's
    // length when they drop the picture (-vn), the picture's when they drop
    // the sound (-an), the longer of the two otherwise, the whole length
    // where those are unknown; 0 (no measure) for estimated lengths and for
    // parameters that shorten or speed up the result (-t, -shortest, trim,
    // setpts, ...).
    static double KeptLength(const SourceLengths& source, const wxString& params);
    // The verdict on a conversion that ffmpeg finished: ShortConversion's
    // text when ffmpeg reported damage in the source and the result ends
    // short of the kept streams' length; empty otherwise.
    static wxString DamagedSource(double convertedSeconds, const SourceLengths& source,
                                  const wxString& params, bool damageReported);
    // The same verdict measured on the result's own streams, for a source
    // damaged in its middle (the progress reaches the end over the gap):
    // ShortConversion's text for the kept stream that lasts the furthest
    // short of the source's, each from its own start; empty when none does,
    // and when either side's lengths are estimated.
    static wxString ShortResult(const SourceLengths& source, const SourceLengths& result,
                                const wxString& params);

    // Files named in the run's message; the rest are counted.
    static constexpr size_t kListed = 10;

    // "source damaged: 3.0 of 10.0 s converted" for a conversion that ended
    // more than 5 % and more than 1 s short of the source's length; empty
    // when it did not, or when the length is unknown (0).
    static wxString ShortConversion(double convertedSeconds, double sourceSeconds);
    // The converter's text: UTF-8, or else its bytes taken one by one.
    static wxString FromEngine(const char* text);
    // The last line of a reason that has any text.
    static wxString OneLine(const wxString& reason);

    struct Failure {
        wxString name;
        wxString reason;
    };
    // A name as it is shown, given the rest of its line.
    using NameCut = std::function<wxString(const wxString& name, const wxString& rest)>;
    // One "name: reason" line for each of the first `listed` failures (at
    // most kListed), the names passed through cut where one is given, then
    // "and N more" for the others and the log file's path.
    static wxString FailureList(const std::vector<Failure>& failures, const wxString& logPath,
                                size_t listed = kListed, const NameCut& cut = {});
};
