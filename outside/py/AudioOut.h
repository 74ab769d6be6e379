// The sound output of one playback: an SDL2 device fed from a buffer that the
// playing thread fills; the device's consumption is the playback clock.
#pragma once

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

class AudioOut {
public:
    AudioOut() = default;
    ~AudioOut();
    AudioOut(const AudioOut&) = delete;
    AudioOut& operator=(const AudioOut&) = delete;

    // Opens the default device near the wanted rate, in place of one opened
    // before; false when there is none.
    bool Open(int wantedRate, int wantedChannels);
    bool IsOpen() const { return device_ != 0; }
    int Rate() const { return rate_; }
    int Channels() const { return channels_; }

    // Appends interleaved signed 16-bit samples whose first one plays at `pts`.
    void Push(const int16_t* samples, int frames, double pts);
    // Appends silence up to `pts` when the sound would otherwise start early:
    // a stream that begins after the pictures, or a gap in it.
    void PadTo(double pts, double now);
    // Drops what is buffered; the clock restarts at `pts`.
    void Clear(double pts);
    void Pause(bool paused);
    void SetVolume(float volume) { volume_ = volume; }

    // Seconds of sound waiting to be played.
    double Buffered() const;
    // The time of the sample now leaving the speaker.
    double Clock() const;

private:
    static void Fill(void* self, Uint8* stream, int len);

    SDL_AudioDeviceID device_ = 0;
    bool subsystem_ = false;
    int rate_ = 0;
    int channels_ = 0;
    int deviceFrames_ = 0;
    std::atomic<float> volume_{1.0f};

    mutable std::mutex mutex_;     // guards the buffer and the clock
    std::vector<int16_t> buffer_;  // ring of pending samples
    size_t head_ = 0;              // first pending sample
    size_t size_ = 0;              // pending samples
    double endPts_ = 0;            // time just after the last pending sample
};
