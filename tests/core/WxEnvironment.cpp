// Initialises wxWidgets (without a display) around the whole test run.
#include <gtest/gtest.h>
#include <wx/init.h>

#include <memory>

namespace {

class WxEnvironment : public testing::Environment {
public:
    void SetUp() override { init_ = std::make_unique<wxInitializer>(); ASSERT_TRUE(init_->IsOk()); }
    void TearDown() override { init_.reset(); }

private:
    std::unique_ptr<wxInitializer> init_;
};

testing::Environment* const registered = testing::AddGlobalTestEnvironment(new WxEnvironment);

}  // namespace
