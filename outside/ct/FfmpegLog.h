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
        bool continued = false;  // a line without a tag of its own
    };
    // One line without its terminator.
    Line Read(const std::string& line);
    // The format ffmpeg opened the source with ("Input #0, <name>, from"),
    // "" before that line.
    const std::string& Demuxer() const { return demuxer_; }
    // The format of the output ("Output #0, <name>, to"), "" before that line.
    const std::string& Muxer() const { return muxer_; }
    // Whether the line is the source's demuxer's: its context is the
    // source's format, and no output of the same name (avi to avi) makes
    // that name ambiguous.
    bool FromSourceDemuxer(const Line& line) const
    {
        return !demuxer_.empty() && line.context == demuxer_ && muxer_ != demuxer_;
    }

private:
    // The message being read, for its continuation lines; before the first
    // tag an error (what others than ffmpeg's log write, such as the loader).
    Line last_{"", "", true, false};
    std::string demuxer_, muxer_;
};
