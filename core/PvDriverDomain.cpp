#include "PvDriverDomain.h"

#include "FileUtil.h"
#include "ZR_Dvd.h"

#include <atomic>
#include <cstdlib>

namespace {

std::atomic<const DriverService*> boundService{nullptr};

// Calls one list slot; a missing table or slot gives no drives.
char** CallList(char** (*const DriverService::*slot)(int*), int* count)
{
    int local = 0;
    int* out = count ? count : &local;
    *out = 0;
    const DriverService* service = boundService.load();
    if (!service || !(service->*slot))
        return nullptr;
    char** list = (service->*slot)(out);
    if (!list)
        *out = 0;
    return list;
}

}  // namespace

void PvDriverDomain::SetDriverService(const DriverService* service)
{
    boundService.store(service);
}

const DriverService* PvDriverDomain::GetDriverService()
{
    return boundService.load();
}

wxString PvDriverDomain::GetVolumeLabel(const wxString& root)
{
    const DriverService* service = boundService.load();
    if (!service || !service->GetVolumeLabel)
        return wxString();
    char* label = service->GetVolumeLabel(FileUtil::ToNative(root).c_str());
    wxString text = FileUtil::FromNative(label);
    std::free(label);
    return text;
}

char** PvDriverDomain::ListOpticalDrivesWithLabels(int* count)
{
    return CallList(&DriverService::ListOpticalDrivesWithLabels, count);
}

char** PvDriverDomain::ListOpticalDrives(int* count)
{
    return CallList(&DriverService::ListOpticalDrives, count);
}
