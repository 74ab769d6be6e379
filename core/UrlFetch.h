// One bounded HTTP(S) GET on a thread of its own, through libcurl: a total
// deadline, a size limit, few redirects, the system's CA store and the
// usual proxy variables. The answer comes back on the GUI thread.
#pragma once

#include <wx/event.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <thread>

class UrlFetch : public wxEvtHandler {
public:
    struct Limits {
        long seconds;       // the whole transfer, redirects included
        size_t maxBytes;    // a longer reply fails
        long maxRedirects;
    };
    // On the GUI thread, once the fetch has ended: ok and the reply's bytes,
    // or false and an empty body. Never called after a cancel.
    using Done = std::function<void(bool ok, const std::string& body)>;

    UrlFetch();
    // Cancels a running fetch and waits until its thread has ended.
    ~UrlFetch() override;
    UrlFetch(const UrlFetch&) = delete;
    UrlFetch& operator=(const UrlFetch&) = delete;

    // True for an absolute http: or https: address libcurl can parse.
    static bool IsFetchable(const wxString& url);

    // Starts the fetch; false when one is already running or the address is
    // not fetchable (then `done` is never called).
    bool Start(const wxString& url, const Limits& limits, Done done);
    bool Running() const { return worker.joinable(); }
    // Stops a running fetch; its `done` is not called.
    void Cancel();

private:
    void Fetch(std::string url, Limits limits, unsigned fetch);
    void Finish(unsigned fetch, bool ok, const std::string& body);
    void Join();

    std::thread worker;              // GUI thread starts and joins it
    void* multi = nullptr;           // CURLM*: made before the worker starts, freed after it ends;
                                     // the GUI thread only wakes it (curl_multi_wakeup)
    std::atomic<bool> cancelled{false};  // GUI thread writes, worker reads
    Done done;                       // GUI thread only
    unsigned generation = 0;         // GUI thread only: which fetch Finish belongs to
};
