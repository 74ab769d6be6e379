#include "MediaProbe.h"

#include "AvInput.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <plist/plist.h>

namespace {

// Packets read while looking for a first decodable frame.
const int kProbePackets = 256;

struct Decoders {
    AVCodecContext* byStream[64] = {};
    ~Decoders()
    {
        for (auto*& d : byStream)
            if (d)
                avcodec_free_context(&d);
    }
};

bool Decodes(AVCodecContext* dec, const AVPacket* pkt, AVFrame* frame)
{
    if (avcodec_send_packet(dec, pkt) < 0 && pkt)
        return false;
    return avcodec_receive_frame(dec, frame) >= 0;
}

uint64_t StreamBitRate(const AVStream* s)
{
    if (s->codecpar->bit_rate > 0)
        return uint64_t(s->codecpar->bit_rate);
    // Matroska muxers such as mkvmerge store the rate as a tag.
    const AVDictionaryEntry* tag = av_dict_get(s->metadata, "BPS", nullptr, 0);
    if (tag) {
        long long v = std::atoll(tag->value);
        if (v > 0)
            return uint64_t(v);
    }
    return 0;
}

// Stream time and packets read to measure a rate the container does not store.
const double kSampleSeconds = 10.0;
const int kSamplePackets = 4000;

// Bits per second of the stream's packets over the span they cover, from the
// start of the file; 0 when nothing can be read.
uint64_t SampledBitRate(AVFormatContext* fmt, int stream)
{
    if (av_seek_frame(fmt, -1, fmt->start_time == AV_NOPTS_VALUE ? 0 : fmt->start_time,
                      AVSEEK_FLAG_BACKWARD) < 0)
        return 0;
    AVStream* s = fmt->streams[stream];
    double tb = av_q2d(s->time_base);
    AVPacket* pkt = av_packet_alloc();
    int64_t bytes = 0;
    double first = -1, end = -1;
    for (int n = 0; pkt && n < kSamplePackets && av_read_frame(fmt, pkt) >= 0; ++n) {
        if (pkt->stream_index == stream) {
            int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
            if (ts != AV_NOPTS_VALUE) {
                double t = ts * tb;
                double t2 = t + (pkt->duration > 0 ? pkt->duration * tb : 0);
                first = first < 0 ? t : std::min(first, t);
                end = std::max(end, t2);
            }
            bytes += pkt->size;
        }
        av_packet_unref(pkt);
        if (first >= 0 && end - first >= kSampleSeconds)
            break;
    }
    av_packet_free(&pkt);
    double span = end - first;
    return first >= 0 && span > 0 ? uint64_t(std::llround(double(bytes) * 8 / span)) : 0;
}

// Where the stream ends, in milliseconds from the file's start: its own
// start and duration, or Matroska's "DURATION" tag (the track's end time);
// 0 when neither is known.
uint64_t StreamEndMs(const AVFormatContext* fmt, const AVStream* s)
{
    const double fileStart =
        fmt->start_time != AV_NOPTS_VALUE ? double(fmt->start_time) / AV_TIME_BASE : 0.0;
    double end = 0;
    if (s->duration != AV_NOPTS_VALUE && s->duration > 0) {
        const double tb = av_q2d(s->time_base);
        const double start = s->start_time != AV_NOPTS_VALUE ? s->start_time * tb : fileStart;
        end = start + s->duration * tb;
    } else if (const AVDictionaryEntry* tag = av_dict_get(s->metadata, "DURATION", nullptr, 0)) {
        unsigned h = 0, m = 0;
        double sec = 0;
        if (std::sscanf(tag->value, "%u:%u:%lf", &h, &m, &sec) == 3)
            end = h * 3600.0 + m * 60.0 + sec;
    }
    const double ms = (end - fileStart) * 1000.0;
    return std::isfinite(ms) && ms > 0 ? uint64_t(std::llround(ms)) : 0;
}

// Where the stream begins, in milliseconds from the file's start; 0 when unknown.
uint64_t StreamStartMs(const AVFormatContext* fmt, const AVStream* s)
{
    if (s->start_time == AV_NOPTS_VALUE || fmt->start_time == AV_NOPTS_VALUE)
        return 0;
    const double ms = (s->start_time * av_q2d(s->time_base) - double(fmt->start_time) / AV_TIME_BASE) * 1000.0;
    return std::isfinite(ms) && ms > 0 ? uint64_t(std::llround(ms)) : 0;
}

void SetUint(plist_t dict, const char* key, uint64_t value)
{
    plist_dict_set_item(dict, key, plist_new_uint(value));
}

}  // namespace

bool MediaProbe::CanOpen(const char* path)
{
    AvInput in;
    if (!in.Open(path))
        return false;
    AVFormatContext* fmt = in.get();
    Decoders decoders;
    bool any = false;
    for (unsigned i = 0; i < fmt->nb_streams && i < 64; ++i) {
        AVStream* s = fmt->streams[i];
        AVMediaType type = s->codecpar->codec_type;
        if (type != AVMEDIA_TYPE_AUDIO &&
            !(type == AVMEDIA_TYPE_VIDEO && !(s->disposition & AV_DISPOSITION_ATTACHED_PIC)))
            continue;
        decoders.byStream[i] = in.OpenDecoder(int(i), 1);
        any = any || decoders.byStream[i];
    }
    if (!any)
        return false;
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    bool ok = false;
    for (int n = 0; !ok && n < kProbePackets && av_read_frame(fmt, pkt) >= 0; ++n) {
        if (pkt->stream_index < 64 && decoders.byStream[pkt->stream_index])
            ok = Decodes(decoders.byStream[pkt->stream_index], pkt, frame);
        av_packet_unref(pkt);
    }
    // Decoders with delay give their first frame only when drained.
    for (unsigned i = 0; !ok && i < 64; ++i)
        if (decoders.byStream[i])
            ok = Decodes(decoders.byStream[i], nullptr, frame);
    av_frame_free(&frame);
    av_packet_free(&pkt);
    return ok;
}

void* MediaProbe::GetMediaInfo(const char* path)
{
    AvInput in;
    if (!in.Open(path))
        return nullptr;
    AVFormatContext* fmt = in.get();
    int v = in.VideoStream();
    int a = in.AudioStream();

    uint64_t seconds = 0;
    if (fmt->duration != AV_NOPTS_VALUE && fmt->duration > 0)
        seconds = uint64_t(std::llround(double(fmt->duration) / AV_TIME_BASE));

    uint64_t width = 0, height = 0, frameRate = 0, videoRate = 0;
    uint64_t sampleRate = 0, channels = 0, audioRate = 0;
    const uint64_t videoEnd = v >= 0 ? StreamEndMs(fmt, fmt->streams[v]) : 0;
    const uint64_t audioEnd = a >= 0 ? StreamEndMs(fmt, fmt->streams[a]) : 0;
    char layout[128] = "";
    if (v >= 0) {
        AVStream* s = fmt->streams[v];
        width = uint64_t(std::max(0, s->codecpar->width));
        height = uint64_t(std::max(0, s->codecpar->height));
        AVRational r = s->avg_frame_rate.num > 0 && s->avg_frame_rate.den > 0 ? s->avg_frame_rate
                                                                                : s->r_frame_rate;
        if (r.num > 0 && r.den > 0)
            frameRate = uint64_t(std::llround(av_q2d(r)));
        videoRate = StreamBitRate(s);
    }
    if (a >= 0) {
        AVStream* s = fmt->streams[a];
        sampleRate = uint64_t(std::max(0, s->codecpar->sample_rate));
        channels = uint64_t(std::max(0, s->codecpar->ch_layout.nb_channels));
        if (av_channel_layout_describe(&s->codecpar->ch_layout, layout, sizeof layout) < 0)
            layout[0] = '\0';
        audioRate = StreamBitRate(s);
    }
    // Matroska and WebM keep no stream rates: measure them from the packets
    // of the first seconds (the whole of a short file).
    if ((v >= 0 && !videoRate) || (a >= 0 && !audioRate)) {
        if (v >= 0 && !videoRate)
            videoRate = SampledBitRate(fmt, v);
        if (a >= 0 && !audioRate)
            audioRate = SampledBitRate(fmt, a);
    }

    plist_t dict = plist_new_dict();
    SetUint(dict, "media-length", seconds);
    SetUint(dict, "frame-width", width);
    SetUint(dict, "frame-height", height);
    SetUint(dict, "video-bit-rate", videoRate);
    SetUint(dict, "frame-rate", frameRate);
    SetUint(dict, "sample-rate", sampleRate);
    SetUint(dict, "channel", channels);
    plist_dict_set_item(dict, "channel-layout", plist_new_string(layout));
    SetUint(dict, "audio-bit-rate", audioRate);
    SetUint(dict, "video-length-ms", videoEnd);
    SetUint(dict, "audio-length-ms", audioEnd);
    SetUint(dict, "video-start-ms", v >= 0 ? StreamStartMs(fmt, fmt->streams[v]) : 0);
    SetUint(dict, "audio-start-ms", a >= 0 ? StreamStartMs(fmt, fmt->streams[a]) : 0);
    // Without a length in the container libavformat divides the file's size
    // by the first packets' rate: far off for a variable rate.
    plist_dict_set_item(dict, "length-estimated",
                        plist_new_bool(fmt->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE));
    return dict;
}
