#include "PvDriverDomain.h"

#include "ZR_Dvd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A stand-in drive table: two drives, a label only on the second.
std::string lastRoot;

char* Text(const char* s)
{
    char* copy = static_cast<char*>(std::calloc(std::strlen(s) + 1, 1));
    std::strcpy(copy, s);
    return copy;
}

char* FakeLabel(const char* root)
{
    lastRoot = root;
    return Text(lastRoot == "/media/dvd 2/" ? "Filme \xc3\x9c" "ber" : "");
}

char** FakeList(int* count, bool withLabels)
{
    const char* roots[] = {"/dev/sr0", "/media/dvd 2/"};
    *count = 2;
    auto** list = static_cast<char**>(std::calloc(2, sizeof(char*)));
    for (int i = 0; i < 2; ++i) {
        std::string text = roots[i];
        if (withLabels) {
            char* label = FakeLabel(roots[i]);
            text += label;
            std::free(label);
        }
        list[i] = Text(text.c_str());
    }
    return list;
}

char** FakeWithLabels(int* count) { return FakeList(count, true); }
char** FakeDrives(int* count) { return FakeList(count, false); }
char** NoDrives(int* count)
{
    *count = 0;
    return nullptr;
}

std::vector<std::string> Take(char** list, int count)
{
    std::vector<std::string> out;
    for (int i = 0; list && i < count; ++i) {
        out.push_back(list[i]);
        std::free(list[i]);
    }
    std::free(list);
    return out;
}

class DriverDomain : public testing::Test {
protected:
    void TearDown() override { PvDriverDomain::SetDriverService(nullptr); }
};

}  // namespace

TEST_F(DriverDomain, WrappersPassThroughTheBoundTable)
{
    const DriverService table{FakeLabel, FakeWithLabels, FakeDrives};
    PvDriverDomain::SetDriverService(&table);
    EXPECT_EQ(PvDriverDomain::GetDriverService(), &table);

    EXPECT_EQ(PvDriverDomain::GetVolumeLabel("/media/dvd 2/"), wxString::FromUTF8("Filme Über"));
    EXPECT_EQ(lastRoot, "/media/dvd 2/");
    EXPECT_EQ(PvDriverDomain::GetVolumeLabel("/dev/sr0"), "");

    int count = -1;
    char** list = PvDriverDomain::ListOpticalDrivesWithLabels(&count);
    EXPECT_EQ(Take(list, count),
              (std::vector<std::string>{"/dev/sr0", "/media/dvd 2/Filme \xc3\x9c" "ber"}));
    count = -1;
    list = PvDriverDomain::ListOpticalDrives(&count);
    EXPECT_EQ(Take(list, count), (std::vector<std::string>{"/dev/sr0", "/media/dvd 2/"}));
}

TEST_F(DriverDomain, NoTableOrNoDrivesGivesNothing)
{
    {
        int count = -1;
        EXPECT_EQ(PvDriverDomain::ListOpticalDrives(&count), nullptr);
        EXPECT_EQ(count, 0);
        EXPECT_EQ(PvDriverDomain::ListOpticalDrivesWithLabels(nullptr), nullptr);
        EXPECT_EQ(PvDriverDomain::GetVolumeLabel("/dev/sr0"), "");
    }
    const DriverService empty{nullptr, NoDrives, nullptr};
    PvDriverDomain::SetDriverService(&empty);
    int count = -1;
    EXPECT_EQ(PvDriverDomain::ListOpticalDrivesWithLabels(&count), nullptr);
    EXPECT_EQ(count, 0);
    count = -1;
    EXPECT_EQ(PvDriverDomain::ListOpticalDrives(&count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(PvDriverDomain::GetVolumeLabel("/dev/sr0"), "");
}
