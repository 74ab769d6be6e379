// The exported drive table.
#include "ZR_Dvd.h"

#include "CBlocks.h"

#include <cstdlib>

namespace {

char* GetVolumeLabel(const char*)
{
    return CBlocks::Text("");
}

char** ListOpticalDrivesWithLabels(int* count)
{
    return CBlocks::List({}, count);
}

char** ListOpticalDrives(int* count)
{
    return CBlocks::List({}, count);
}

}  // namespace

extern "C" {

DriverService* ZRCreateDriverService(void)
{
    DriverService* service = static_cast<DriverService*>(std::malloc(sizeof(DriverService)));
    if (!service)
        return nullptr;
    service->GetVolumeLabel = GetVolumeLabel;
    service->ListOpticalDrivesWithLabels = ListOpticalDrivesWithLabels;
    service->ListOpticalDrives = ListOpticalDrives;
    return service;
}

void ZRFreeDriverService(DriverService* service)
{
    std::free(service);
}

}  // extern "C"
