// The exported drive table, over the running system's drives.
#include "ZR_Dvd.h"

#include "CBlocks.h"
#include "OpticalDrives.h"

#include <cstdlib>

namespace {

char* GetVolumeLabel(const char* root)
{
    return CBlocks::Text(root ? OpticalDrives().Label(root) : std::string());
}

char** ListOpticalDrivesWithLabels(int* count)
{
    return count ? CBlocks::List(OpticalDrives().RootsWithLabels(), count) : nullptr;
}

char** ListOpticalDrives(int* count)
{
    return count ? CBlocks::List(OpticalDrives().Roots(), count) : nullptr;
}

}  // namespace

extern "C" {

DriverService* ZRCreateDriverService(void)
{
    auto* service = static_cast<DriverService*>(std::malloc(sizeof(DriverService)));
    if (!service)
        return nullptr;
    *service = DriverService{GetVolumeLabel, ListOpticalDrivesWithLabels, ListOpticalDrives};
    return service;
}

void ZRFreeDriverService(DriverService* service)
{
    std::free(service);
}

}  // extern "C"
