// The update check on the GUI thread against replies from a loopback server.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/url.h>

#include "CatalogFixture.h"
#include "EventTypes.h"
#include "LoopbackHttpServer.h"
#include "OptionDomain.h"
#include "TestSupport.h"

using catalogtest::LoopbackHttpServer;
using catalogtest::W;

namespace {

class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Straight to the loopback server, whatever the environment says.
        for (const char* name : {"HTTP_PROXY", "http_proxy"})
            unsetenv(name);
        wxURL::SetDefaultProxy(wxString());

        frame = new wxFrame(nullptr, wxID_ANY, "top");
        wxTheApp->SetTopWindow(frame);
        frame->Bind(EVT_UPDATE_CHECK_RESULT, [this](wxCommandEvent& e) {
            ids.push_back(e.GetId());
            results.push_back(e.GetString().utf8_string());
        });
    }

    void TearDown() override
    {
        wxTheApp->SetTopWindow(nullptr);
        frame->Destroy();
        Drain();
    }

    // An option file whose update base is `base`; the check run; its events taken.
    void Check(const std::string& base)
    {
        mvtest::WriteFile(dir / "option.cfg",
                          "<o><l><a>h</a><a>2</a><a>s</a><a>4</a><a>" + base + "</a><a>p</a></l></o>");
        OptionDomain options(W(dir / "option.cfg"));
        ASSERT_TRUE(options.Load());
        options.CheckForUpdate();
        EXPECT_TRUE(results.empty()) << "the result is queued, not sent at once";
        Drain();
    }

    static void Drain()
    {
        for (int i = 0; i < 5; ++i)
            wxTheApp->ProcessPendingEvents();
    }

    mvtest::TempDir dir;
    wxFrame* frame = nullptr;
    std::vector<int> ids;
    std::vector<std::string> results;
};

TEST_F(UpdateCheck, ReplyGivesTheLatestVersion)
{
    LoopbackHttpServer server;
    server.Set("/mv-update.xml", {200, R"(<?xml version="1.0" encoding="UTF-8"?>
<versions>
 <product name="Tarvelin Merovant" version="2.2.0"/>
 <product name="Tarvelin Other" version="5.0"/>
 <product name="Tarvelin Merovant" version="2.3.0" date="2026-11-01"/>
</versions>)"});
    Check(server.Base() + "/mv");
    EXPECT_EQ(results, (std::vector<std::string>{"2.3.0"}));
    EXPECT_EQ(ids, (std::vector<int>{0}));
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{"/mv-update.xml"}));
}

TEST_F(UpdateCheck, FailedFetchOrBadReplyGivesAnEmptyResult)
{
    LoopbackHttpServer server;
    server.Set("/bad-update.xml", {200, "<versions><product name=\"Tarvelin Merovant\""});
    server.Set("/none-update.xml", {200, "<versions><product name=\"Other\" version=\"1\"/></versions>"});
    server.Set("/hangup-update.xml", {200, "", true});
    for (const char* name : {"/missing", "/bad", "/none", "/hangup"}) {
        results.clear();
        Check(server.Base() + name);
        EXPECT_EQ(results, (std::vector<std::string>{""})) << name;
    }
    // The server gone: the connection is refused.
    std::string base = server.Base();
    server.Stop();
    results.clear();
    Check(base + "/gone");
    EXPECT_EQ(results, (std::vector<std::string>{""}));
}

TEST_F(UpdateCheck, UnusableAddressQueuesNothing)
{
    for (const char* base : {"", "no scheme at all", "gopher://127.0.0.1:1/x", "https://127.0.0.1:1/x"}) {
        results.clear();
        Check(base);
        EXPECT_TRUE(results.empty()) << base;
    }
}

}  // namespace
