// Service exports that create nothing: tests start from these and fill in
// the services they need (the real player, a scripted converter, ...).
#pragma once

#include "AppServices.h"

namespace mvtest {

template <typename T>
T* CreateNone()
{
    return nullptr;
}

template <typename T>
void FreeNone(T*)
{
}

inline ServiceExports NoServices()
{
    ServiceExports e;
    e.createDriverService = CreateNone<DriverService>;
    e.freeDriverService = FreeNone<DriverService>;
    e.createDvdService = CreateNone<DvdService>;
    e.freeDvdService = FreeNone<DvdService>;
    e.createImageService = CreateNone<ImageService>;
    e.freeImageService = FreeNone<ImageService>;
    e.createPyService = CreateNone<PlayerService>;
    e.freePyService = FreeNone<PlayerService>;
    e.createCtService = CreateNone<ConverterService>;
    e.freeCtService = FreeNone<ConverterService>;
    return e;
}

}  // namespace mvtest
