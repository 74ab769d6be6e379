// The service tables bound at start-up: drive, disc and image services, and
// the player and converter services with the one instance each creates. They
// stay valid until shut-down; jobs reach the two instances here.
#pragma once

struct DriverService;
struct DvdService;
struct ImageService;
struct PlayerService;
struct PlayerInstance;
struct ConverterService;
struct ConverterInstance;

// The create and free exports of the service libraries.
struct ServiceExports {
    DriverService* (*createDriverService)();
    void (*freeDriverService)(DriverService*);
    DvdService* (*createDvdService)();
    void (*freeDvdService)(DvdService*);
    ImageService* (*createImageService)();
    void (*freeImageService)(ImageService*);
    PlayerService* (*createPyService)();
    void (*freePyService)(PlayerService*);
    ConverterService* (*createCtService)();
    void (*freeCtService)(ConverterService*);
};

class AppServices {
public:
    virtual ~AppServices() = default;

    // Creates in this order: drive, disc, image, player service and its
    // instance, converter service and its instance. A service that gives no
    // table leaves its pointer (and its instance) null. The drive table is
    // also bound to the drive wrappers (PvDriverDomain).
    static void Create(const ServiceExports& exports);
    // Frees in the order of creation, each instance before its service, and
    // clears every pointer (the drive wrappers' first). Null pointers are skipped.
    static void Free(const ServiceExports& exports);

    static DriverService* Driver();
    static DvdService* Dvd();
    static ImageService* Image();
    static PlayerService* PlayerTable();
    static PlayerInstance* Player();        // null before start-up or when unavailable
    static ConverterService* ConverterTable();
    static ConverterInstance* Converter();  // null before start-up or when unavailable
};
