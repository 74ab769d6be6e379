// One player instance: plays a file in real time on the thread that calls Play,
// handing frames and positions to the callbacks; the control calls may come
// from any other thread meanwhile.
#pragma once

#include "ZR_Py.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class Player {
public:
    Player() = default;
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    void Reset();
    int Play(const char* arguments);
    void Stop();
    void TogglePause();
    void Seek(int seconds);
    void SetVolume(int value, int maximum);
    void SetPositionCallback(ZRPyPositionCallback callback, void* context);
    void SetFrameCallback(ZRPyFrameCallback callback, void* context);

    // The path named by "-file" in an argument text; empty when there is none.
    static std::string PathFromArguments(const std::string& arguments);

private:
    class Session;
    friend class Session;
    // No callback comes after this: Stop may return (tearing down follows).
    void LoopEnded();

    std::mutex playMutex_;  // one Play at a time
    std::mutex stateMutex_; // guards playing_ and the callbacks
    std::condition_variable ended_;
    bool playing_ = false;
    std::thread::id playThread_;

    std::atomic<bool> stop_{false};
    std::atomic<bool> paused_{false};
    std::atomic<int> seekTo_{-1};
    std::atomic<float> volume_{1.0f};

    ZRPyPositionCallback positionCb_ = nullptr;
    void* positionCtx_ = nullptr;
    ZRPyFrameCallback frameCb_ = nullptr;
    void* frameCtx_ = nullptr;
};
