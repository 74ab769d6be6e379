#include "ZR_Tool.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const char* text, const char* separator, int* countOut = nullptr)
{
    int count = -1;
    char** pieces = ZRSplit(text, separator, &count);
    if (countOut)
        *countOut = count;
    std::vector<std::string> out;
    if (pieces) {
        for (int i = 0; i < count; ++i) {
            out.emplace_back(pieces[i]);
            ZRCallStdFree(pieces[i]);
        }
        EXPECT_EQ(pieces[count], nullptr);
        ZRCallStdFree(pieces);
    }
    return out;
}

TEST(ZRTool, CharArrayToIntReadsBigEndianUnsigned)
{
    const char bytes[] = {'\x12', '\x34', '\xFE', '\xDC'};
    struct Case {
        int n;
        int expected;
    } cases[] = {{1, 0x12}, {2, 0x1234}, {4, 0x1234FEDC}, {0, 0}, {5, 0}, {-1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ZRCharArrayToInt(bytes, c.n), c.expected) << c.n;
    const char high[] = {'\xFF', '\xFF'};
    EXPECT_EQ(ZRCharArrayToInt(high, 2), 0xFFFF);
    EXPECT_EQ(ZRCharArrayToInt(nullptr, 2), 0);
}

TEST(ZRTool, SplitKeepsEmptyPiecesSoOffsetsAddUp)
{
    const std::string text = "a/VTS_01_1.VOB||b|";
    int count = 0;
    const auto pieces = Split(text.c_str(), "|", &count);
    ASSERT_EQ(pieces, (std::vector<std::string>{"a/VTS_01_1.VOB", "", "b", ""}));
    size_t offset = 0;
    for (const std::string& piece : pieces) {
        EXPECT_EQ(text.compare(offset, piece.size(), piece), 0);
        offset += piece.size() + 1;
    }
    EXPECT_EQ(Split("one", "|"), std::vector<std::string>{"one"});
    EXPECT_TRUE(Split("", "|", &count).empty());
    EXPECT_EQ(count, 0);
    EXPECT_EQ(ZRSplit(nullptr, "|", &count), nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(ZRSplit("a|b", "", &count), nullptr);
}

TEST(ZRTool, FilesFoldersAndSizes)
{
    mvtest::TempDir dir;
    const std::string file = dir / "f.bin";
    mvtest::WriteFile(file, "12345");
    std::filesystem::create_directory(dir / "folder");
    EXPECT_NE(ZRIsFileExists(file.c_str()), 0);
    EXPECT_EQ(ZRIsFileExists((dir / "folder").c_str()), 0);
    EXPECT_EQ(ZRIsFileExists((dir / "missing").c_str()), 0);
    EXPECT_EQ(ZRIsFileExists(""), 0);
    EXPECT_EQ(ZRIsFileExists(nullptr), 0);
    EXPECT_EQ(ZRGetFileSize(file.c_str()), 5);
    EXPECT_EQ(ZRGetFileSize((dir / "folder").c_str()), 0);
    EXPECT_EQ(ZRGetFileSize((dir / "missing").c_str()), 0);

    // Sizes past 4 GiB come through whole (sparse file, no disk used).
    const std::string big = dir / "big.vob";
    { mvtest::WriteFile(big, ""); }
    std::filesystem::resize_file(big, 5ull * 1024 * 1024 * 1024 + 7);
    EXPECT_EQ(ZRGetFileSize(big.c_str()), 5ll * 1024 * 1024 * 1024 + 7);
}

TEST(ZRTool, LocalCurrentTimeIsFormattedAndBounded)
{
    char* now = ZRGetLocalCurrentTime("%Y%m%d%H%M%S", 16);
    ASSERT_NE(now, nullptr);
    const std::string text(now);
    std::free(now);
    ASSERT_EQ(text.size(), 14u);
    for (char c : text)
        EXPECT_TRUE(c >= '0' && c <= '9') << text;
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    EXPECT_EQ(std::stoi(text.substr(0, 4)), local.tm_year + 1900);

    char* small = ZRGetLocalCurrentTime("%Y%m%d%H%M%S", 4);
    ASSERT_NE(small, nullptr);
    EXPECT_LT(std::string(small).size(), 4u);
    std::free(small);
    EXPECT_EQ(ZRGetLocalCurrentTime("%Y", 0), nullptr);
    EXPECT_EQ(ZRGetLocalCurrentTime(nullptr, 16), nullptr);
}

}  // namespace
