// The drive service over a fake sys/ and proc/ tree, labels read from ISO
// images made with genisoimage.
#include "ZR_Dvd.h"

#include "DvdTestUtil.h"
#include "OpticalDrives.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <tuple>

namespace fs = std::filesystem;

namespace {

const std::string kLabel = "My Movie \xC3\x84hre";  // blanks and a non-ASCII letter

void Put(const std::string& path, const std::string& text)
{
    fs::create_directories(fs::path(path).parent_path());
    mvtest::WriteFile(path, text);
}

bool MakeIso(const std::string& path, const std::string& label, const std::string& work)
{
    fs::create_directories(work + "/content");
    fs::create_directories(fs::path(path).parent_path());
    mvtest::WriteFile(work + "/content/readme.txt", "disc\n");
    const auto r = mvtest::Run({"genisoimage", "-quiet", "-input-charset", "utf-8", "-J", "-V",
                                label, "-o", path, work + "/content"});
    return r.status == 0;
}

class DriveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!mvtest::HaveProgram("genisoimage"))
            GTEST_SKIP() << "genisoimage is not installed";
        sys_ = dir_ / "root";
        // Three optical drives (sr10 sorts last), a hard disk and a loop device.
        for (const auto& [name, type, number] :
             {std::tuple{"sr0", "5", "11:0"}, {"sr10", "5\n", "11:10"}, {"sr1", "5", "11:1"},
              {"sda", "0", "8:0"}}) {
            Put(sys_ + "/sys/block/" + name + "/device/type", std::string(type) + "\n");
            Put(sys_ + "/sys/block/" + name + "/dev", std::string(number) + "\n");
        }
        fs::create_directories(sys_ + "/sys/block/loop0");
        // sr0 holds a labelled disc and is mounted on a path with a blank;
        // sr1 holds no disc; sr10's device node is missing.
        ASSERT_TRUE(MakeIso(sys_ + "/dev/sr0", kLabel, dir_ / "iso"));
        Put(sys_ + "/dev/sr1", "");
        Put(sys_ + "/dev/sda", std::string(4096, '\0'));
        Put(sys_ + "/proc/self/mountinfo",
            "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
            "36 22 11:0 / /media/My\\040Movie ro,nosuid shared:20 - iso9660 /dev/sr0 ro\n"
            "37 22 0:5 / /dev rw - devtmpfs udev rw\n");
    }

    mvtest::TempDir dir_;
    std::string sys_;
};

TEST_F(DriveTest, ListsOpticalDrivesWithMountPointsOrDeviceNodes)
{
    const OpticalDrives drives(sys_ + "/");
    EXPECT_EQ(drives.Roots(), (std::vector<std::string>{"/media/My Movie/", sys_ + "/dev/sr1",
                                                        sys_ + "/dev/sr10"}));
    EXPECT_EQ(drives.RootsWithLabels(),
              (std::vector<std::string>{"/media/My Movie/" + kLabel, sys_ + "/dev/sr1",
                                        sys_ + "/dev/sr10"}));
    EXPECT_TRUE(OpticalDrives(dir_ / "nothing").Roots().empty());
}

TEST_F(DriveTest, LabelsOfRootsDevicesAndImages)
{
    const OpticalDrives drives(sys_);
    struct Case {
        std::string root, label;
    } cases[] = {
        {"/media/My Movie/", kLabel},
        {"/media/My Movie", kLabel},
        {sys_ + "/dev/sr0", kLabel},
        {sys_ + "/dev/sr1", ""},   // no disc
        {sys_ + "/dev/sr10", ""},  // no device
        {sys_ + "/dev/sda", ""},   // no file system
        {dir_.path(), ""},         // a folder
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(drives.Label(c.root), c.label) << c.root;

    ASSERT_TRUE(MakeIso(dir_ / "plain.iso", "MOVIE", dir_ / "plain"));
    EXPECT_EQ(OpticalDrives::DeviceLabel(dir_ / "plain.iso"), "MOVIE");
    const std::string unreadable = dir_ / "locked.iso";
    fs::copy_file(dir_ / "plain.iso", unreadable);
    fs::permissions(unreadable, fs::perms::none);
    if (geteuid() != 0) {
        EXPECT_EQ(OpticalDrives::DeviceLabel(unreadable), "");
    }
}

TEST_F(DriveTest, TableSlotsOverTheSystemRoot)
{
    setenv("MEROVANT_SYSTEM_ROOT", sys_.c_str(), 1);
    DriverService* service = ZRCreateDriverService();
    ASSERT_NE(service, nullptr);
    int count = -1;
    char** labelled = service->ListOpticalDrivesWithLabels(&count);
    EXPECT_EQ(dvdtest::TakeList(labelled, count),
              (std::vector<std::string>{"/media/My Movie/" + kLabel, sys_ + "/dev/sr1",
                                        sys_ + "/dev/sr10"}));
    char** roots = service->ListOpticalDrives(&count);
    EXPECT_EQ(count, 3);
    dvdtest::TakeList(roots, count);
    EXPECT_EQ(dvdtest::TakeText(service->GetVolumeLabel("/media/My Movie/")), kLabel);
    EXPECT_EQ(dvdtest::TakeText(service->GetVolumeLabel((sys_ + "/dev/sr1").c_str())), "");

    // A system without optical drives: a count of 0 and no list.
    fs::remove_all(sys_ + "/sys/block/sr0");
    fs::remove_all(sys_ + "/sys/block/sr1");
    fs::remove_all(sys_ + "/sys/block/sr10");
    count = -1;
    EXPECT_EQ(service->ListOpticalDrives(&count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(service->ListOpticalDrivesWithLabels(&count), nullptr);
    EXPECT_EQ(count, 0);
    ZRFreeDriverService(service);
    unsetenv("MEROVANT_SYSTEM_ROOT");
}

TEST(DriveMountField, OctalEscapesAreDecoded)
{
    struct Case {
        const char* field;
        const char* text;
    } cases[] = {
        {"/media/My\\040Movie", "/media/My Movie"}, {"a\\011b", "a\tb"}, {"back\\134slash", "back\\slash"},
        {"cut\\04", "cut\\04"}, {"not\\999", "not\\999"}, {"\\303\\204", "\xC3\x84"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OpticalDrives::DecodeMountField(c.field), c.text) << c.field;
}

TEST(DriverService, TableAnswersOnThisSystem)
{
    unsetenv("MEROVANT_SYSTEM_ROOT");
    DriverService* service = ZRCreateDriverService();
    ASSERT_NE(service, nullptr);
    int count = -1;
    char** roots = service->ListOpticalDrives(&count);
    EXPECT_EQ(roots == nullptr, count == 0);
    for (const std::string& root : dvdtest::TakeList(roots, count))
        EXPECT_FALSE(root.empty());
    char** labelled = service->ListOpticalDrivesWithLabels(&count);
    EXPECT_EQ(labelled == nullptr, count == 0);
    dvdtest::TakeList(labelled, count);
    EXPECT_EQ(service->ListOpticalDrives(nullptr), nullptr);
    EXPECT_EQ(dvdtest::TakeText(service->GetVolumeLabel(nullptr)), "");
    EXPECT_EQ(dvdtest::TakeText(service->GetVolumeLabel("/no/such/drive/")), "");
    ZRFreeDriverService(service);
}

}  // namespace
