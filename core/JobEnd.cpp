#include "JobEnd.h"

void JobEnd::Begin()
{
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = true;
}

void JobEnd::Finish()
{
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    done_.notify_all();
}

void JobEnd::Wait()
{
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return !running_; });
}

bool JobEnd::Running() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return running_;
}
