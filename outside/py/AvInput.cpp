#include "AvInput.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/log.h>
}

#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::once_flag g_quiet;

// Holds the path open without blocking (a pipe waits for a writer only in
// a blocking open) and tells whether it is a regular file.
class RegularFile {
public:
    explicit RegularFile(const std::string& path)
    {
        fd_ = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        struct stat st;
        regular_ = fd_ >= 0 && fstat(fd_, &st) == 0 && S_ISREG(st.st_mode);
    }
    ~RegularFile()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    bool regular() const { return regular_; }
    // The same file again, whatever the path names by now; the path itself
    // where /proc is not mounted.
    std::string Url(const std::string& path) const
    {
        std::string self = "/proc/self/fd/" + std::to_string(fd_);
        return "file:" + (access(self.c_str(), R_OK) == 0 ? self : path);
    }

private:
    int fd_ = -1;
    bool regular_ = false;
};

}  // namespace

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
    RegularFile file(path);
    if (!file.regular())
        return false;
    std::string url = file.Url(path);
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
