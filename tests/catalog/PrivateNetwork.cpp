#include "PrivateNetwork.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <unistd.h>

namespace catalogtest {

namespace {

const char* const kInsideVariable = "MV_PRIVATE_NETWORK";
const char* const kResolvConf = "/etc/resolv.conf";
const char* const kCaBundle = "/etc/ssl/certs/ca-certificates.crt";

std::string OwnExecutable()
{
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, size_t(n)) : std::string();
}

std::string Errno(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

}  // namespace

bool PrivateNetwork::Inside()
{
    const char* value = std::getenv(kInsideVariable);
    return value && std::string(value) == "1";
}

PrivateNetwork::Outcome PrivateNetwork::RunCurrentTest()
{
    Outcome outcome;
    // Root makes the namespaces itself; anyone else through a user namespace.
    const char* flags = geteuid() == 0 ? "-mn" : "-rmn";
    const mvtest::RunResult probe = mvtest::Run({"unshare", flags, "true"});
    if (probe.status != 0) {
        outcome.refused = true;
        outcome.output = probe.status == 127 ? std::string("no unshare program on PATH (util-linux)")
                                             : std::string("unshare ") + flags + " was refused (status " +
                                                   std::to_string(probe.status) + "): " + probe.err;
        return outcome;
    }
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter =
        std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
    const mvtest::RunResult run = mvtest::Run({"unshare", flags, "--", "env", std::string(kInsideVariable) + "=1",
                                               OwnExecutable(), filter, "--gtest_color=no"});
    outcome.status = run.status;
    outcome.output = run.out + run.err;
    outcome.skipped = run.status == 0 && run.out.find("[  SKIPPED ]") != std::string::npos;
    // The copy's own report, timings included, goes into this test's log.
    std::printf("--- inside a private network:\n%s---\n", outcome.output.c_str());
    return outcome;
}

PrivateNetwork::PrivateNetwork()
{
    // Loopback starts down in a new network namespace.
    const int control = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq request{};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    if (control < 0 || ::ioctl(control, SIOCGIFFLAGS, &request) != 0) {
        error = Errno("reading the flags of lo");
    } else {
        request.ifr_flags = short(request.ifr_flags | IFF_UP | IFF_RUNNING);
        if (::ioctl(control, SIOCSIFFLAGS, &request) != 0)
            error = Errno("bringing lo up");
    }
    if (control >= 0)
        ::close(control);
    if (!error.empty())
        return;

    resolver = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(53);
    if (resolver < 0 || ::bind(resolver, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        error = Errno("listening on 127.0.0.1:53");
        return;
    }
    reader = std::thread([this] { Listen(); });

    mvtest::WriteFile(dir / "resolv.conf", "nameserver 127.0.0.1\noptions timeout:30 attempts:1\n");
    BindOver(dir / "resolv.conf", kResolvConf);
}

PrivateNetwork::~PrivateNetwork()
{
    stopping = true;
    if (reader.joinable())
        reader.join();
    if (resolver >= 0)
        ::close(resolver);
    // The mounts end with the namespace, which ends with this process.
}

bool PrivateNetwork::TrustOnly(const std::string& pemFile)
{
    return BindOver(pemFile, kCaBundle);
}

bool PrivateNetwork::BindOver(const std::string& file, const std::string& target)
{
    if (::mount(file.c_str(), target.c_str(), nullptr, MS_BIND, nullptr) == 0)
        return true;
    error = Errno("mounting " + file + " over " + target);
    return false;
}

void PrivateNetwork::Listen()
{
    char question[1500];
    while (!stopping) {
        pollfd fd = {resolver, POLLIN, 0};
        if (::poll(&fd, 1, 20) > 0 && ::recv(resolver, question, sizeof question, MSG_DONTWAIT) > 0)
            ++questions;
    }
}

}  // namespace catalogtest
