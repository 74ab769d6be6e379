// Prints figures for the media layers on media generated here:
//  (a) a conversion through ZR_Ct against the same ffmpeg command run directly;
//  (b) GetMediaInfo over 200 files against one ffprobe process per file;
//  (c) 10 s of 30 fps H.264 at 1920x1080, 1080x1920 and 3840x2160 through
//      Play: frames delivered, which ones were missed, the gaps between
//      deliveries, wall time and CPU used.
// With the argument "playback" only (c) runs.
#include "MediaSet.h"
#include "TestSupport.h"
#include "ZR_Ct.h"
#include "ZR_Py.h"

#include <plist/plist.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

double CpuSeconds()
{
    rusage u;
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool Generate(const std::string& out, const std::string& video, const std::string& audio)
{
    return mvtest::Run({"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                        video, "-f", "lavfi", "-i", audio, "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt",
                        "yuv420p", "-c:a", "aac", "-shortest", out})
               .status == 0;
}

void ConversionRatio(const std::string& dir)
{
    std::string src = dir + "/source.mp4";
    if (!Generate(src, "testsrc2=size=1280x720:rate=30:duration=20", "sine=frequency=440:sample_rate=48000:duration=20")) {
        std::printf("(a) could not generate the source\n");
        return;
    }
    const std::vector<std::string> params = {"-vcodec", "libx264", "-preset", "veryfast", "-b", "2000k",
                                             "-acodec", "aac", "-ab", "128k"};
    std::string paramText;
    for (const auto& p : params)
        paramText += p + " ";
    ConverterService* service = ZRCreateCtService();
    ConverterInstance* ct = service->CreateInstance();
    std::vector<double> layer, direct;
    // Alternating order, so that neither side always runs first.
    for (int round = 0; round < 10; ++round) {
        std::string a = dir + "/layer" + std::to_string(round) + ".mp4";
        std::string b = dir + "/direct" + std::to_string(round) + ".mp4";
        std::string line = "-ii \"" + src + "\" " + paramText + "\"" + a + "\" ";
        std::vector<std::string> argv = {"ffmpeg", "-nostdin", "-hide_banner", "-nostats", "-loglevel", "error",
                                         "-n", "-i", src};
        argv.insert(argv.end(), params.begin(), params.end());
        argv.push_back(b);
        for (int which = 0; which < 2; ++which) {
            auto t0 = Clock::now();
            if ((which == 0) == (round % 2 == 0)) {
                ct->SetTaskContext(ct->handle, nullptr);
                if (ct->Run(ct->handle, line.c_str()) != ZR_CT_DONE)
                    std::printf("(a) round %d failed through ZR_Ct\n", round);
                layer.push_back(Since(t0));
            } else {
                if (mvtest::Run(argv).status != 0)
                    std::printf("(a) round %d failed directly\n", round);
                direct.push_back(Since(t0));
            }
        }
    }
    service->FreeInstance(ct);
    ZRFreeCtService(service);
    // Each round's pair ran back to back: their ratio cancels slow drifts of
    // the machine's other load.
    std::vector<double> ratios;
    for (size_t i = 0; i < layer.size() && i < direct.size(); ++i)
        ratios.push_back(layer[i] / direct[i]);
    double lMin = *std::min_element(layer.begin(), layer.end());
    double dMin = *std::min_element(direct.begin(), direct.end());
    std::printf("(a) conversion 20 s 720p -> x264 veryfast, %zu runs each: ZR_Ct min %.3f s, ffmpeg directly min "
                "%.3f s; ratio of minima %.3f, median of paired ratios %.3f (goal <= 1.02)\n",
                layer.size(), lMin, dMin, lMin / dMin, Median(ratios));
}

void ProbeRate(const std::string& dir, PlayerInstance* py)
{
    const char* kinds[][3] = {
        {"mp4", "testsrc2=size=320x240:rate=25:duration=2", "sine=duration=2"},
        {"mkv", "testsrc2=size=640x360:rate=30:duration=2", "sine=duration=2"},
        {"mov", "testsrc2=size=320x240:rate=24:duration=2", "sine=duration=2"},
        {"ts", "testsrc2=size=320x240:rate=25:duration=2", "sine=duration=2"},
    };
    std::vector<std::string> files;
    for (const auto& k : kinds) {
        std::string first = dir + "/probe-0." + k[0];
        if (!Generate(first, k[1], k[2])) {
            std::printf("(b) could not generate .%s\n", k[0]);
            return;
        }
        files.push_back(first);
        for (int i = 1; i < 50; ++i) {
            std::string copy = dir + "/probe-" + std::to_string(i) + "." + k[0];
            fs::copy_file(first, copy, fs::copy_options::overwrite_existing);
            files.push_back(copy);
        }
    }
    // Warm the page cache and the libraries once.
    for (const auto& f : files)
        plist_free(static_cast<plist_t>(py->GetMediaInfo(f.c_str())));
    auto t0 = Clock::now();
    int ok = 0;
    for (const auto& f : files) {
        plist_t info = static_cast<plist_t>(py->GetMediaInfo(f.c_str()));
        ok += info != nullptr;
        plist_free(info);
    }
    double inProcess = Since(t0);
    t0 = Clock::now();
    for (const auto& f : files)
        mvtest::Run({"ffprobe", "-v", "error", "-show_format", "-show_streams", f});
    double probe = Since(t0);
    std::printf("(b) GetMediaInfo over %zu files: %.0f files/s in-process (%d read), %.0f files/s with one ffprobe "
                "per file (goal >= 300 files/s)\n",
                files.size(), files.size() / inProcess, ok, files.size() / probe);
}

const int kPlayFrames = 300;
const int kNumberBits = 9;  // enough for kPlayFrames

struct Delivery {
    std::vector<std::pair<int, Clock::time_point>> frames;  // number, arrival
};

int RecordFrame(unsigned char* rgb, intptr_t, int width, int height, void* ctx)
{
    static_cast<Delivery*>(ctx)->frames.emplace_back(mvtest::PictureNumber(rgb, width, height), Clock::now());
    return 0;
}

// "3 (0-2)": how many numbers, and the runs they form.
std::string Runs(const std::vector<int>& numbers)
{
    std::string text = std::to_string(numbers.size());
    if (numbers.empty())
        return text;
    text += " (";
    for (size_t i = 0; i < numbers.size();) {
        size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        text += (i ? ", " : "") + std::to_string(numbers[i]) +
                (j > i ? "-" + std::to_string(numbers[j]) : std::string());
        i = j + 1;
    }
    return text + ")";
}

void Playback(const std::string& dir, PlayerInstance* py, int width, int height)
{
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const std::string src = dir + "/play-" + size + ".mp4";
    const std::string pictures =
        "testsrc2=size=" + size + ":rate=30:duration=10" + mvtest::NumberBand(width, height, kNumberBits);
    if (!Generate(src, pictures, "sine=frequency=440:sample_rate=48000:duration=10")) {
        std::printf("(c) could not generate the %s source\n", size.c_str());
        return;
    }
    Delivery d;
    d.frames.reserve(kPlayFrames * 2);
    py->Reset(py->handle);
    py->SetFrameCallback(py->handle, RecordFrame, &d);
    py->SetPositionCallback(py->handle, nullptr, nullptr);
    std::string args = " -stats 1  -file \"" + src + "\" ";
    double cpu0 = CpuSeconds();
    auto t0 = Clock::now();
    int rc = py->Play(py->handle, args.c_str(), 0);
    double wall = Since(t0);
    double cpu = CpuSeconds() - cpu0;
    std::vector<bool> seen(kPlayFrames, false);
    int delivered = 0, strays = 0;
    for (const auto& f : d.frames) {
        if (f.first >= 0 && f.first < kPlayFrames && !seen[size_t(f.first)]) {
            seen[size_t(f.first)] = true;
            ++delivered;
        } else {
            ++strays;  // unreadable, out of range or shown twice
        }
    }
    std::vector<int> missed;
    for (int i = 0; i < kPlayFrames; ++i)
        if (!seen[size_t(i)])
            missed.push_back(i);
    // Gaps between deliveries, in milliseconds; a frame lasts 33.3 ms.
    std::vector<double> gaps;
    for (size_t i = 1; i < d.frames.size(); ++i)
        gaps.push_back(std::chrono::duration<double, std::milli>(d.frames[i].second - d.frames[i - 1].second).count());
    std::sort(gaps.begin(), gaps.end());
    auto at = [&gaps](double q) { return gaps.empty() ? 0.0 : gaps[size_t(q * double(gaps.size() - 1))]; };
    const long stalls = std::count_if(gaps.begin(), gaps.end(), [](double g) { return g > 2 * 1000.0 / 30; });
    std::printf("(c) Play of 10 s %s H.264 at 30 fps: %d of %d frames (%.1f %%) delivered in %.2f s, "
                "%.2f CPU seconds%s\n"
                "    missed %s, %d strays; gaps between frames median %.1f ms, 99th percentile %.1f ms, "
                "longest %.1f ms, %ld longer than two frames\n",
                size.c_str(), delivered, kPlayFrames, 100.0 * delivered / kPlayFrames, wall, cpu,
                rc == ZR_PY_ENDED ? "" : " (did not end normally)", Runs(missed).c_str(), strays, at(0.5),
                at(0.99), gaps.empty() ? 0.0 : gaps.back(), stalls);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool playbackOnly = argc > 1 && std::string(argv[1]) == "playback";
    mvtest::TempDir dir;
    std::printf("media benchmark (generated media in %s)\n", dir.path().c_str());
    if (!playbackOnly)
        ConversionRatio(dir.path());
    PlayerService* service = ZRCreatePyService();
    PlayerInstance* py = service->CreateInstance();
    if (!playbackOnly)
        ProbeRate(dir.path(), py);
    for (auto [w, h] : {std::pair{1920, 1080}, {1080, 1920}, {3840, 2160}})
        Playback(dir.path(), py, w, h);
    service->FreeInstance(py);
    ZRFreePyService(service);
    return 0;
}
