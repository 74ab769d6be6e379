// The converter's no-overwrite move of a finished temporary file, both the
// rename and the hard-link way used where the filesystem has no such rename.
#include "Converter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace mvtest;

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

using Move = bool (*)(const std::string&, const std::string&);

class CtMoveTest : public ::testing::TestWithParam<Move> {};

TEST_P(CtMoveTest, MovesOntoAFreeName)
{
    TempDir dir;
    WriteFile(dir / "temp.avi", "converted");
    ASSERT_TRUE(GetParam()(dir / "temp.avi", dir / "out.avi"));
    EXPECT_EQ(ReadFile(dir / "out.avi"), "converted");
    EXPECT_FALSE(Exists(dir / "temp.avi"));
}

TEST_P(CtMoveTest, NeverOverwritesAFileThatAppeared)
{
    TempDir dir;
    WriteFile(dir / "temp.avi", "converted");
    WriteFile(dir / "out.avi", "the user's");
    EXPECT_FALSE(GetParam()(dir / "temp.avi", dir / "out.avi"));
    EXPECT_EQ(ReadFile(dir / "out.avi"), "the user's");
    EXPECT_EQ(ReadFile(dir / "temp.avi"), "converted");
}

INSTANTIATE_TEST_SUITE_P(Ways, CtMoveTest,
                         ::testing::Values(&Converter::MoveNoReplace, &Converter::LinkNoReplace));

}  // namespace
