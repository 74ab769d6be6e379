// ffmpeg's error output read line by line at "-loglevel level+info": every
// message starts with its contexts ("[matroska,webm @ 0x55d0c1a2b3c0] ") and
// its level ("[error] "); a line without them continues the message before.
#pragma once

#include <string>

class FfmpegLog {
public:
    virtual ~FfmpegLog() = default;

    struct Line {
        std::string context;  // the name of the last context, "" for none
        std::string text;     // the line without its level tag
        bool error = false;   // at level error or worse
    };
    // One line without its terminator.
    Line Read(const std::string& line);
    // The format ffmpeg opened the source with ("Input #0, <name>, from"),
    // "" before that line.
    const std::string& Demuxer() const { return demuxer_; }

private:
    Line last_;  // the message being read, for its continuation lines
    std::string demuxer_;
};
