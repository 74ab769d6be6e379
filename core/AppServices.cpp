#include "AppServices.h"

#include "PvDriverDomain.h"
#include "ZR_Ct.h"
#include "ZR_Py.h"

#include <atomic>

namespace {

// Written on the GUI thread, read by the job threads.
std::atomic<DriverService*> g_driver{nullptr};
std::atomic<DvdService*> g_dvd{nullptr};
std::atomic<ImageService*> g_image{nullptr};
std::atomic<PlayerService*> g_playerService{nullptr};
std::atomic<PlayerInstance*> g_player{nullptr};
std::atomic<ConverterService*> g_converterService{nullptr};
std::atomic<ConverterInstance*> g_converter{nullptr};

}  // namespace

void AppServices::Create(const ServiceExports& exports)
{
    g_driver = exports.createDriverService();
    PvDriverDomain::SetDriverService(g_driver);
    g_dvd = exports.createDvdService();
    g_image = exports.createImageService();

    PlayerService* player = exports.createPyService();
    g_playerService = player;
    g_player = (player && player->CreateInstance) ? player->CreateInstance() : nullptr;

    ConverterService* converter = exports.createCtService();
    g_converterService = converter;
    g_converter = (converter && converter->CreateInstance) ? converter->CreateInstance() : nullptr;
}

void AppServices::Free(const ServiceExports& exports)
{
    PvDriverDomain::SetDriverService(nullptr);
    if (DriverService* driver = g_driver.exchange(nullptr))
        exports.freeDriverService(driver);
    if (DvdService* dvd = g_dvd.exchange(nullptr))
        exports.freeDvdService(dvd);
    if (ImageService* image = g_image.exchange(nullptr))
        exports.freeImageService(image);

    PlayerService* playerService = g_playerService.exchange(nullptr);
    if (PlayerInstance* player = g_player.exchange(nullptr); player && playerService)
        playerService->FreeInstance(player);
    if (playerService)
        exports.freePyService(playerService);

    ConverterService* converterService = g_converterService.exchange(nullptr);
    if (ConverterInstance* converter = g_converter.exchange(nullptr); converter && converterService)
        converterService->FreeInstance(converter);
    if (converterService)
        exports.freeCtService(converterService);
}

DriverService* AppServices::Driver() { return g_driver; }
DvdService* AppServices::Dvd() { return g_dvd; }
ImageService* AppServices::Image() { return g_image; }
PlayerService* AppServices::PlayerTable() { return g_playerService; }
PlayerInstance* AppServices::Player() { return g_player; }
ConverterService* AppServices::ConverterTable() { return g_converterService; }
ConverterInstance* AppServices::Converter() { return g_converter; }
