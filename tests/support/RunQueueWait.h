// How long this process's threads waited for a processor while it lived:
// what a loaded machine took from code that runs against the clock. Tests of
// real-time behaviour widen their timing and dropped-frame bounds by it, so
// they hold as written on an idle machine and fail on a loaded one only for
// a fault. Read from /proc/self/task/*/schedstat (the kernel's per-thread
// run-queue delay); a thread that ends meanwhile counts up to its last
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

    // Counts from now on.
    void Restart();
    // Seconds waited since construction or Restart by the thread that waited longest:
    // what can make a pipeline of threads late (their waits mostly overlap,
    // so the sum over threads would say far more).
    double Seconds();
    // How late code that runs against the clock may rightly be meanwhile:
    // twice Seconds(), as threads that hand work to each other add up their
    // waits in part.
    double MayRunLateBy() { return 2 * Seconds(); }

private:
    void Sample();

    std::map<long, long long> m_start;  // thread id -> nanoseconds at the start
    std::map<long, long long> m_last;   // thread id -> nanoseconds at the last sample
    std::mutex m_mutex;
    std::atomic<long> m_self{0};  // the sampler's thread id
    std::atomic<bool> m_stop{false};
    std::thread m_sampler;
};

}  // namespace mvtest
