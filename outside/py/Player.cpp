#include "Player.h"

#include "QuotedArgs.h"

Player::~Player()
{
    Stop();
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

int Player::Play(const char*)
{
    return ZR_PY_FAILED;
}

void Player::Stop()
{
    stop_ = true;
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
    volume_ = maximum > 0 ? float(value < 0 ? 0 : value > maximum ? maximum : value) / float(maximum)
                          : 0.0f;
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
