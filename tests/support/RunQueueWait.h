// How long this process's threads waited for a processor while it lived:
// what a loaded machine took from code that runs against the clock. Tests of
// real-time behaviour widen their timing and dropped-frame bounds by it, so
// they hold as written on an idle machine and fail on a loaded one only for
// a fault. Read from /proc/self/task/*/schedstat (the kernel's per-thread
// run-queue delay); threads that end meanwhile are counted up to their last
// sample.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

namespace mvtest {

class RunQueueWait {
public:
    RunQueueWait();
    ~RunQueueWait();
    RunQueueWait(const RunQueueWait&) = delete;
    RunQueueWait& operator=(const RunQueueWait&) = delete;

    // Seconds waited since construction, summed over the threads.
    double Seconds();

private:
    void Sample();

    std::map<long, long long> m_start;  // thread id -> nanoseconds at construction
    std::map<long, long long> m_last;   // thread id -> nanoseconds at the last sample
    std::mutex m_mutex;
    std::atomic<long> m_self{0};  // the sampler's thread id
    std::atomic<bool> m_stop{false};
    std::thread m_sampler;
};

}  // namespace mvtest
