#include "AvInput.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
}

#include <mutex>

namespace {
std::once_flag g_quiet;
}

AvInput::~AvInput()
{
    if (ctx_)
        avformat_close_input(&ctx_);
}

bool AvInput::Open(const std::string& path)
{
    std::call_once(g_quiet, [] { av_log_set_level(AV_LOG_QUIET); });
    if (ctx_)
        avformat_close_input(&ctx_);
    std::string url = "file:" + path;
    if (avformat_open_input(&ctx_, url.c_str(), nullptr, nullptr) < 0) {
        ctx_ = nullptr;
        return false;
    }
    if (avformat_find_stream_info(ctx_, nullptr) < 0) {
        avformat_close_input(&ctx_);
        return false;
    }
    return true;
}

int AvInput::VideoStream() const
{
    if (!ctx_)
        return -1;
    int best = av_find_best_stream(ctx_, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (best >= 0 && !(ctx_->streams[best]->disposition & AV_DISPOSITION_ATTACHED_PIC))
        return best;
    for (unsigned i = 0; i < ctx_->nb_streams; ++i) {
        AVStream* s = ctx_->streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
            !(s->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return int(i);
    }
    return -1;
}

int AvInput::AudioStream() const
{
    if (!ctx_)
        return -1;
    int best = av_find_best_stream(ctx_, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    return best >= 0 ? best : -1;
}

AVCodecContext* AvInput::OpenDecoder(int stream, int threads) const
{
    if (!ctx_ || stream < 0 || unsigned(stream) >= ctx_->nb_streams)
        return nullptr;
    AVCodecParameters* par = ctx_->streams[stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    if (!codec)
        return nullptr;
    AVCodecContext* dec = avcodec_alloc_context3(codec);
    if (!dec)
        return nullptr;
    dec->thread_count = threads;
    dec->pkt_timebase = ctx_->streams[stream]->time_base;
    if (avcodec_parameters_to_context(dec, par) < 0 || avcodec_open2(dec, codec, nullptr) < 0) {
        avcodec_free_context(&dec);
        return nullptr;
    }
    return dec;
}
