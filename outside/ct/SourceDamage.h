// Which error messages of ffmpeg (their text as FfmpegLog reads it) say that
// the source could not be read to its end or that its data could not be
// decoded. The Converter also counts every error of the source's demuxer.
#pragma once

#include <string>

class SourceDamage {
public:
    virtual ~SourceDamage() = default;

    // True for a line that reports damage in the source read from
    // `sourceUrl` (the input as ffmpeg was given it, e.g. "file:/a/b.mp4"):
    // - "<sourceUrl>: <error>": a read error, after which ffmpeg takes the
    //   source as ended;
    // - "... partial file" (MP4/MOV: a sample lies beyond the file's end) and
    //   "File ended prematurely" (Matroska/WebM cut short);
    // - "Error while decoding stream #..." and AVERROR_INVALIDDATA's text
    //   "Invalid data found when processing input".
    // Decoder notes about concealment ("error while decoding MB", "Header
    // missing", "non-existing PPS", ...) come from complete recordings as
    // well and count only through the decode error that follows them.
    static bool Reports(const std::string& line, const std::string& sourceUrl);
};
