#include "UrlFetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>

namespace {

struct Body {
    std::string bytes;
    size_t limit = 0;
    bool tooLong = false;
};

size_t Collect(char* data, size_t size, size_t count, void* target)
{
    auto* body = static_cast<Body*>(target);
    const size_t n = size * count;
    if (body->bytes.size() + n > body->limit) {
        body->tooLong = true;
        return 0;  // ends the transfer with a write error
    }
    body->bytes.append(data, n);
    return n;
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

// The address's scheme in lower case, as libcurl reads it; empty when
// libcurl cannot parse the address.
std::string SchemeOf(const std::string& url)
{
    std::unique_ptr<CURLU, UrlDeleter> parsed(curl_url());
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return std::string();
    char* scheme = nullptr;
    if (curl_url_get(parsed.get(), CURLUPART_SCHEME, &scheme, 0) != CURLUE_OK || !scheme)
        return std::string();
    std::string name = scheme;
    curl_free(scheme);
    return name;
}

void InitOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

UrlFetch::UrlFetch() = default;

UrlFetch::~UrlFetch()
{
    Cancel();
}

bool UrlFetch::IsFetchable(const wxString& url)
{
    const std::string scheme = SchemeOf(std::string(url.utf8_str()));
    return scheme == "http" || scheme == "https";
}

bool UrlFetch::Start(const wxString& url, const Limits& limits, Done whenDone)
{
    if (Running() || !IsFetchable(url))
        return false;
    InitOnce();
    multi = curl_multi_init();
    if (!multi)
        return false;
    cancelled = false;
    done = std::move(whenDone);
    ++generation;
    worker = std::thread(&UrlFetch::Fetch, this, std::string(url.utf8_str()), limits, generation);
    return true;
}

void UrlFetch::Cancel()
{
    if (!Running())
        return;
    cancelled = true;
    curl_multi_wakeup(static_cast<CURLM*>(multi));
    Join();
    done = nullptr;
}

void UrlFetch::Join()
{
    if (worker.joinable())
        worker.join();
    if (multi)
        curl_multi_cleanup(static_cast<CURLM*>(multi));
    multi = nullptr;
}

void UrlFetch::Finish(unsigned fetch, bool ok, const std::string& body)
{
    // A call queued just before a cancel belongs to a fetch already joined.
    if (fetch != generation || !Running())
        return;
    Join();
    Done call = std::move(done);
    done = nullptr;
    if (call)
        call(ok, body);
}

// Worker thread: touches only the multi handle, its own easy handle and
// body, and `cancelled`; its last act is queueing Finish on this handler.
void UrlFetch::Fetch(std::string url, Limits limits, unsigned fetch)
{
    auto* m = static_cast<CURLM*>(multi);
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    Body body;
    body.limit = limits.maxBytes;
    bool ok = false;
    if (easy) {
        CURL* e = easy.get();
        curl_easy_setopt(e, CURLOPT_URL, url.c_str());
        curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
        // An https address is never followed down to plain http.
        curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, SchemeOf(url) == "https" ? "https" : "http,https");
        curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(e, CURLOPT_MAXREDIRS, limits.maxRedirects);
        curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, limits.seconds * 1000L);
        curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits.maxBytes));
        curl_easy_setopt(e, CURLOPT_FAILONERROR, 1L);
        curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
        // A name lookup still running when the transfer ends (deadline or
        // cancel) is left to finish on its own thread: libcurl would wait
        // for the system resolver otherwise, however long it takes.
        curl_easy_setopt(e, CURLOPT_QUICK_EXIT, 1L);
        curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Collect);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, &body);
        curl_easy_setopt(e, CURLOPT_USERAGENT, "Merovant");

        curl_multi_add_handle(m, e);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limits.seconds);
        int running = 1;
        while (!cancelled) {
            if (curl_multi_perform(m, &running) != CURLM_OK || !running)
                break;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            curl_multi_poll(m, nullptr, 0, int(std::min<long long>(left.count(), 1000)), nullptr);
        }
        if (!running && !cancelled) {
            int queued = 0;
            while (CURLMsg* message = curl_multi_info_read(m, &queued))
                if (message->msg == CURLMSG_DONE && message->easy_handle == e)
                    ok = message->data.result == CURLE_OK && !body.tooLong;
        }
        curl_multi_remove_handle(m, e);
    }
    easy.reset();
    if (cancelled)
        return;
    if (!ok)
        body.bytes.clear();
    CallAfter([this, fetch, ok, bytes = std::move(body.bytes)] { Finish(fetch, ok, bytes); });
}
