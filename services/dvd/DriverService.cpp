// The exported drive table, over the running system's drives. Tests point it
// at a fake system tree through MEROVANT_SYSTEM_ROOT.
#include "ZR_Dvd.h"

#include "CBlocks.h"
#include "OpticalDrives.h"

#include <cstdlib>

namespace {

OpticalDrives System()
{
    const char* root = std::getenv("MEROVANT_SYSTEM_ROOT");
    return OpticalDrives(root && *root ? root : "/");
}

char* GetVolumeLabel(const char* root)
{
    return CBlocks::Text(root ? System().Label(root) : std::string());
}

char** ListOpticalDrivesWithLabels(int* count)
{
    return count ? CBlocks::List(System().RootsWithLabels(), count) : nullptr;
}

char** ListOpticalDrives(int* count)
{
    return count ? CBlocks::List(System().Roots(), count) : nullptr;
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
