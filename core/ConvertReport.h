// Texts about the files of a conversion run that failed: why one failed, and
// the list that ends the run's message.
#pragma once

#include <wx/string.h>

#include <vector>

class ConvertReport {
public:
    virtual ~ConvertReport() = default;

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
    // One "name: reason" line per failure (the first kListed), then
    // "and N more" and the log file's path.
    static wxString FailureList(const std::vector<Failure>& failures, const wxString& logPath);
};
