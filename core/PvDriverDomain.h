// The program's side of the optical-drive table of ZR_Dvd.
#pragma once

#include <wx/string.h>

struct DriverService;

class PvDriverDomain {
public:
    virtual ~PvDriverDomain() = default;

    // The table the wrappers call, bound at start-up and cleared before it is
    // freed. Without one every wrapper answers "nothing".
    static void SetDriverService(const DriverService* service);
    static const DriverService* GetDriverService();

    // The volume label of a drive root; empty when it cannot be read.
    static wxString GetVolumeLabel(const wxString& root);
    // The table's lists, unchanged: one malloc text per drive in a calloc
    // array, freed by the caller (each element, then the array, with free).
    // Null with a count of 0 when there is no drive.
    static char** ListOpticalDrivesWithLabels(int* count);
    static char** ListOpticalDrives(int* count);
};
