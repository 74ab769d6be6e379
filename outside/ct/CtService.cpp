// The exported tables of ZR_Ct; each slot forwards to the Converter behind the handle.
#include "Converter.h"
#include "ZR_Ct.h"

#include <cstdlib>
#include <new>

namespace {

Converter* Of(void* handle) { return static_cast<Converter*>(handle); }

int CtRun(void* h, const char* commandLine) { return h ? Of(h)->Run(commandLine) : ZR_CT_FAILED; }
void CtStop(void* h) { if (h) Of(h)->Stop(); }
void CtTogglePause(void* h) { if (h) Of(h)->TogglePause(); }
void CtSetProgressCallback(void* h, ZRCtProgressCallback cb) { if (h) Of(h)->SetProgressCallback(cb); }
void CtSetTaskContext(void* h, void* context) { if (h) Of(h)->SetTaskContext(context); }
const char* CtGetLastError(void* h) { return h ? Of(h)->LastError().c_str() : ""; }
const char* CtGetSourceDamage(void* h) { return h ? Of(h)->SourceDamageReport().c_str() : ""; }

ConverterInstance* CtCreateInstance()
{
    auto* table = static_cast<ConverterInstance*>(std::calloc(1, sizeof(ConverterInstance)));
    if (!table)
        return nullptr;
    table->handle = new (std::nothrow) Converter();
    table->Run = CtRun;
    table->Stop = CtStop;
    table->TogglePause = CtTogglePause;
    table->SetProgressCallback = CtSetProgressCallback;
    table->SetTaskContext = CtSetTaskContext;
    table->GetLastError = CtGetLastError;
    table->GetSourceDamage = CtGetSourceDamage;
    return table;
}

void CtFreeInstance(ConverterInstance* table)
{
    if (!table)
        return;
    delete Of(table->handle);
    std::free(table);
}

}  // namespace

extern "C" ZR_CT_API ConverterService* ZRCreateCtService(void)
{
    auto* service = static_cast<ConverterService*>(std::calloc(1, sizeof(ConverterService)));
    if (!service)
        return nullptr;
    service->CreateInstance = CtCreateInstance;
    service->FreeInstance = CtFreeInstance;
    return service;
}

extern "C" ZR_CT_API void ZRFreeCtService(ConverterService* service)
{
    std::free(service);
}
