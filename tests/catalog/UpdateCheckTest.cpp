// The update check against replies from a loopback server: fetched off the
// GUI thread, bounded in time, size and redirects, and cancelled with its owner.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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
#include "PrivateNetwork.h"
#include "SpecialFiles.h"
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

// A port on 127.0.0.1 that is listened on and never served. With room in
// its queue the system completes every connection and nobody ever answers;
// with the queue full it drops every further connection request, so a
// connect there never completes.
class SilentPort {
public:
    explicit SilentPort(bool full)
    {
        listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
            ::listen(listener, full ? 0 : 64) != 0 ||
            ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
            return;
        port = ntohs(addr.sin_port);
        if (!full)
            return;
        // A queue of 0 holds one connection; the second only makes sure.
        for (int& filler : fillers) {
            filler = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
            ::connect(filler, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        }
        std::this_thread::sleep_for(100ms);
    }
    ~SilentPort()
    {
        for (int fd : fillers)
            if (fd >= 0)
                ::close(fd);
        if (listener >= 0)
            ::close(listener);
    }
    SilentPort(const SilentPort&) = delete;
    SilentPort& operator=(const SilentPort&) = delete;
    std::string Address() const { return "127.0.0.1:" + std::to_string(port); }

private:
    int listener = -1;
    int port = 0;
    int fillers[2] = {-1, -1};
};

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

// Over HTTPS (a certificate of the test's own, made the only one the system
// trusts): an https address is never followed down to plain http; every
// other hop is.
TEST_F(UpdateCheck, HttpsIsNeverRedirectedToPlainHttp)
{
    MV_IN_PRIVATE_NETWORK(net);
    const std::string certificate = dir / "certificate.pem";
    const std::string key = dir / "key.pem";
    const mvtest::RunResult made =
        mvtest::Run({"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                     "-nodes", "-keyout", key, "-out", certificate, "-days", "2", "-subj", "/CN=127.0.0.1",
                     "-addext", "subjectAltName=IP:127.0.0.1"});
    ASSERT_EQ(made.status, 0) << made.err;
    ASSERT_TRUE(net.TrustOnly(certificate)) << net.why();
    LoopbackHttpServer secure({certificate, key});
    LoopbackHttpServer plain;
    secure.Set("/mv-update.xml", {200, kValidReply});
    secure.Set("/up-update.xml", Redirect(secure.Base() + "/mv-update.xml"));
    secure.Set("/down-update.xml", Redirect(plain.Base() + "/mv-update.xml"));
    plain.Set("/mv-update.xml", {200, kValidReply});
    plain.Set("/up-update.xml", Redirect(secure.Base() + "/mv-update.xml"));
    const struct {
        const char* name;
        std::string base;
        const char* version;
    } cases[] = {
        {"https", secure.Base() + "/mv", "2.3.0"},
        {"https to https", secure.Base() + "/up", "2.3.0"},
        {"http to https", plain.Base() + "/up", "2.3.0"},
        {"https to http", secure.Base() + "/down", ""},
    };
    for (const auto& c : cases) {
        Check(c.base);
        EXPECT_EQ(results, std::vector<std::string>{c.version}) << c.name;
    }
    EXPECT_EQ(plain.Requests(), std::vector<std::string>{"/up-update.xml"}) << "plain http was asked";
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

// No usable option file or no http(s) update address: the check cannot run,
// and says so with the failure answer, queued as a fetch's would be.
TEST_F(UpdateCheck, CheckThatCannotRunAnswersFailure)
{
    const std::string path = dir / "option.cfg";
    auto addressed = [](const std::string& base) {
        return "<o><l><a>h</a><a>2</a><a>s</a><a>4</a><a>" + base + "</a><a>p</a></l></o>";
    };
    struct Case {
        const char* name;
        std::function<void()> make;
    };
    std::vector<Case> cases = {
        {"missing", [] {}},
        {"empty", [&] { mvtest::WriteFile(path, ""); }},
        {"a folder", [&] { std::filesystem::create_directory(path); }},
        {"malformed", [&] { mvtest::WriteFile(path, "<o><l><a>http://127.0.0.1:1/x</a>"); }},
        {"over its size limit",
         [&] {
             mvtest::WriteFile(path, addressed("http://127.0.0.1:1/x") + "<!--" +
                                         std::string(OptionDomain::kMaxFileBytes, 'x') + "-->");
         }},
        {"four values", [&] { mvtest::WriteFile(path, "<o><l><a>h</a><a>2</a><a>s</a><a>4</a></l></o>"); }},
        {"blank address", [&] { mvtest::WriteFile(path, addressed("  ")); }},
        {"no scheme", [&] { mvtest::WriteFile(path, addressed("no scheme at all")); }},
        {"ftp", [&] { mvtest::WriteFile(path, addressed("ftp://127.0.0.1:1/x")); }},
        {"gopher", [&] { mvtest::WriteFile(path, addressed("gopher://127.0.0.1:1/x")); }},
        {"file", [&] { mvtest::WriteFile(path, addressed("file:///etc/passwd")); }},
        {"javascript", [&] { mvtest::WriteFile(path, addressed("javascript:alert(1)//")); }},
    };
    // Root reads whatever the permissions say.
    if (geteuid() != 0)
        cases.push_back({"unreadable", [&] {
                             mvtest::WriteFile(path, addressed("http://127.0.0.1:1/x"));
                             std::filesystem::permissions(path, std::filesystem::perms::none);
                         }});
    for (const Case& c : cases) {
        std::filesystem::remove_all(path);
        c.make();
        results.clear();
        OptionDomain options(W(path));
        options.Load();
        options.CheckForUpdate();
        EXPECT_TRUE(results.empty()) << c.name << ": the answer is queued, not sent at once";
        EXPECT_FALSE(options.IsCheckingForUpdate()) << c.name;
        wxTheApp->ProcessPendingEvents();
        EXPECT_EQ(results, std::vector<std::string>{""}) << c.name;
        EXPECT_EQ(ids, std::vector<int>(results.size(), 0)) << c.name;
        ids.clear();
    }

    // Names that are no regular file (a pipe would block a reader for ever).
    mvtest::SpecialFiles special(dir / "special", 3000);
    ASSERT_TRUE(special.ok());
    for (const std::string& name : special.paths()) {
        results.clear();
        OptionDomain options(W(name));
        options.Load();
        options.CheckForUpdate();
        wxTheApp->ProcessPendingEvents();
        EXPECT_EQ(results, std::vector<std::string>{""}) << name;
    }
    EXPECT_FALSE(special.SomeoneBlocked());
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

// Networks that stall wherever the check meets them, the name lookup
// included (the resolver never answers; a lookup would take 30 s): every
// check ends with the failure answer at its deadline, and an owner destroyed
// during the stall returns at once. The rows run side by side.
TEST_F(UpdateCheck, EveryStallEndsAtTheDeadlineAndAtOnceOnClose)
{
    MV_IN_PRIVATE_NETWORK(net);
    SilentPort quiet(false);
    SilentPort full(true);
    std::vector<std::unique_ptr<LoopbackHttpServer>> servers;
    auto dripping = [&] {
        Reply drip(200, kValidReply);
        drip.msPerByte = 1000;
        servers.push_back(std::make_unique<LoopbackHttpServer>());
        servers.back()->Set("/mv-update.xml", drip);
        return servers.back()->Base() + "/mv";
    };
    // Addresses off loopback go through proxies: plain http through one
    // whose name never resolves, https through one that never accepts.
    setenv("http_proxy", "http://proxy.merovant.test:3128", 1);
    setenv("https_proxy", ("http://" + full.Address()).c_str(), 1);
    setenv("no_proxy", "127.0.0.1,update.merovant.test", 1);
    struct Row {
        const char* name;
        std::function<std::string()> base;
    };
    const Row rows[] = {
        {"name lookup never answered", [] { return std::string("http://update.merovant.test/mv"); }},
        {"server accepts, never answers", [&] { return "http://" + quiet.Address() + "/mv"; }},
        {"TLS handshake never answered", [&] { return "https://" + quiet.Address() + "/mv"; }},
        {"reply trickles a byte a second", dripping},
        {"connect never completes", [&] { return "http://" + full.Address() + "/mv"; }},
        {"proxy name never answered", [] { return std::string("http://update.invalid/mv"); }},
        {"proxy connect never completes", [] { return std::string("https://update.invalid/mv"); }},
    };
    struct Run {
        std::unique_ptr<OptionDomain> waited, closed;
        std::chrono::steady_clock::duration ended{}, closing{};
    };
    std::vector<Run> runs;
    results.clear();
    const auto start = std::chrono::steady_clock::now();
    for (const Row& row : rows) {
        Run run;
        run.waited = Options(row.base());
        run.closed = Options(row.base());
        run.waited->CheckForUpdate();
        run.closed->CheckForUpdate();
        EXPECT_TRUE(run.waited->IsCheckingForUpdate() && run.closed->IsCheckingForUpdate()) << row.name;
        runs.push_back(std::move(run));
    }
    ASSERT_TRUE(PumpUntil([&] { return net.Questions() >= 4; }, 5s)) << "the lookups did not start";
    PumpUntil([] { return false; }, 1500ms);
    for (Run& run : runs) {
        const auto closing = std::chrono::steady_clock::now();
        run.closed.reset();
        run.closing = std::chrono::steady_clock::now() - closing;
    }
    const size_t rowCount = std::size(rows);
    PumpUntil([&] {
        const auto now = std::chrono::steady_clock::now();
        size_t ended = 0;
        for (Run& run : runs) {
            if (run.ended == std::chrono::steady_clock::duration() && !run.waited->IsCheckingForUpdate())
                run.ended = now - start;
            ended += run.ended != std::chrono::steady_clock::duration();
        }
        return ended == rowCount;
    }, 40s);
    wxTheApp->ProcessPendingEvents();

    const auto deadline = std::chrono::seconds(OptionDomain::kFetchTimeoutSeconds);
    std::printf("%-32s %10s %10s\n", "stall", "ends (s)", "close (s)");
    for (size_t i = 0; i < rowCount; ++i) {
        SCOPED_TRACE(rows[i].name);
        const double ended = std::chrono::duration<double>(runs[i].ended).count();
        const double closing = std::chrono::duration<double>(runs[i].closing).count();
        std::printf("%-32s %10.2f %10.3f\n", rows[i].name, ended, closing);
        EXPECT_GE(runs[i].ended, deadline - 1s) << "no stall: the check failed early";
        EXPECT_LE(runs[i].ended, deadline + 2500ms) << "the deadline did not hold";  // slack for a loaded machine
        EXPECT_LT(runs[i].closing, 1s) << "the owner waited for the stall";
    }
    EXPECT_EQ(results, std::vector<std::string>(rowCount, "")) << "one failure answer per waited check";
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
