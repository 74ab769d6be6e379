#include "Player.h"

#include "AudioOut.h"
#include "AvInput.h"
#include "QuotedArgs.h"
#include "RgbScaler.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <chrono>
#include <cmath>
#include <deque>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Decoded frames held ahead of their time, and sound buffered ahead.
const size_t kVideoAhead = 4;
const double kAudioAhead = 0.5;
// A frame this late is skipped when a later one is already waiting.
const double kLateDrop = 0.1;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

// One run of Play: the opened file, its decoders and the playback clock.
class Player::Session {
public:
    explicit Session(Player& owner) : p_(owner)
    {
        std::lock_guard<std::mutex> lock(owner.stateMutex_);
        positionCb_ = owner.positionCb_;
        positionCtx_ = owner.positionCtx_;
        frameCb_ = owner.frameCb_;
        frameCtx_ = owner.frameCtx_;
    }
    ~Session();
    int Run(const std::string& path);

private:
    bool OpenAudio();
    // A fresh resampler from the decoder's format to the device's.
    bool ResetResampler();
    void ReadOne(bool withSound = true);
    void DecodeVideo(const AVPacket* pkt);
    void DecodeAudio(const AVPacket* pkt);
    void Rewind(double seconds);
    void SeekTo(double seconds);
    void ShowPausedAt(int seconds);
    bool Primed();
    void Prime();
    void Show(const AVFrame* f);
    void ShowFront();
    bool ShowDueFrame();
    double Now();
    void SetClock(double seconds);
    double SoundAhead();
    void ReportPosition(bool force);
    void Pause();

    Player& p_;
    ZRPyPositionCallback positionCb_ = nullptr;
    void* positionCtx_ = nullptr;
    ZRPyFrameCallback frameCb_ = nullptr;
    void* frameCtx_ = nullptr;
    AvInput in_;
    AVCodecContext* video_ = nullptr;
    AVCodecContext* audio_ = nullptr;
    int vs_ = -1, as_ = -1;
    double start_ = 0;  // the file's start time, seconds
    int duration_ = 0;
    RgbScaler rgb_;
    SwrContext* swr_ = nullptr;
    std::vector<int16_t> pcm_;
    AudioOut sound_;
    std::deque<AVFrame*> frames_;
    AVPacket* pkt_ = av_packet_alloc();
    AVFrame* scratch_ = av_frame_alloc();
    AVFrame* lastSkipped_ = av_frame_alloc();  // the latest frame dropped before skipBefore_
    bool eof_ = false;
    double skipBefore_ = -1;  // frames before this time are decoded and dropped
    double audioNext_ = 0;    // time of the next sound sample when pts is missing
    double videoNext_ = 0;    // time of the next frame when pts is missing
    double resumeAt_ = -1;    // a seek while paused showed this time: play on from it
    bool primed_ = false;     // until the first picture is shown the clock holds at heldAt_
    double heldAt_ = 0;
    Clock::time_point wallBase_ = Clock::now();
    int lastPosition_ = -1;
};

Player::Session::~Session()
{
    for (AVFrame* f : frames_)
        av_frame_free(&f);
    if (video_)
        avcodec_free_context(&video_);
    if (audio_)
        avcodec_free_context(&audio_);
    swr_free(&swr_);
    av_packet_free(&pkt_);
    av_frame_free(&scratch_);
    av_frame_free(&lastSkipped_);
}

bool Player::Session::OpenAudio()
{
    return audio_ && sound_.Open(audio_->sample_rate, audio_->ch_layout.nb_channels) &&
           ResetResampler();
}

bool Player::Session::ResetResampler()
{
    AVChannelLayout in, out;
    if (audio_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || !av_channel_layout_check(&audio_->ch_layout))
        av_channel_layout_default(&in, audio_->ch_layout.nb_channels);
    else
        av_channel_layout_copy(&in, &audio_->ch_layout);
    av_channel_layout_default(&out, sound_.Channels());
    swr_free(&swr_);
    int rc = swr_alloc_set_opts2(&swr_, &out, AV_SAMPLE_FMT_S16, sound_.Rate(), &in,
                                 audio_->sample_fmt, audio_->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    return rc >= 0 && swr_init(swr_) >= 0;
}

double Player::Session::Now()
{
    // While sound flows its device sets the time; otherwise the wall clock
    // carries on from where the sound left it.
    if (!primed_)
        return heldAt_;
    if (sound_.IsOpen() && sound_.Buffered() > 0) {
        double t = sound_.Clock();
        SetClock(t);
        return t;
    }
    return Seconds(Clock::now() - wallBase_);
}

void Player::Session::SetClock(double seconds)
{
    wallBase_ = Clock::now() - std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

double Player::Session::SoundAhead()
{
    // Without a device the sound is decoded, dropped and paced by the clock.
    if (sound_.IsOpen() && swr_)
        return sound_.Buffered();
    return std::max(0.0, audioNext_ - Now());
}

void Player::Session::ReportPosition(bool force)
{
    int pos = int(std::floor(Now() + 1e-6));
    pos = std::max(0, duration_ > 0 ? std::min(pos, duration_) : pos);
    // While playing the position only moves on: after the sound ran dry the
    // device's clock may lag the wall clock that stood in for it. Starts,
    // seeks and pauses report where they are.
    if (pos <= lastPosition_ && !force)
        return;
    lastPosition_ = pos;
    if (positionCb_)
        positionCb_(&p_, 1, pos, duration_, 0, positionCtx_);
}

void Player::Session::DecodeVideo(const AVPacket* pkt)
{
    if (avcodec_send_packet(video_, pkt) < 0 && pkt)
        return;
    AVStream* s = in_.get()->streams[vs_];
    while (avcodec_receive_frame(video_, scratch_) >= 0) {
        int64_t ts = scratch_->best_effort_timestamp;
        double t = ts == AV_NOPTS_VALUE ? videoNext_ : ts * av_q2d(s->time_base) - start_;
        AVRational rate = s->avg_frame_rate.num > 0 ? s->avg_frame_rate : AVRational{25, 1};
        videoNext_ = t + av_q2d(av_inv_q(rate));
        if (skipBefore_ >= 0 && t < skipBefore_ - 0.02) {
            av_frame_unref(lastSkipped_);
            av_frame_move_ref(lastSkipped_, scratch_);
            lastSkipped_->pts = int64_t(std::llround(t * 1e6));
            continue;
        }
        AVFrame* f = av_frame_clone(scratch_);
        av_frame_unref(scratch_);
        if (!f)
            continue;
        // From here on pts holds the frame's time in microseconds.
        f->pts = int64_t(std::llround(t * 1e6));
        frames_.push_back(f);
    }
}

void Player::Session::DecodeAudio(const AVPacket* pkt)
{
    if (avcodec_send_packet(audio_, pkt) < 0 && pkt)
        return;
    AVStream* s = in_.get()->streams[as_];
    while (avcodec_receive_frame(audio_, scratch_) >= 0) {
        int64_t ts = scratch_->best_effort_timestamp;
        double t = ts == AV_NOPTS_VALUE ? audioNext_ : ts * av_q2d(s->time_base) - start_;
        double length = scratch_->sample_rate > 0 ? double(scratch_->nb_samples) / scratch_->sample_rate : 0;
        audioNext_ = t + length;
        if (swr_ && !(skipBefore_ >= 0 && t + length < skipBefore_)) {
            int room = swr_get_out_samples(swr_, scratch_->nb_samples);
            pcm_.resize(size_t(std::max(room, 0)) * size_t(sound_.Channels()) + 16);
            uint8_t* out = reinterpret_cast<uint8_t*>(pcm_.data());
            int n = swr_convert(swr_, &out, room, const_cast<const uint8_t**>(scratch_->extended_data),
                                scratch_->nb_samples);
            if (n > 0) {
                sound_.PadTo(t, Now());
                sound_.Push(pcm_.data(), n, std::max(0.0, t));
            }
        }
        av_frame_unref(scratch_);
    }
}

void Player::Session::ReadOne(bool withSound)
{
    if (av_read_frame(in_.get(), pkt_) < 0) {
        if (video_)
            DecodeVideo(nullptr);
        if (audio_ && withSound)
            DecodeAudio(nullptr);
        eof_ = true;
        return;
    }
    if (pkt_->stream_index == vs_ && video_)
        DecodeVideo(pkt_);
    else if (pkt_->stream_index == as_ && audio_ && withSound)
        DecodeAudio(pkt_);
    av_packet_unref(pkt_);
}

void Player::Session::Rewind(double seconds)
{
    if (duration_ > 0)
        seconds = std::min(seconds, double(duration_));
    seconds = std::max(seconds, 0.0);
    int64_t target = std::llround((seconds + start_) * AV_TIME_BASE);
    av_seek_frame(in_.get(), -1, target, AVSEEK_FLAG_BACKWARD);
    if (video_)
        avcodec_flush_buffers(video_);
    if (audio_)
        avcodec_flush_buffers(audio_);
    if (swr_)
        ResetResampler();  // drops what the resampler holds
    for (AVFrame* f : frames_)
        av_frame_free(&f);
    frames_.clear();
    av_frame_unref(lastSkipped_);
    sound_.Clear(seconds);
    audioNext_ = videoNext_ = seconds;
    skipBefore_ = seconds;
    eof_ = false;
    resumeAt_ = -1;
    primed_ = false;
    heldAt_ = seconds;
}

void Player::Session::SeekTo(double seconds)
{
    Rewind(seconds);
    ReportPosition(true);
}

void Player::Session::ShowPausedAt(int seconds)
{
    // Only the pictures are decoded: the sound starts afresh on resume.
    Rewind(seconds);
    while (frames_.empty() && !eof_ && !p_.stop_ && p_.seekTo_ < 0)
        ReadOne(false);
    if (p_.stop_ || p_.seekTo_ >= 0)
        return;
    // Past the last picture the last one stands for the target.
    const AVFrame* f = !frames_.empty() ? frames_.front() : lastSkipped_->buf[0] ? lastSkipped_ : nullptr;
    if (!f) {
        ReportPosition(true);
        return;
    }
    const double t = double(f->pts) / 1e6;
    heldAt_ = t;
    sound_.Clear(t);
    ReportPosition(true);
    Show(f);
    resumeAt_ = t;
    skipBefore_ = -1;
    for (AVFrame* g : frames_)
        av_frame_free(&g);
    frames_.clear();
    av_frame_unref(lastSkipped_);
}

bool Player::Session::Primed()
{
    // As many pictures as playing keeps ahead, or fewer when the sound is
    // ahead enough already.
    if (frames_.empty())
        return !video_ && SoundAhead() >= kAudioAhead;
    return frames_.size() >= kVideoAhead || (audio_ && SoundAhead() >= kAudioAhead);
}

void Player::Session::Prime()
{
    // Opening the decoders and filling their threads takes a while: the clock
    // and the sound wait, so that the first pictures are not late already.
    sound_.Pause(true);
    while (!Primed() && !eof_ && !p_.stop_ && p_.seekTo_ < 0)
        ReadOne();
    if (p_.stop_ || p_.seekTo_ >= 0)
        return;
    if (!frames_.empty()) {
        heldAt_ = double(frames_.front()->pts) / 1e6;
        ShowFront();
    }
    SetClock(heldAt_);
    primed_ = true;
    if (!p_.paused_)
        sound_.Pause(false);
}

void Player::Session::Show(const AVFrame* f)
{
    // The position goes first: whoever shows the picture knows its time.
    ReportPosition(false);
    if (rgb_.Convert(f) && frameCb_)
        frameCb_(const_cast<unsigned char*>(rgb_.Pixels()), rgb_.RowBytes(), rgb_.Width(),
                 rgb_.Height(), frameCtx_);
}

bool Player::Session::ShowDueFrame()
{
    while (!frames_.empty()) {
        AVFrame* f = frames_.front();
        double t = double(f->pts) / 1e6;
        double now = Now();
        if (t > now)
            return false;
        if (t < now - kLateDrop && frames_.size() > 1) {
            frames_.pop_front();
            av_frame_free(&f);
            continue;
        }
        ShowFront();
        return true;
    }
    return false;
}

void Player::Session::ShowFront()
{
    AVFrame* f = frames_.front();
    skipBefore_ = -1;
    Show(f);
    frames_.pop_front();
    av_frame_free(&f);
}

void Player::Session::Pause()
{
    Clock::time_point began = Clock::now();
    sound_.Pause(true);
    while (p_.paused_ && !p_.stop_ && p_.seekTo_ < 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // A seek while paused keeps the sound held, as does a clock not yet started.
    if (!p_.paused_ && primed_)
        sound_.Pause(false);
    wallBase_ += Clock::now() - began;
}

int Player::Session::Run(const std::string& path)
{
    if (path.empty() || !in_.Open(path) || !pkt_ || !scratch_)
        return ZR_PY_FAILED;
    AVFormatContext* fmt = in_.get();
    vs_ = in_.VideoStream();
    as_ = in_.AudioStream();
    video_ = in_.OpenDecoder(vs_, 0);
    audio_ = in_.OpenDecoder(as_, 1);
    if (!video_ && !audio_)
        return ZR_PY_FAILED;
    if (fmt->start_time != AV_NOPTS_VALUE)
        start_ = double(fmt->start_time) / AV_TIME_BASE;
    if (fmt->duration != AV_NOPTS_VALUE && fmt->duration > 0)
        duration_ = int(std::llround(double(fmt->duration) / AV_TIME_BASE));
    if (!OpenAudio())
        swr_free(&swr_);  // play the pictures on the wall clock
    sound_.SetVolume(p_.volume_);
    ReportPosition(true);

    while (!p_.stop_) {
        int seek = p_.seekTo_.exchange(-1);
        if (seek >= 0) {
            if (p_.paused_ && video_)
                ShowPausedAt(seek);
            else
                SeekTo(seek);
            continue;
        }
        if (p_.paused_) {
            Pause();
            continue;
        }
        if (resumeAt_ >= 0) {
            SeekTo(resumeAt_);
            continue;
        }
        if (!primed_) {
            Prime();
            continue;
        }
        sound_.SetVolume(p_.volume_);
        bool soundLow = !audio_ || SoundAhead() < kAudioAhead;
        bool wantFrames = video_ && frames_.size() < kVideoAhead;
        if (!eof_ && ((video_ && frames_.empty()) || (wantFrames && soundLow) || (!video_ && soundLow))) {
            ReadOne();
            continue;
        }
        if (ShowDueFrame()) {
            ReportPosition(false);
            continue;
        }
        if (eof_ && frames_.empty() && (!audio_ || SoundAhead() <= 0))
            break;
        ReportPosition(false);
        double wait = 0.01;
        if (!frames_.empty())
            wait = std::min(wait, std::max(0.0, double(frames_.front()->pts) / 1e6 - Now()));
        std::this_thread::sleep_for(std::chrono::duration<double>(std::max(wait, 0.001)));
    }
    if (p_.stop_) {
        p_.LoopEnded();
        return ZR_PY_STOPPED;
    }
    // The end of the file is its whole length.
    if (duration_ > 0 && lastPosition_ != duration_ && positionCb_)
        positionCb_(&p_, 1, duration_, duration_, 0, positionCtx_);
    p_.LoopEnded();
    return ZR_PY_ENDED;
}

Player::~Player()
{
    Stop();
    std::lock_guard<std::mutex> play(playMutex_);
}

std::string Player::PathFromArguments(const std::string& arguments)
{
    std::vector<QuotedArg> parts = QuotedArgs::Split(arguments);
    for (size_t i = 0; i + 1 < parts.size(); ++i)
        if (!parts[i].quoted && parts[i].text == "-file")
            return parts[i + 1].text;
    return "";
}

void Player::Reset()
{
    stop_ = false;
    paused_ = false;
    seekTo_ = -1;
}

int Player::Play(const char* arguments)
{
    std::lock_guard<std::mutex> play(playMutex_);
    {
        std::lock_guard<std::mutex> lock(stateMutex_);
        if (stop_)
            return ZR_PY_STOPPED;
        playing_ = true;
        playThread_ = std::this_thread::get_id();
    }
    int result;
    {
        Session session(*this);
        result = session.Run(arguments ? PathFromArguments(arguments) : std::string());
    }
    // SDL keeps per-thread state (its error text) for threads it did not
    // start and frees it only when asked, on the thread itself.
    SDL_TLSCleanup();
    LoopEnded();
    return result;
}

void Player::LoopEnded()
{
    std::lock_guard<std::mutex> lock(stateMutex_);
    playing_ = false;
    ended_.notify_all();
}

void Player::Stop()
{
    std::unique_lock<std::mutex> lock(stateMutex_);
    stop_ = true;
    if (playing_ && playThread_ != std::this_thread::get_id())
        ended_.wait_for(lock, std::chrono::seconds(1), [this] { return !playing_; });
}

void Player::TogglePause()
{
    paused_ = !paused_;
}

void Player::Seek(int seconds)
{
    seekTo_ = seconds < 0 ? 0 : seconds;
}

void Player::SetVolume(int value, int maximum)
{
    volume_ = maximum > 0 ? float(std::clamp(value, 0, maximum)) / float(maximum) : 0.0f;
}

void Player::SetPositionCallback(ZRPyPositionCallback callback, void* context)
{
    std::lock_guard<std::mutex> lock(stateMutex_);
    positionCb_ = callback;
    positionCtx_ = context;
}

void Player::SetFrameCallback(ZRPyFrameCallback callback, void* context)
{
    std::lock_guard<std::mutex> lock(stateMutex_);
    frameCb_ = callback;
    frameCtx_ = context;
}
