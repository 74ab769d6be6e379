// A tiny HTTP/1.0 server on 127.0.0.1 (never another address) for the update
// check: fixed replies by request path, served from a thread of its own.
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
        int status = 200;
        std::string body;
        bool hangUp = false;  // close the connection without answering
    };

    // Listens on a free port of 127.0.0.1.
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // Replies for paths not set are 404.
    void Set(const std::string& path, const Reply& reply);
    // "http://127.0.0.1:<port>"
    std::string Base() const;
    // The paths requested so far, in order.
    std::vector<std::string> Requests();
    // Stops serving and closes the port.
    void Stop();

private:
    void Serve();
    void Answer(int client);

    int listener = -1;
    int port = 0;
    std::atomic<bool> stopping{false};
    std::mutex lock;
    std::map<std::string, Reply> replies;
    std::vector<std::string> requests;
    std::thread thread;
};

}  // namespace catalogtest
