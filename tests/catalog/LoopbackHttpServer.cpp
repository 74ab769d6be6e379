#include "LoopbackHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

namespace catalogtest {

LoopbackHttpServer::LoopbackHttpServer()
{
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
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port = ntohs(addr.sin_port);
    thread = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    Stop();
}

void LoopbackHttpServer::Set(const std::string& path, const Reply& reply)
{
    std::lock_guard<std::mutex> guard(lock);
    replies[path] = reply;
}

std::string LoopbackHttpServer::Base() const
{
    return "http://127.0.0.1:" + std::to_string(port);
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
    std::string request;
    char chunk[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
        pollfd fd = {client, POLLIN, 0};
        if (::poll(&fd, 1, 2000) <= 0)
            return;
        ssize_t n = ::read(client, chunk, sizeof chunk);
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
        ssize_t n = ::send(client, text.data() + sent, std::min(step, text.size() - sent), MSG_NOSIGNAL);
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
