// Service binding: creation and release order, and services that give no table.
#include "AppServices.h"
#include "PvDriverDomain.h"
#include "ZR_Ct.h"
#include "ZR_Dvd.h"
#include "ZR_Image.h"
#include "ZR_Py.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;
bool g_playerMissing = false;

// Tables of the right shape; only their identity matters here.
DriverService g_driver;
DvdService g_dvd;
ImageService g_image;
PlayerInstance g_playerInstance;
ConverterInstance g_converterInstance;

PlayerInstance* CreatePlayer() { g_calls.push_back("create player instance"); return &g_playerInstance; }
void FreePlayer(PlayerInstance* p) { g_calls.push_back(p == &g_playerInstance ? "free player instance" : "free ?"); }
ConverterInstance* CreateConverter() { g_calls.push_back("create converter instance"); return &g_converterInstance; }
void FreeConverter(ConverterInstance* c) { g_calls.push_back(c == &g_converterInstance ? "free converter instance" : "free ?"); }

PlayerService g_playerService{CreatePlayer, FreePlayer};
ConverterService g_converterService{CreateConverter, FreeConverter};

const ServiceExports kRecorder = {
    [] { g_calls.push_back("create drive"); return &g_driver; },
    [](DriverService* s) { g_calls.push_back(s == &g_driver ? "free drive" : "free ?"); },
    [] { g_calls.push_back("create disc"); return &g_dvd; },
    [](DvdService* s) { g_calls.push_back(s == &g_dvd ? "free disc" : "free ?"); },
    [] { g_calls.push_back("create image"); return &g_image; },
    [](ImageService* s) { g_calls.push_back(s == &g_image ? "free image" : "free ?"); },
    []() -> PlayerService* {
        g_calls.push_back("create player service");
        return g_playerMissing ? nullptr : &g_playerService;
    },
    [](PlayerService* s) { g_calls.push_back(s == &g_playerService ? "free player service" : "free ?"); },
    [] { g_calls.push_back("create converter service"); return &g_converterService; },
    [](ConverterService* s) { g_calls.push_back(s == &g_converterService ? "free converter service" : "free ?"); },
};

class ServicesTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_calls.clear();
        g_playerMissing = false;
    }
};

TEST_F(ServicesTest, CreatedInOrderAndFreedInCreationOrderInstanceFirst)
{
    AppServices::Create(kRecorder);
    EXPECT_EQ(AppServices::Driver(), &g_driver);
    EXPECT_EQ(AppServices::Dvd(), &g_dvd);
    EXPECT_EQ(AppServices::Image(), &g_image);
    EXPECT_EQ(AppServices::Player(), &g_playerInstance);
    EXPECT_EQ(AppServices::Converter(), &g_converterInstance);
    EXPECT_EQ(PvDriverDomain::GetDriverService(), &g_driver) << "the drive wrappers use the table";
    AppServices::Free(kRecorder);
    EXPECT_EQ(PvDriverDomain::GetDriverService(), nullptr);
    EXPECT_EQ(g_calls, (std::vector<std::string>{
                           "create drive", "create disc", "create image", "create player service",
                           "create player instance", "create converter service",
                           "create converter instance",
                           "free drive", "free disc", "free image", "free player instance",
                           "free player service", "free converter instance",
                           "free converter service"}));
    EXPECT_EQ(AppServices::Player(), nullptr);
    EXPECT_EQ(AppServices::Converter(), nullptr);
    EXPECT_EQ(AppServices::Driver(), nullptr);
}

TEST_F(ServicesTest, MissingTableIsSkippedNotCalled)
{
    g_playerMissing = true;
    AppServices::Create(kRecorder);
    EXPECT_EQ(AppServices::Player(), nullptr);
    EXPECT_EQ(AppServices::Converter(), &g_converterInstance);
    AppServices::Free(kRecorder);
    EXPECT_EQ(g_calls, (std::vector<std::string>{
                           "create drive", "create disc", "create image", "create player service",
                           "create converter service", "create converter instance",
                           "free drive", "free disc", "free image", "free converter instance",
                           "free converter service"}));
}

}  // namespace
