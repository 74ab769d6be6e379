// Turns decoded pictures into packed RGB24 for the frame callback. libswscale
// stores whole SIMD blocks, so it writes past a row's last pixel: it scales
// into a picture whose rows and end carry the padding and alignment that
// av_frame_get_buffer gives, and hands the rows on tightly packed.
#pragma once

extern "C" {
#include <libavutil/frame.h>
}

#include <cstdint>
#include <vector>

struct SwsContext;

class RgbScaler {
public:
    RgbScaler();
    ~RgbScaler();
    RgbScaler(const RgbScaler&) = delete;
    RgbScaler& operator=(const RgbScaler&) = delete;

    // Converts one picture; false when its size or format cannot be scaled.
    bool Convert(const AVFrame* picture);
    // The last picture: Width() * 3 bytes a row, rows back to back; valid
    // until the next Convert.
    const uint8_t* Pixels() const { return pixels_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int RowBytes() const { return width_ * 3; }

private:
    bool MakeRoom(int width, int height);

    SwsContext* sws_ = nullptr;
    AVFrame* padded_ = nullptr;  // the scaler's destination
    std::vector<uint8_t> tight_;  // rows without their padding, when it has any
    const uint8_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
