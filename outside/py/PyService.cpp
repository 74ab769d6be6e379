// The exported tables of ZR_Py; each instance slot forwards to the Player
// behind the handle, the two probing slots to MediaProbe.
#include "MediaProbe.h"
#include "Player.h"
#include "ZR_Py.h"

#include <cstdlib>
#include <new>

namespace {

Player* Of(void* handle) { return static_cast<Player*>(handle); }

void PyReset(void* h) { if (h) Of(h)->Reset(); }
int PyPlay(void* h, const char* args, int) { return h ? Of(h)->Play(args) : ZR_PY_FAILED; }
void PyStop(void* h) { if (h) Of(h)->Stop(); }
void PyTogglePause(void* h) { if (h) Of(h)->TogglePause(); }
void PySetPositionCallback(void* h, ZRPyPositionCallback cb, void* ctx) { if (h) Of(h)->SetPositionCallback(cb, ctx); }
void PySetFrameCallback(void* h, ZRPyFrameCallback cb, void* ctx) { if (h) Of(h)->SetFrameCallback(cb, ctx); }
void PySeek(void* h, int seconds, int) { if (h) Of(h)->Seek(seconds); }
void PySetVolume(void* h, int value, int maximum) { if (h) Of(h)->SetVolume(value, maximum); }
int PyCanOpen(const char* path) { return path && MediaProbe::CanOpen(path) ? 1 : 0; }
void* PyGetMediaInfo(const char* path) { return path ? MediaProbe::GetMediaInfo(path) : nullptr; }

PlayerInstance* PyCreateInstance()
{
    auto* table = static_cast<PlayerInstance*>(std::calloc(1, sizeof(PlayerInstance)));
    if (!table)
        return nullptr;
    table->handle = new (std::nothrow) Player();
    table->Reset = PyReset;
    table->Play = PyPlay;
    table->Stop = PyStop;
    table->TogglePause = PyTogglePause;
    table->SetPositionCallback = PySetPositionCallback;
    table->SetFrameCallback = PySetFrameCallback;
    table->Seek = PySeek;
    table->SetVolume = PySetVolume;
    table->CanOpen = PyCanOpen;
    table->GetMediaInfo = PyGetMediaInfo;
    return table;
}

void PyFreeInstance(PlayerInstance* table)
{
    if (!table)
        return;
    delete Of(table->handle);
    std::free(table);
}

}  // namespace

extern "C" ZR_PY_API PlayerService* ZRCreatePyService(void)
{
    auto* service = static_cast<PlayerService*>(std::calloc(1, sizeof(PlayerService)));
    if (!service)
        return nullptr;
    service->CreateInstance = PyCreateInstance;
    service->FreeInstance = PyFreeInstance;
    return service;
}

extern "C" ZR_PY_API void ZRFreePyService(PlayerService* service)
{
    std::free(service);
}
