#include "JobServices.h"

#include "AppServices.h"
#include "NoServices.h"
#include "ProgressTarget.h"
#include "ZR_Py.h"

#include <chrono>
#include <cstdlib>

namespace mvtest {

ScriptedConverter* ScriptedConverter::current = nullptr;

namespace {

ScriptedConverter& S() { return *ScriptedConverter::current; }

int FakeRun(void*, const char* line)
{
    ScriptedConverter& s = S();
    std::unique_lock<std::mutex> lock(s.mutex);
    int index = int(s.lines.size());
    s.lines.push_back(line ? line : "");
    if (s.stop) {
        s.stop = false;
        s.changed.notify_all();
        return ZR_CT_STOPPED;
    }
    s.running = index;
    s.changed.notify_all();
    ScriptedConverter::Task task;
    if (size_t(index) < s.script.size())
        task = s.script[size_t(index)];
    else
        s.released = std::max(s.released, index + 1);
    ZRCtProgressCallback cb = s.callback;
    void* ctx = s.context;
    lock.unlock();
    for (double sec : task.seconds)
        cb(ctx, sec, 0);
    lock.lock();
    s.changed.wait(lock, [&] { return s.stop || s.released > index; });
    s.running = -1;
    s.changed.notify_all();
    if (s.stop) {
        s.stop = false;
        return ZR_CT_STOPPED;
    }
    s.lastError = task.result == ZR_CT_FAILED ? task.error : std::string();
    s.lastDamage = task.result == ZR_CT_DONE ? task.damage : std::string();
    lock.unlock();
    const auto* target = static_cast<const ProgressTarget*>(ctx);
    if (task.result == ZR_CT_DONE)
        cb(ctx, task.end >= 0 || !target ? task.end : target->durationSeconds, 1);
    return task.result;
}

const char* FakeGetLastError(void*)
{
    return S().lastError.c_str();
}

const char* FakeGetSourceDamage(void*)
{
    return S().lastDamage.c_str();
}

void FakeStop(void*)
{
    std::lock_guard<std::mutex> lock(S().mutex);
    S().stop = true;
    S().changed.notify_all();
}

void FakeTogglePause(void*)
{
    std::lock_guard<std::mutex> lock(S().mutex);
    ++S().pauseToggles;
}

void FakeSetProgressCallback(void*, ZRCtProgressCallback cb)
{
    std::lock_guard<std::mutex> lock(S().mutex);
    S().callback = cb;
}

void FakeSetTaskContext(void*, void* ctx)
{
    std::lock_guard<std::mutex> lock(S().mutex);
    S().context = ctx;
}

ConverterInstance* FakeCreate()
{
    auto* t = static_cast<ConverterInstance*>(std::calloc(1, sizeof(ConverterInstance)));
    t->Run = FakeRun;
    t->Stop = FakeStop;
    t->TogglePause = FakeTogglePause;
    t->SetProgressCallback = FakeSetProgressCallback;
    t->SetTaskContext = FakeSetTaskContext;
    t->GetLastError = FakeGetLastError;
    t->GetSourceDamage = FakeGetSourceDamage;
    return t;
}

void FakeFree(ConverterInstance* t) { std::free(t); }

ConverterService* FakeService()
{
    auto* s = static_cast<ConverterService*>(std::calloc(1, sizeof(ConverterService)));
    s->CreateInstance = FakeCreate;
    s->FreeInstance = FakeFree;
    return s;
}

void FreeFakeService(ConverterService* s) { std::free(s); }

ServiceExports Exports(bool scripted)
{
    ServiceExports e = mvtest::NoServices();
    e.createPyService = ZRCreatePyService;
    e.freePyService = ZRFreePyService;
    e.createCtService = scripted ? FakeService : ZRCreateCtService;
    e.freeCtService = scripted ? FreeFakeService : ZRFreeCtService;
    return e;
}

bool g_scripted = false;

}  // namespace

void ScriptedConverter::Release(int count)
{
    std::lock_guard<std::mutex> lock(mutex);
    released += count;
    changed.notify_all();
}

bool ScriptedConverter::WaitRunning(int index, int ms)
{
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return running == index; });
}

bool ScriptedConverter::WaitLines(size_t count, int ms)
{
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return lines.size() >= count; });
}

void InstallRealServices()
{
    g_scripted = false;
    AppServices::Create(Exports(false));
}

void InstallScriptedConverter(ScriptedConverter& converter)
{
    ScriptedConverter::current = &converter;
    g_scripted = true;
    AppServices::Create(Exports(true));
}

void UninstallServices()
{
    AppServices::Free(Exports(g_scripted));
    ScriptedConverter::current = nullptr;
}

}  // namespace mvtest
