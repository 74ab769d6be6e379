#include "RgbScaler.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <cstring>

RgbScaler::RgbScaler() : padded_(av_frame_alloc()) {}

RgbScaler::~RgbScaler()
{
    sws_freeContext(sws_);
    av_frame_free(&padded_);
}

bool RgbScaler::MakeRoom(int width, int height)
{
    if (padded_->buf[0] && padded_->width == width && padded_->height == height)
        return true;
    av_frame_unref(padded_);
    padded_->format = AV_PIX_FMT_RGB24;
    padded_->width = width;
    padded_->height = height;
    // Alignment 0: the one the running CPU's SIMD code needs, rows widened
    // to it and padding after the last row.
    return av_frame_get_buffer(padded_, 0) >= 0;
}

bool RgbScaler::Convert(const AVFrame* picture)
{
    pixels_ = nullptr;
    width_ = height_ = 0;
    if (!padded_ || !picture || picture->width <= 0 || picture->height <= 0)
        return false;
    const int w = picture->width;
    const int h = picture->height;
    sws_ = sws_getCachedContext(sws_, w, h, AVPixelFormat(picture->format), w, h, AV_PIX_FMT_RGB24,
                                SWS_POINT, nullptr, nullptr, nullptr);
    if (!sws_ || !MakeRoom(w, h))
        return false;
    if (sws_scale(sws_, picture->data, picture->linesize, 0, h, padded_->data, padded_->linesize) != h)
        return false;
    const size_t row = size_t(w) * 3;
    const size_t stride = size_t(padded_->linesize[0]);
    if (stride == row) {
        pixels_ = padded_->data[0];
    } else {
        tight_.resize(row * size_t(h));
        for (int y = 0; y < h; ++y)
            std::memcpy(tight_.data() + row * size_t(y), padded_->data[0] + stride * size_t(y), row);
        pixels_ = tight_.data();
    }
    width_ = w;
    height_ = h;
    return true;
}
