// Marks the span in which a worker thread may still use a job record, so that
// the record's owner can wait for the thread's last use before freeing it.
#pragma once

#include <condition_variable>
#include <mutex>

class JobEnd {
public:
    // The thread is about to use the record (owner before starting it, or the
    // thread's first step).
    void Begin();
    // The thread's last touch of the record.
    void Finish();
    // Returns once no thread uses the record; at once when none began.
    void Wait();
    bool Running() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable done_;
    bool running_ = false;
};
