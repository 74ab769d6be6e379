// The program's assert handler: a toolkit assert is written to today's log
// file and to standard error, and the program goes on.
#include "AssertLog.h"
#include "FileUtil.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/debug.h>
#include <wx/init.h>

#include <cstdlib>
#include <string>

namespace {

TEST(AssertLogTest, AnAssertIsLoggedWithItsPlaceAndTheProgramGoesOn)
{
    wxInitializer toolkit;
    ASSERT_TRUE(toolkit.IsOk());
    mvtest::TempDir temp;
    setenv("HOME", temp.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (temp / ".config").c_str(), 1);
    AssertLog::Install();
    testing::internal::CaptureStderr();
    const int line = __LINE__ + 1;
    wxFAIL_MSG("the sky fell");
    const std::string err = testing::internal::GetCapturedStderr();
    bool wentOn = true;  // reached only when the handler returned
    wxSetAssertHandler(nullptr);

    const std::string where = std::string(__FILE__) + ":" + std::to_string(line);
    const std::string log = mvtest::ReadFile(FileUtil::GetLogFilePath().ToStdString());
    for (const std::string& text : {err, log}) {
        EXPECT_NE(text.find(where), std::string::npos) << text;
        EXPECT_NE(text.find("the sky fell"), std::string::npos) << text;
        EXPECT_NE(text.find("in TestBody"), std::string::npos) << "the function: " << text;
    }
    EXPECT_TRUE(wentOn);
}

}  // namespace
