// A network and mount namespace of the test's own: loopback up, and name
// lookups sent to a resolver on 127.0.0.1:53 that reads every question and
// never answers. The test runs itself again inside one (unshare -mn, or
// unshare -rmn without root) and reports what that copy reported.
#pragma once

#include "TestSupport.h"

#include <atomic>
#include <string>
#include <thread>

namespace catalogtest {

class PrivateNetwork {
public:
    // True in the copy of the test that runs inside the namespace.
    static bool Inside();

    struct Outcome {
        bool refused = false;  // no namespace here; `output` says why
        bool skipped = false;  // the copy inside skipped; `output` says why
        int status = -1;
        std::string output;
    };
    // Outside: runs the current test again inside a namespace of its own and
    // waits for it.
    static Outcome RunCurrentTest();

    // Inside: loopback up, the silent resolver listening and resolv.conf
    // pointing at it (one try, 30 s: a lookup stalls for half a minute).
    // ok() is false, with why(), when that cannot be set up.
    PrivateNetwork();
    ~PrivateNetwork();
    PrivateNetwork(const PrivateNetwork&) = delete;
    PrivateNetwork& operator=(const PrivateNetwork&) = delete;

    bool ok() const { return error.empty(); }
    const std::string& why() const { return error; }
    // Questions the resolver has read so far.
    int Questions() const { return questions; }
    // Makes the PEM file the only certificate authority the system trusts,
    // for the rest of this process.
    bool TrustOnly(const std::string& pemFile);

private:
    bool BindOver(const std::string& file, const std::string& target);
    void Listen();

    mvtest::TempDir dir;
    std::string error;
    int resolver = -1;
    std::atomic<bool> stopping{false};
    std::atomic<int> questions{0};
    std::thread reader;
};

}  // namespace catalogtest

// Runs the test body inside a private network: outside, the test is run
// again there and its result taken; inside, `net` is the namespace's set-up.
#define MV_IN_PRIVATE_NETWORK(net)                                                     \
    if (!catalogtest::PrivateNetwork::Inside()) {                                       \
        const auto outcome = catalogtest::PrivateNetwork::RunCurrentTest();            \
        if (outcome.refused || outcome.skipped)                                         \
            GTEST_SKIP() << "needs a private network namespace: " << outcome.output;   \
        EXPECT_EQ(outcome.status, 0) << outcome.output;                                 \
        return;                                                                         \
    }                                                                                   \
    catalogtest::PrivateNetwork net;                                                    \
    if (!net.ok())                                                                      \
        GTEST_SKIP() << "cannot set up the private network: " << net.why()
