// A tiny HTTP/1.0 server on 127.0.0.1 (never another address) for the update
// check: fixed replies by request path, served one connection at a time from
// a thread of its own; replies may stall, drip or redirect. Given a
// certificate it speaks HTTPS (stalls and drips then keep to plain replies).
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace catalogtest {

class LoopbackHttpServer {
public:
    struct Reply {
        Reply() = default;
        Reply(int status, std::string body, bool hangUp = false)
            : status(status), body(std::move(body)), hangUp(hangUp) {}
        int status = 200;
        std::string body;
        bool hangUp = false;       // close the connection without answering
        bool neverAnswer = false;  // hold the connection until the client or Stop ends it
        int delayMs = 0;           // wait this long before answering
        int msPerByte = 0;         // send the reply one byte at a time, this far apart
        std::string location;      // a redirect (status 302) to this address
        bool noLength = false;     // no Content-Length: the body ends with the connection
    };

    // PEM files of the certificate and its key.
    struct Tls {
        std::string certificateFile;
        std::string keyFile;
    };

    // Listens on a free port of 127.0.0.1; with a certificate, for HTTPS.
    explicit LoopbackHttpServer(const Tls& tls = Tls());
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // Replies for paths not set are 404.
    void Set(const std::string& path, const Reply& reply);
    // "http://127.0.0.1:<port>", or "https://..." with a certificate.
    std::string Base() const;
    // The paths requested so far, in order.
    std::vector<std::string> Requests();
    // Connections the client closed before its reply was complete.
    int Abandoned() const { return abandoned; }
    // Stops serving and closes the port.
    void Stop();

private:
    void Serve();
    void Answer(int client);
    // Waits up to ms (for ever when negative); false when the client closed
    // the connection meanwhile or the server is stopping.
    bool Hold(int client, int ms);

    int listener = -1;
    int port = 0;
    void* tls = nullptr;  // SSL_CTX*, when serving HTTPS
    std::atomic<bool> stopping{false};
    std::atomic<int> abandoned{0};
    std::mutex lock;
    std::map<std::string, Reply> replies;
    std::vector<std::string> requests;
    std::thread thread;
};

}  // namespace catalogtest
