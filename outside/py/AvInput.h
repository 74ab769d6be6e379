// An opened media file: demuxer with its stream information, closed on destruction.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <string>

class AvInput {
public:
    AvInput() = default;
    ~AvInput();
    AvInput(const AvInput&) = delete;
    AvInput& operator=(const AvInput&) = delete;

    // Opens the path as a plain file (never as a protocol or device name);
    // anything but a regular file is refused without waiting on it.
    bool Open(const std::string& path);
    AVFormatContext* get() const { return ctx_; }

    // The main video stream (cover pictures excluded) and audio stream, or -1.
    int VideoStream() const;
    int AudioStream() const;

    // Opens a decoder for the stream; null when none fits.
    AVCodecContext* OpenDecoder(int stream, int threads) const;

private:
    AVFormatContext* ctx_ = nullptr;
};
