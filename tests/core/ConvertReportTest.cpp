// The texts of a run's failed files: when a conversion counts as short or
// its source as damaged, and the list that ends the run's message.
#include "ConvertReport.h"

#include <gtest/gtest.h>

namespace {

TEST(ConvertReportTest, ShortOnlyBeyondFivePercentAndOneSecond)
{
    struct Case {
        double converted, source;
        const char* reason;
    };
    const Case cases[] = {
        {3.0, 10.0, "source damaged: 3.0 of 10.0 s converted"},
        {2.612, 10.0, "source damaged: 2.6 of 10.0 s converted"},
        {9.96, 10.0, ""},        // within rounding
        {8.9, 10.0, "source damaged: 8.9 of 10.0 s converted"},
        {9.1, 10.0, ""},         // 0.9 s short: below one second
        {19.5, 20.0, ""},
        {57.5, 60.0, ""},        // 2.5 s of 60 s is under 5 %
        {56.0, 60.0, "source damaged: 56.0 of 60.0 s converted"},
        {0.0, 4.0, "source damaged: 0.0 of 4.0 s converted"},
        {-1.0, 4.0, "source damaged: 0.0 of 4.0 s converted"},
        {2.0, 0.0, ""},          // length unknown
        {12.0, 10.0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertReport::ShortConversion(c.converted, c.source), c.reason)
            << c.converted << " of " << c.source;
}

// The verdict on a finished conversion: only a damage report together with
// a result short of the streams that the profile keeps fails a file.
TEST(ConvertReportTest, DamagedOnlyWithAReportAndShortOfTheKeptStreams)
{
    const wxString audio = "-vn -sn -acodec libmp3lame -ab 128k";
    const wxString video = "-an -vcodec mpeg4 -b 800k";
    const wxString both = "-vcodec mpeg4 -b 800k -acodec libmp3lame -ab 128k";
    using Lengths = ConvertReport::SourceLengths;
    struct Case {
        const char* what;
        double converted;
        Lengths source;  // whole, video, audio, estimated
        wxString params;
        bool reported;
        const char* reason;
    };
    const Case cases[] = {
        {"sound ends first, sound kept", 8.0, {20, 20, 8}, audio, true, ""},
        {"sound ends first, sound short", 3.0, {20, 20, 8}, audio, true,
         "source damaged: 3.0 of 8.0 s converted"},
        {"sound ends first, both kept", 8.0, {20, 20, 8}, both, true,
         "source damaged: 8.0 of 20.0 s converted"},
        {"picture ends first, picture kept", 5.0, {9, 5, 9}, video, true, ""},
        {"picture ends first, both kept", 9.0, {9, 5, 9}, both, true, ""},
        {"short without a report", 3.0, {10, 10, 10}, both, false, ""},
        {"whole with a report", 9.9, {10, 10, 10}, both, true, ""},
        {"estimated length", 30.0, {119, 0, 119, true}, audio, true, ""},
        {"estimated, even far short", 1.0, {2107, 0, 2107, true}, audio, true, ""},
        {"stream lengths unknown", 3.0, {10, 0, 0}, audio, true, "source damaged: 3.0 of 10.0 s converted"},
        {"nothing known", 3.0, {0, 0, 0}, both, true, ""},
        {"option text is no option", 3.0, {10, 10, 4}, "-metadata title=-vn " + both, true,
         "source damaged: 3.0 of 10.0 s converted"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertReport::DamagedSource(c.converted, c.source, c.params, c.reported).utf8_string(),
                  c.reason)
            << c.what;
}

// Measured on the result's own streams (a gap in the middle of the source
// leaves the progress at the end): each kept stream from its own start.
TEST(ConvertReportTest, ResultShortOfTheSourcesKeptStreams)
{
    const wxString audio = "-vn -sn -acodec libmp3lame -ab 128k";
    const wxString both = "-vcodec mpeg4 -b 800k -acodec libmp3lame -ab 128k";
    using Lengths = ConvertReport::SourceLengths;
    struct Case {
        const char* what;
        Lengths source, result;  // whole, video, audio, estimated, video start, sound start
        wxString params;
        const char* reason;
    };
    const Case cases[] = {
        {"half the sound lost", {10, 10, 10}, {5, 0, 5}, audio, "source damaged: 5.0 of 10.0 s converted"},
        {"half the picture lost, the sound whole", {10, 10, 10}, {10, 4.9, 10}, both,
         "source damaged: 4.9 of 10.0 s converted"},
        {"the lost picture is not kept", {10, 10, 10}, {10, 0, 10}, audio, ""},
        {"whole", {10, 10, 10}, {10, 10, 10.05}, both, ""},
        {"sound that starts late, in a file without timestamps", {4, 4, 4, false, 0, 1.5}, {2.5, 0, 2.5},
         audio, ""},
        {"the same, half of it lost", {4, 4, 4, false, 0, 1.5}, {1.2, 0, 1.2}, audio,
         "source damaged: 1.2 of 2.5 s converted"},
        {"sound ends first", {20, 20, 8}, {20, 20, 8}, both, ""},
        {"estimated source", {269, 0, 269, true}, {60, 0, 60}, audio, ""},
        {"estimated result", {60, 0, 60}, {30, 0, 30, true}, audio, ""},
        {"result unreadable", {10, 10, 10}, {}, both, ""},
        {"cut by the profile", {10, 10, 10}, {5, 5, 5}, "-t 5 " + both, ""},
        {"sped up by the profile", {10, 10, 10}, {5, 5, 5}, "-vf setpts=0.5*PTS -af atempo=2 " + both, ""},
        {"ended with the shortest stream", {20, 20, 8}, {8, 8, 8}, "-shortest " + both, ""},
        {"silence taken out by the profile", {20, 0, 20}, {17, 0, 17},
         "-af silenceremove=start_periods=1:start_threshold=-50dB " + audio, ""},
        {"another sound track chosen", {20, 20, 20}, {20, 20, 12}, "-map 0:v:0 -map 0:a:1 " + both, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertReport::ShortResult(c.source, c.result, c.params).utf8_string(), c.reason) << c.what;
}

TEST(ConvertReportTest, ListNamesTenThenCountsTheRestAndNamesTheLog)
{
    std::vector<ConvertReport::Failure> failures;
    for (int i = 1; i <= 12; ++i)
        failures.push_back({wxString::Format("f%d.mp4", i),
                            wxString::Format("first\n  last of %d  \n\n", i)});
    failures[1].reason = "";
    wxString expected = "f1.mp4: last of 1\nf2.mp4: failed\n";
    for (int i = 3; i <= 10; ++i)
        expected += wxString::Format("f%d.mp4: last of %d\n", i, i);
    expected += "and 2 more\n\nDetails are in /home/u/Log/20260101.log";
    EXPECT_EQ(ConvertReport::FailureList(failures, "/home/u/Log/20260101.log"), expected);

    failures.resize(1);
    EXPECT_EQ(ConvertReport::FailureList(failures, ""), "f1.mp4: last of 1\n");
}

TEST(ConvertReportTest, EngineTextThatIsNotUtf8KeepsItsBytes)
{
    EXPECT_EQ(ConvertReport::FromEngine("caf\xc3\xa9: gone"), wxString::FromUTF8("caf\xc3\xa9: gone"));
    EXPECT_EQ(ConvertReport::FromEngine("caf\xe9: gone"), wxString::FromUTF8("caf\xc3\xa9: gone"));
    EXPECT_EQ(ConvertReport::FromEngine(nullptr), "");
}

}  // namespace
