#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>

namespace catalogtest {

namespace {

struct SslDeleter {
    void operator()(SSL* ssl) const
    {
        SSL_shutdown(ssl);
        SSL_free(ssl);
    }
};

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(const Tls& certificate)
{
    if (!certificate.certificateFile.empty()) {
        SSL_CTX* context = SSL_CTX_new(TLS_server_method());
        if (!context || SSL_CTX_use_certificate_chain_file(context, certificate.certificateFile.c_str()) != 1 ||
            SSL_CTX_use_PrivateKey_file(context, certificate.keyFile.c_str(), SSL_FILETYPE_PEM) != 1) {
            SSL_CTX_free(context);
            throw std::runtime_error("cannot load the certificate " + certificate.certificateFile);
        }
        tls = context;
        // A client gone in the middle of a TLS write must not end the test.
        ::signal(SIGPIPE, SIG_IGN);
    }
    listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listener, 8) != 0 || ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        if (listener >= 0)
            ::close(listener);
        SSL_CTX_free(static_cast<SSL_CTX*>(tls));
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port = ntohs(addr.sin_port);
    thread = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    Stop();
    SSL_CTX_free(static_cast<SSL_CTX*>(tls));
}

void LoopbackHttpServer::Set(const std::string& path, const Reply& reply)
{
    std::lock_guard<std::mutex> guard(lock);
    replies[path] = reply;
}

std::string LoopbackHttpServer::Base() const
{
    return (tls ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(port);
}

std::vector<std::string> LoopbackHttpServer::Requests()
{
    std::lock_guard<std::mutex> guard(lock);
    return requests;
}

void LoopbackHttpServer::Stop()
{
    stopping = true;
    if (thread.joinable())
        thread.join();
    if (listener >= 0)
        ::close(listener);
    listener = -1;
}

void LoopbackHttpServer::Serve()
{
    while (!stopping) {
        pollfd fd = {listener, POLLIN, 0};
        if (::poll(&fd, 1, 20) <= 0)
            continue;
        int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0) {
            Answer(client);
            ::close(client);
        }
    }
}

void LoopbackHttpServer::Answer(int client)
{
    std::unique_ptr<SSL, SslDeleter> ssl;
    if (tls) {
        // The handshake and the request read give up as a plain read does.
        const timeval limit{2, 0};
        ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        ssl.reset(SSL_new(static_cast<SSL_CTX*>(tls)));
        if (!ssl || SSL_set_fd(ssl.get(), client) != 1 || SSL_accept(ssl.get()) != 1)
            return;
    }
    auto receive = [&](char* into, size_t size) -> ssize_t {
        if (ssl)
            return SSL_read(ssl.get(), into, int(size));
        pollfd fd = {client, POLLIN, 0};
        if (::poll(&fd, 1, 2000) <= 0)
            return -1;
        return ::read(client, into, size);
    };
    auto transmit = [&](const char* from, size_t size) -> ssize_t {
        if (ssl)
            return SSL_write(ssl.get(), from, int(size));
        return ::send(client, from, size, MSG_NOSIGNAL);
    };
    std::string request;
    char chunk[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
        ssize_t n = receive(chunk, sizeof chunk);
        if (n <= 0)
            return;
        request.append(chunk, size_t(n));
    }
    // "GET <path> HTTP/1.x"
    size_t start = request.find(' ') + 1;
    std::string path = request.substr(start, request.find(' ', start) - start);
    Reply reply;
    reply.status = 404;
    {
        std::lock_guard<std::mutex> guard(lock);
        requests.push_back(path);
        auto it = replies.find(path);
        if (it != replies.end())
            reply = it->second;
    }
    if (reply.hangUp)
        return;
    if (reply.neverAnswer || reply.delayMs > 0) {
        if (!Hold(client, reply.neverAnswer ? -1 : reply.delayMs))
            return;
    }
    const char* reason = reply.status == 200 ? " OK" : reply.status == 302 ? " Found" : " Not Found";
    std::string text = "HTTP/1.0 " + std::to_string(reply.status) + reason +
                       "\r\nContent-Type: text/xml" +
                       (reply.noLength ? "" : "\r\nContent-Length: " + std::to_string(reply.body.size())) +
                       (reply.location.empty() ? "" : "\r\nLocation: " + reply.location) +
                       "\r\nConnection: close\r\n\r\n" + reply.body;
    const size_t step = reply.msPerByte > 0 ? 1 : text.size();
    for (size_t sent = 0; sent < text.size() && !stopping;) {
        if (reply.msPerByte > 0 && sent > 0 && !Hold(client, reply.msPerByte))
            return;
        ssize_t n = transmit(text.data() + sent, std::min(step, text.size() - sent));
        if (n <= 0) {
            ++abandoned;
            return;
        }
        sent += size_t(n);
    }
}

bool LoopbackHttpServer::Hold(int client, int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    char chunk[256];
    while (!stopping && (ms < 0 || std::chrono::steady_clock::now() < end)) {
        pollfd fd = {client, POLLIN, 0};
        if (::poll(&fd, 1, ms < 0 ? 20 : std::min(ms, 20)) > 0 && ::recv(client, chunk, sizeof chunk, MSG_DONTWAIT) <= 0) {
            ++abandoned;
            return false;
        }
    }
    return !stopping;
}

}  // namespace catalogtest
