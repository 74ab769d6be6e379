// The update check against replies from a loopback server: fetched off the
// GUI thread, bounded in time, size and redirects, and cancelled with its owner.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <wx/app.h>
#include <wx/frame.h>

#include "CatalogFixture.h"
#include "EventTypes.h"
#include "LoopbackHttpServer.h"
#include "OptionDomain.h"
#include "TestSupport.h"
#include "UrlFetch.h"

using catalogtest::LoopbackHttpServer;
using catalogtest::W;
using Reply = LoopbackHttpServer::Reply;
using namespace std::chrono_literals;

namespace {

const char* const kValidReply = R"(<?xml version="1.0" encoding="UTF-8"?>
<versions>
 <product name="Tarvelin Merovant" version="2.2.0"/>
 <product name="Tarvelin Other" version="5.0"/>
 <product name="Tarvelin Merovant" version="2.3.0" date="2026-11-01"/>
</versions>)";

// Runs the GUI thread's pending work until `done` or the time is up.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        wxTheApp->ProcessPendingEvents();
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

void ClearProxies()
{
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy",
                             "ALL_PROXY", "no_proxy", "NO_PROXY"})
        unsetenv(name);
}

Reply Redirect(const std::string& to)
{
    Reply r(302, "");
    r.location = to;
    return r;
}

class UpdateCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Straight to the loopback server, whatever the environment says.
        ClearProxies();
        frame = new wxFrame(nullptr, wxID_ANY, "top");
        wxTheApp->SetTopWindow(frame);
        frame->Bind(EVT_UPDATE_CHECK_RESULT, [this](wxCommandEvent& e) {
            ids.push_back(e.GetId());
            results.push_back(e.GetString().utf8_string());
        });
    }

    void TearDown() override
    {
        ClearProxies();
        wxTheApp->SetTopWindow(nullptr);
        frame->Destroy();
        wxTheApp->ProcessPendingEvents();
    }

    // An option domain whose update base is `base`.
    std::unique_ptr<OptionDomain> Options(const std::string& base)
    {
        mvtest::WriteFile(dir / "option.cfg",
                          "<o><l><a>h</a><a>2</a><a>s</a><a>4</a><a>" + base + "</a><a>p</a></l></o>");
        auto options = std::make_unique<OptionDomain>(W(dir / "option.cfg"));
        EXPECT_TRUE(options->Load());
        return options;
    }

    // The check run against `base`; its events taken.
    void Check(const std::string& base, std::chrono::milliseconds limit = 5s)
    {
        results.clear();
        ids.clear();
        auto options = Options(base);
        options->CheckForUpdate();
        EXPECT_TRUE(results.empty()) << "the result is queued, not sent at once";
        PumpUntil([&] { return !options->IsCheckingForUpdate(); }, limit);
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
    server.Set("/mv-update.xml", {200, kValidReply});
    Check(server.Base() + "/mv");
    EXPECT_EQ(results, (std::vector<std::string>{"2.3.0"}));
    EXPECT_EQ(ids, (std::vector<int>{0}));
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{"/mv-update.xml"}));
}

TEST_F(UpdateCheck, FailedFetchOrBadReplyGivesAnEmptyResult)
{
    LoopbackHttpServer server;
    const std::string base = server.Base();
    Reply oversized(200, "<versions><product name=\"Tarvelin Merovant\" version=\"9.0\"/>" +
                             std::string(OptionDomain::kMaxReplyBytes, ' ') + "</versions>");
    Reply oversizedNoLength = oversized;
    oversizedNoLength.noLength = true;
    server.Set("/bad-update.xml", {200, "<versions><product name=\"Tarvelin Merovant\""});
    server.Set("/none-update.xml", {200, "<versions><product name=\"Other\" version=\"1\"/></versions>"});
    server.Set("/hangup-update.xml", {200, "", true});
    server.Set("/big-update.xml", oversized);
    server.Set("/bigstream-update.xml", oversizedNoLength);
    server.Set("/error-update.xml", {500, kValidReply});
    server.Set("/loop-update.xml", Redirect(base + "/loop-update.xml"));
    server.Set("/ftp-update.xml", Redirect("ftp://127.0.0.1:1/mv-update.xml"));
    for (const char* name : {"/missing", "/bad", "/none", "/hangup", "/big", "/bigstream", "/error", "/loop",
                             "/ftp"}) {
        Check(base + name);
        EXPECT_EQ(results, (std::vector<std::string>{""})) << name;
    }
    // The redirect loop was given up after a few hops.
    int hops = 0;
    for (const std::string& path : server.Requests())
        hops += path == "/loop-update.xml";
    EXPECT_EQ(hops, OptionDomain::kMaxRedirects + 1);

    // Not plain HTTP's port for TLS: the handshake fails.
    Check("https" + base.substr(4) + "/mv");
    EXPECT_EQ(results, (std::vector<std::string>{""}));
    // The server gone: the connection is refused.
    server.Stop();
    Check(base + "/gone");
    EXPECT_EQ(results, (std::vector<std::string>{""}));
}

TEST_F(UpdateCheck, RedirectsWithinTheLimitAreFollowed)
{
    LoopbackHttpServer server;
    const std::string base = server.Base();
    server.Set("/mv-update.xml", Redirect(base + "/hop1"));
    server.Set("/hop1", Redirect("/hop2"));
    server.Set("/hop2", {200, kValidReply});
    Check(base + "/mv");
    EXPECT_EQ(results, (std::vector<std::string>{"2.3.0"}));
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{"/mv-update.xml", "/hop1", "/hop2"}));
}

TEST_F(UpdateCheck, ProxyFromTheEnvironmentIsUsed)
{
    LoopbackHttpServer proxy;
    proxy.Set("http://update.invalid/mv-update.xml", {200, kValidReply});
    setenv("http_proxy", proxy.Base().c_str(), 1);
    Check("http://update.invalid/mv");
    EXPECT_EQ(results, (std::vector<std::string>{"2.3.0"}));
    EXPECT_EQ(proxy.Requests(), (std::vector<std::string>{"http://update.invalid/mv-update.xml"}));
}

TEST_F(UpdateCheck, UnusableAddressQueuesNothing)
{
    for (const char* base : {"", "no scheme at all", "gopher://127.0.0.1:1/x", "ftp://127.0.0.1:1/x",
                             "file:///etc/passwd"}) {
        Check(base);
        EXPECT_TRUE(results.empty()) << base;
    }
}

// A valid reply sent one byte a second would take minutes: the whole check
// gives up at its deadline, and the GUI thread was free all the while.
TEST_F(UpdateCheck, DrippingReplyEndsAtTheDeadline)
{
    LoopbackHttpServer server;
    Reply drip(200, kValidReply);
    drip.msPerByte = 1000;
    server.Set("/mv-update.xml", drip);
    const auto start = std::chrono::steady_clock::now();
    Check(server.Base() + "/mv", 40s);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(results, (std::vector<std::string>{""}));
    EXPECT_LT(took, std::chrono::seconds(OptionDomain::kFetchTimeoutSeconds + 10));
    EXPECT_GE(took, std::chrono::seconds(OptionDomain::kFetchTimeoutSeconds - 1));
}

// The fetch's own deadline and size limit, with small limits.
TEST(UrlFetchTest, DeadlineCoversTheWholeTransferAndSizeIsBounded)
{
    ClearProxies();
    LoopbackHttpServer server;
    Reply silent;
    silent.neverAnswer = true;
    Reply drip(200, std::string(200, 'x'));
    drip.msPerByte = 100;
    Reply slowHop = Redirect("/silent");
    slowHop.delayMs = 800;
    server.Set("/silent", silent);
    server.Set("/drip", drip);
    server.Set("/slowhop", slowHop);
    server.Set("/exact", {200, std::string(100, 'y')});
    server.Set("/over", {200, std::string(101, 'y')});
    struct Case {
        const char* path;
        bool ok;
        size_t bytes;
    };
    for (const Case& c : {Case{"/silent", false, 0}, Case{"/drip", false, 0}, Case{"/slowhop", false, 0},
                          Case{"/exact", true, 100}, Case{"/over", false, 0}}) {
        UrlFetch fetch;
        int calls = 0;
        bool ok = false;
        std::string body;
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(fetch.Start(W(server.Base() + c.path), {1, 100, 2}, [&](bool k, const std::string& b) {
            ++calls;
            ok = k;
            body = b;
        }));
        EXPECT_TRUE(PumpUntil([&] { return calls > 0; }, 10s)) << c.path;
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << c.path;
        EXPECT_EQ(calls, 1) << c.path;
        EXPECT_EQ(ok, c.ok) << c.path;
        EXPECT_EQ(body.size(), c.bytes) << c.path;
    }
}

// Whatever the server is doing, destroying the owner during the check ends
// the transfer, and no answer arrives afterwards.
TEST_F(UpdateCheck, DestroyingTheOwnerDuringACheckCancelsIt)
{
    struct Case {
        const char* name;
        Reply reply;
    };
    Reply silent;
    silent.neverAnswer = true;
    Reply drip(200, kValidReply);
    drip.msPerByte = 1000;
    Reply oversized(200, std::string(OptionDomain::kMaxReplyBytes * 2, ' '));
    oversized.noLength = true;
    oversized.msPerByte = 1;
    Reply valid(200, kValidReply);
    valid.delayMs = 3000;
    std::vector<Case> cases = {{"silent", silent}, {"drip", drip}, {"oversized", oversized},
                               {"loop", Redirect("/mv-update.xml")}, {"valid", valid}};
    cases[3].reply.delayMs = 500;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackHttpServer server;
        server.Set("/mv-update.xml", c.reply);
        results.clear();
        auto options = Options(server.Base() + "/mv");
        options->CheckForUpdate();
        ASSERT_TRUE(options->IsCheckingForUpdate());
        // A second request while one runs is not a second check.
        options->CheckForUpdate();
        ASSERT_TRUE(PumpUntil([&] { return !server.Requests().empty(); }, 3s));
        std::this_thread::sleep_for(200ms);
        const auto start = std::chrono::steady_clock::now();
        options.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << "the owner waited for the server";
        EXPECT_TRUE(PumpUntil([&] { return server.Abandoned() == 1; }, 3s)) << "the transfer goes on";
        PumpUntil([] { return false; }, 300ms);
        EXPECT_TRUE(results.empty());
        EXPECT_EQ(server.Requests().size(), 1u);
    }
}

}  // namespace
