#include "CatalogFixture.h"

#include <gtest/gtest.h>

#include <wx/init.h>
#include <wx/log.h>
#include <wx/sstream.h>

#include "CatalogScramble.h"
#include "TestSupport.h"

namespace catalogtest {

void WriteScrambled(const std::string& path, const std::string& plain)
{
    std::string bytes = plain;
    ScrambleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
    mvtest::WriteFile(path, bytes);
}

std::string ReadUnscrambled(const std::string& path)
{
    std::string bytes = mvtest::ReadFile(path);
    ScrambleBytes(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
    return bytes;
}

void ParseXml(wxXmlDocument& document, const std::string& xml)
{
    wxLogNull quiet;
    wxStringInputStream in(wxString::FromUTF8(xml));
    document.Load(in, "UTF-8");
}

namespace {

class WxBase : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};

const auto* const wxBase = ::testing::AddGlobalTestEnvironment(new WxBase);

}  // namespace

}  // namespace catalogtest
