#include "RunQueueWait.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace mvtest {

namespace {

// Thread id -> run-queue delay in nanoseconds (the second schedstat field).
std::map<long, long long> ReadDelays()
{
    std::map<long, long long> delays;
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks)
        return delays;
    while (dirent* e = readdir(tasks)) {
        if (e->d_name[0] < '0' || e->d_name[0] > '9')
            continue;
        std::ifstream in(std::string("/proc/self/task/") + e->d_name + "/schedstat");
        long long onCpu = 0, waited = 0;
        if (in >> onCpu >> waited)
            delays[std::atol(e->d_name)] = waited;
    }
    closedir(tasks);
    return delays;
}

}  // namespace

RunQueueWait::RunQueueWait() : m_start(ReadDelays()), m_last(m_start)
{
    m_sampler = std::thread([this] {
        m_self = long(syscall(SYS_gettid));
        while (!m_stop) {
            Sample();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
}

RunQueueWait::~RunQueueWait()
{
    m_stop = true;
    m_sampler.join();
}

void RunQueueWait::Restart()
{
    std::map<long, long long> now = ReadDelays();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_start = now;
    m_last = std::move(now);
}

void RunQueueWait::Sample()
{
    const std::map<long, long long> now = ReadDelays();
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& [tid, waited] : now)
        m_last[tid] = waited;
}

double RunQueueWait::Seconds()
{
    Sample();
    std::lock_guard<std::mutex> lock(m_mutex);
    long long longest = 0;
    for (const auto& [tid, waited] : m_last) {
        if (tid == m_self)
            continue;  // the sampler's own waits are not the code's under test
        auto start = m_start.find(tid);
        longest = std::max(longest, waited - (start == m_start.end() ? 0 : start->second));
    }
    return double(longest) / 1e9;
}

}  // namespace mvtest
