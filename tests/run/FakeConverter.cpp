#include "FakeConverter.h"

#include "AppServices.h"
#include "NoServices.h"
#include "ProgressTarget.h"

#include <chrono>
#include <fstream>
#include <thread>

namespace {

FakeConverter* g_fake = nullptr;

// The last quoted text of a command line (names without quotes only).
std::string Destination(const std::string& line)
{
    const size_t close = line.rfind('"');
    const size_t open = close == std::string::npos || close == 0 ? std::string::npos : line.rfind('"', close - 1);
    return open == std::string::npos ? std::string() : line.substr(open + 1, close - open - 1);
}

int Run(void*, const char* line)
{
    FakeConverter& f = *g_fake;
    std::unique_lock<std::mutex> lock(f.mutex);
    const int index = int(f.lines.size());
    f.lines.push_back(line);
    f.lastError.clear();
    f.lastDamage.clear();
    if (f.stop) {
        f.stop = false;
        return ZR_CT_STOPPED;
    }
    f.running = index;
    f.changed.notify_all();
    if (f.callback)
        f.callback(f.context, 1.0, 0);
    if (f.hold)
        f.changed.wait(lock, [&] { return f.released > index || f.stop; });
    f.running = -1;
    f.changed.notify_all();
    if (f.stop) {
        f.stop = false;
        const int delay = f.stopDelayMs;
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        return ZR_CT_STOPPED;
    }
    if (f.failing.count(index)) {
        const auto reason = f.reasons.find(index);
        f.lastError = reason != f.reasons.end() ? reason->second
                                                : "first line\nfailure of run " + std::to_string(index);
        return ZR_CT_FAILED;
    }
    const auto damage = f.damage.find(index);
    if (damage != f.damage.end())
        f.lastDamage = damage->second;
    const std::string out = Destination(line);
    if (f.writeOutputs && !out.empty())
        std::ofstream(out) << "converted";
    const auto* target = static_cast<const ProgressTarget*>(f.context);
    const auto end = f.ends.find(index);
    if (f.callback)
        f.callback(f.context, end != f.ends.end() ? end->second : target ? target->durationSeconds : 0, 1);
    return ZR_CT_DONE;
}

void Stop(void*)
{
    std::lock_guard<std::mutex> lock(g_fake->mutex);
    g_fake->stop = true;
    ++g_fake->stops;
    g_fake->changed.notify_all();
}

void TogglePause(void*)
{
    std::lock_guard<std::mutex> lock(g_fake->mutex);
    ++g_fake->pauseToggles;
}

void SetProgressCallback(void*, ZRCtProgressCallback callback)
{
    std::lock_guard<std::mutex> lock(g_fake->mutex);
    g_fake->callback = callback;
}

void SetTaskContext(void*, void* context)
{
    std::lock_guard<std::mutex> lock(g_fake->mutex);
    g_fake->context = context;
    g_fake->stop = false;
}

const char* GetLastError(void*)
{
    return g_fake->lastError.c_str();
}

const char* GetSourceDamage(void*)
{
    return g_fake->lastDamage.c_str();
}

ConverterInstance g_instance{nullptr, Run, Stop, TogglePause, SetProgressCallback, SetTaskContext,
                             GetLastError, GetSourceDamage};

ConverterInstance* CreateInstance() { return &g_instance; }
void FreeInstance(ConverterInstance*) {}
ConverterService g_service{CreateInstance, FreeInstance};

ServiceExports Exports()
{
    ServiceExports e = mvtest::NoServices();
    e.createCtService = [] { return &g_service; };
    return e;
}

}  // namespace

void FakeConverter::Release()
{
    std::lock_guard<std::mutex> lock(mutex);
    ++released;
    changed.notify_all();
}

int FakeConverter::Running()
{
    std::lock_guard<std::mutex> lock(mutex);
    return running;
}

void FakeConverter::ReleaseAll()
{
    std::lock_guard<std::mutex> lock(mutex);
    hold = false;
    released = 1 << 20;
    changed.notify_all();
}

size_t FakeConverter::LineCount()
{
    std::lock_guard<std::mutex> lock(mutex);
    return lines.size();
}

std::vector<std::string> FakeConverter::Lines()
{
    std::lock_guard<std::mutex> lock(mutex);
    return lines;
}

void FakeConverter::Install()
{
    g_fake = this;
    AppServices::Create(Exports());
}

void FakeConverter::Uninstall()
{
    AppServices::Free(Exports());
    g_fake = nullptr;
}
