// Which of ffmpeg's error lines count as a report of damage in the source:
// lines as ffmpeg 5.1 prints them at -loglevel error for truncated, cut and
// corrupted sources, and for healthy ones.
#include "Converter.h"
#include "FfmpegLog.h"
#include "SourceDamage.h"

#include <gtest/gtest.h>

namespace {

TEST(SourceDamageTest, CountsReadAndDecodeFailuresNotDecoderNotes)
{
    const std::string url = "file:/media/in put.mp4";
    struct Case {
        const char* line;
        bool counts;
    } cases[] = {
        // An MP4 cut short (its index in front).
        {"[mov,mp4,m4a,3gp,3g2,mj2 @ 0x556cfd2f01c0] stream 1, offset 0x49e29: partial file", true},
        {"Error while decoding stream #0:0: Invalid data found when processing input", true},
        // Matroska and WebM cut short.
        {"[matroska,webm @ 0x5625ab5321c0] File ended prematurely", true},
        // A read error, after which ffmpeg takes the source as ended.
        {"file:/media/in put.mp4: Input/output error", true},
        {"file:/media/in put.mp4: Invalid data found when processing input", true},
        // Decoder notes: cut recordings and junk after the last frame say
        // these of files that convert whole.
        {"[h264 @ 0x55a9158fa380] Invalid NAL unit size (3534 > 1685).", false},
        {"[h264 @ 0x55a9158fa380] Error splitting the input into NAL units.", false},
        {"[NULL @ 0x55a91586d680] missing picture in access unit with size 1689", false},
        {"[h264 @ 0x5598c9d74480] non-existing PPS 0 referenced", false},
        {"[h264 @ 0x5598c9d74480] decode_slice_header error", false},
        {"[h264 @ 0x55f837794a00] error while decoding MB 17 1", false},
        {"[mpeg4 @ 0x563cb9ec49c0] ac-tex damaged at 6 1", false},
        {"[mp3float @ 0x556f716eac80] Header missing", false},
        {"    Last message repeated 1 times", false},
        // Warnings of healthy files (not printed at -loglevel error) and
        // errors about the output.
        {"[mp3 @ 0x5559190c71c0] Estimating duration from bitrate, this may be inaccurate", false},
        {"Please use -b:a or -b:v, -b is ambiguous", false},
        {"Output file #0 does not contain any stream", false},
        {"file:/out/.mv-1-0-out.avi: No space left on device", false},
        // Another file's name that begins like the source's.
        {"file:/media/in put.mp4.part: Input/output error", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SourceDamage::Reports(c.line, url), c.counts) << c.line;
}

// Lines as ffmpeg 5.1 writes them at -loglevel level+info, read in order:
// each message's level and context, its text as -loglevel error printed it,
// the lines a newline in a name splits off, and the source's format.
TEST(FfmpegLogTest, ReadsLevelsContextsAndTheSourceFormat)
{
    struct Case {
        const char* line;
        const char* context;
        const char* text;
        bool error;
        const char* demuxer;  // known after the line
        bool untagged = false;
    } cases[] = {
        // Written before ffmpeg's log starts, by the loader.
        {"ffmpeg: error while loading shared libraries: libx264.so.164: cannot open shared object file", "",
         "ffmpeg: error while loading shared libraries: libx264.so.164: cannot open shared object file", true,
         "", true},
        {"[info] Input #0, matroska,webm, from 'file:/m/a", "", "Input #0, matroska,webm, from 'file:/m/a", false,
         "matroska,webm"},
        {"b.mkv':", "", "b.mkv':", false, "matroska,webm", true},
        {"[info]   Stream #0:0: Video: h264, yuv420p, 320x240, 25 fps", "",
         "  Stream #0:0: Video: h264, yuv420p, 320x240, 25 fps", false, "matroska,webm"},
        {"[info] Input #1, mp3, from 'file:/m/c.mp3':", "", "Input #1, mp3, from 'file:/m/c.mp3':", false,
         "matroska,webm"},
        {"[aac @ 0x56183da4e540] [error] Number of scalefactor bands in group (56) exceeds limit (49).", "aac",
         "[aac @ 0x56183da4e540] Number of scalefactor bands in group (56) exceeds limit (49).", true,
         "matroska,webm"},
        {"[error] Error while decoding stream #0:1: Invalid data found when processing input", "",
         "Error while decoding stream #0:1: Invalid data found when processing input", true, "matroska,webm"},
        {"    Last message repeated 2 times", "", "    Last message repeated 2 times", true, "matroska,webm", true},
        {"[matroska,webm @ 0x56183da010c0] [error] Element at 0x78695 ending at 0x7b50a exceeds containing "
         "master element ending at 0x7a551",
         "matroska,webm",
         "[matroska,webm @ 0x56183da010c0] Element at 0x78695 ending at 0x7b50a exceeds containing master "
         "element ending at 0x7a551",
         true, "matroska,webm"},
        {"[mp4 @ 0x5601] [aac @ 0x5602] [warning] Qavg: 211.3", "aac", "[mp4 @ 0x5601] [aac @ 0x5602] Qavg: 211.3",
         false, "matroska,webm"},
        {"[error] file:/out/.mv-1-0-x", "", "file:/out/.mv-1-0-x", true, "matroska,webm"},
        {"y.avi: No space left on device", "", "y.avi: No space left on device", true, "matroska,webm", true},
        // Text that only looks like a level or a context.
        {"[info] [error] of mine", "", "[error] of mine", false, "matroska,webm"},
        {"[not a context] [error] x", "", "[not a context] [error] x", false, "matroska,webm", true},
        {"[info] Output #0, avi, to 'file:/out/.mv-1-0-x.avi':", "", "Output #0, avi, to 'file:/out/.mv-1-0-x.avi':",
         false, "matroska,webm"},
        {"[info] size=      76kB time=00:00:10.04 bitrate=  62.1kbits/s", "",
         "size=      76kB time=00:00:10.04 bitrate=  62.1kbits/s", false, "matroska,webm"},
        // A library that writes past the log, after an info line.
        {"x265 [error]: strict-cbr: bitrate must be set", "", "x265 [error]: strict-cbr: bitrate must be set", false,
         "matroska,webm", true},
    };
    FfmpegLog log;
    EXPECT_EQ(log.Demuxer(), "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const FfmpegLog::Line line = log.Read(c.line);
        EXPECT_EQ(line.context, c.context);
        EXPECT_EQ(line.text, c.text);
        EXPECT_EQ(line.error, c.error);
        EXPECT_EQ(log.Demuxer(), c.demuxer);
        EXPECT_EQ(line.continued, c.untagged);
    }
    EXPECT_EQ(log.Muxer(), "avi");
}

// The profile's parameters cannot change the log's form the converter
// reads, nor the overwrite choice.
TEST(ConverterArgsTest, TheLogFormAndOverwriteStayTheConvertersOwn)
{
    std::string output;
    const std::vector<std::string> args = Converter::BuildArgs(
        "-ii \"/m/a.mp4\" -v quiet -loglevel repeat+error -y -n -vcodec mpeg4 \"-v\" \"/o/b.avi\"", output);
    EXPECT_EQ(output, "/o/b.avi");
    const std::vector<std::string> expected = {"ffmpeg", "-nostdin", "-hide_banner", "-nostats", "-loglevel",
                                               "level+info", "-y", "-progress", "pipe:1", "-i", "file:/m/a.mp4",
                                               "-vcodec", "mpeg4", "-v"};
    EXPECT_EQ(args, expected);
}

}  // namespace
