#include "AudioOut.h"

#include <algorithm>
#include <cstring>

AudioOut::~AudioOut()
{
    if (device_)
        SDL_CloseAudioDevice(device_);
    if (subsystem_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool AudioOut::Open(int wantedRate, int wantedChannels)
{
    // One device at a time: a second one would drain the same buffer.
    if (device_) {
        SDL_CloseAudioDevice(device_);
        device_ = 0;
    }
    if (!subsystem_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        subsystem_ = true;
    }
    SDL_AudioSpec want, have;
    SDL_zero(want);
    want.freq = wantedRate > 0 ? wantedRate : 48000;
    want.format = AUDIO_S16SYS;
    want.channels = Uint8(std::clamp(wantedChannels, 1, 2));
    want.samples = 1024;
    want.callback = &AudioOut::Fill;
    want.userdata = this;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have,
                                  SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (!device_)
        return false;
    rate_ = have.freq;
    channels_ = have.channels;
    deviceFrames_ = have.samples;
    buffer_.assign(size_t(rate_) * size_t(channels_) * 8, 0);  // 8 s of sound
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void AudioOut::Push(const int16_t* samples, int frames, double pts)
{
    std::lock_guard<std::mutex> lock(mutex_);
    size_t count = size_t(frames) * size_t(channels_);
    if (size_ + count > buffer_.size()) {
        // Keep the buffer bounded: the oldest sound gives way.
        size_t drop = size_ + count - buffer_.size();
        drop = std::min(drop, size_);
        head_ = (head_ + drop) % buffer_.size();
        size_ -= drop;
        count = std::min(count, buffer_.size());
    }
    size_t tail = (head_ + size_) % buffer_.size();
    for (size_t i = 0; i < count; ++i)
        buffer_[(tail + i) % buffer_.size()] = samples[i];
    size_ += count;
    endPts_ = pts + double(frames) / rate_;
}

void AudioOut::PadTo(double pts, double now)
{
    double from;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        from = size_ > 0 ? endPts_ : now;
    }
    // Gaps shorter than a video frame are left alone; the buffer bounds the rest.
    double gap = std::min(pts - from, double(buffer_.size()) / channels_ / rate_ / 2);
    if (!rate_ || gap < 0.02)
        return;
    std::vector<int16_t> silence(size_t(gap * rate_) * size_t(channels_), 0);
    Push(silence.data(), int(silence.size() / size_t(channels_)), from);
}

void AudioOut::Clear(double pts)
{
    std::lock_guard<std::mutex> lock(mutex_);
    head_ = 0;
    size_ = 0;
    endPts_ = pts;
}

void AudioOut::Pause(bool paused)
{
    if (device_)
        SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

double AudioOut::Buffered() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return rate_ ? double(size_) / channels_ / rate_ : 0.0;
}

double AudioOut::Clock() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!rate_)
        return 0.0;
    // What the device holds plays after what has left it.
    double pending = double(size_) / channels_ / rate_ + double(deviceFrames_) / rate_;
    return std::max(0.0, endPts_ - pending);
}

void AudioOut::Fill(void* self, Uint8* stream, int len)
{
    auto* out = static_cast<AudioOut*>(self);
    auto* dst = reinterpret_cast<int16_t*>(stream);
    size_t want = size_t(len) / sizeof(int16_t);
    float volume = out->volume_;
    std::lock_guard<std::mutex> lock(out->mutex_);
    size_t have = std::min(want, out->size_);
    const size_t cap = out->buffer_.size();
    for (size_t i = 0; i < have; ++i) {
        float v = float(out->buffer_[(out->head_ + i) % cap]) * volume;
        dst[i] = int16_t(std::clamp(v, -32768.0f, 32767.0f));
    }
    std::memset(dst + have, 0, (want - have) * sizeof(int16_t));
    if (cap) {
        out->head_ = (out->head_ + have) % cap;
        out->size_ -= have;
    }
}
