// Every frame size and source format plays through ZR_Py's table, and the
// scaler writes only inside the destination the player gives it. AddressSanitizer
// does not see stores made inside libswscale, so this program wraps sws_scale:
// each destination the player describes (stride x rows) is scaled into a copy
// that ends on canary bytes and a guard page, then copied to the player.
// With MV_SCALE_DIRECT set (the valgrind run) the scaler writes straight into
// the player's buffer, where memcheck sees its every store.
#include "PyFixture.h"
#include "TestSupport.h"
#include "ZR_Py.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <mutex>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

using namespace mvtest;

namespace {

using ScaleFunction = int (*)(SwsContext*, const uint8_t* const[], const int[], int, int,
                              uint8_t* const[], const int[]);

constexpr size_t kCanaryBytes = 64;
constexpr uint8_t kCanary = 0xA5;

// One mapping: [free][image][canary][guard page], the image moved up against
// the canary for each call.
class GuardedPlane {
public:
    ~GuardedPlane() { Unmap(); }
    uint8_t* Place(size_t imageBytes)
    {
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        const size_t room = (imageBytes + kCanaryBytes + page - 1) / page * page;
        if (room > room_) {
            Unmap();
            void* at = mmap(nullptr, room + page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (at == MAP_FAILED)
                return nullptr;
            base_ = static_cast<uint8_t*>(at);
            room_ = room;
            mprotect(base_ + room_, page, PROT_NONE);
            guard_.store(base_ + room_);
            guardEnd_.store(base_ + room_ + page);
        }
        uint8_t* image = base_ + room_ - kCanaryBytes - imageBytes;
        std::memset(image + imageBytes, kCanary, kCanaryBytes);
        return image;
    }
    // Bytes past the image's end that the scaler changed.
    static size_t Overrun(const uint8_t* imageEnd)
    {
        size_t written = 0;
        for (size_t k = 0; k < kCanaryBytes; ++k)
            if (imageEnd[k] != kCanary)
                written = k + 1;
        return written;
    }
    bool InGuard(const void* address) const
    {
        auto* a = static_cast<const uint8_t*>(address);
        return a >= guard_.load() && a < guardEnd_.load();
    }

private:
    void Unmap()
    {
        if (base_)
            munmap(base_, room_ + size_t(sysconf(_SC_PAGESIZE)));
        base_ = nullptr;
        room_ = 0;
    }
    uint8_t* base_ = nullptr;
    size_t room_ = 0;
    std::atomic<uint8_t*> guard_{nullptr};
    std::atomic<uint8_t*> guardEnd_{nullptr};
};

// What the wrapped scaler saw during one case.
struct ScalerLog {
    std::mutex mutex;
    int calls = 0;
    size_t overrun = 0;      // the most bytes written past a destination
    int unaligned = 0;       // destinations or strides not 16-byte aligned
};

GuardedPlane g_plane;
ScalerLog g_log;

void OnFault(int, siginfo_t* info, void*)
{
    if (g_plane.InGuard(info->si_addr)) {
        const char message[] = "sws_scale wrote past the canary after its destination\n";
        ssize_t ignored = write(2, message, sizeof message - 1);
        (void)ignored;
        _exit(3);
    }
    // Any other fault: the default action, on return.
}

}  // namespace

extern "C" int sws_scale(SwsContext* c, const uint8_t* const src[], const int srcStride[], int srcSliceY,
                         int srcSliceH, uint8_t* const dst[], const int dstStride[])
{
    static const auto real = reinterpret_cast<ScaleFunction>(dlsym(RTLD_NEXT, "sws_scale"));
    int64_t rows = 0;
    AVPixelFormat format = AV_PIX_FMT_NONE;
    av_opt_get_int(c, "dsth", 0, &rows);
    av_opt_get_pixel_fmt(c, "dst_format", 0, &format);
    if (format != AV_PIX_FMT_RGB24 || rows <= 0 || dstStride[0] <= 0 || !dst[0])
        return real(c, src, srcStride, srcSliceY, srcSliceH, dst, dstStride);

    std::lock_guard<std::mutex> lock(g_log.mutex);
    ++g_log.calls;
    if (reinterpret_cast<uintptr_t>(dst[0]) % 16 || dstStride[0] % 16)
        ++g_log.unaligned;
    static const bool direct = std::getenv("MV_SCALE_DIRECT") != nullptr;
    const size_t bytes = size_t(dstStride[0]) * size_t(rows);
    uint8_t* image = direct ? nullptr : g_plane.Place(bytes);
    if (!image)
        return real(c, src, srcStride, srcSliceY, srcSliceH, dst, dstStride);
    uint8_t* const planes[4] = {image, nullptr, nullptr, nullptr};
    const int result = real(c, src, srcStride, srcSliceY, srcSliceH, planes, dstStride);
    g_log.overrun = std::max(g_log.overrun, GuardedPlane::Overrun(image + bytes));
    std::memcpy(dst[0], image, bytes);
    return result;
}

namespace {

// The picture: four grey quadrants, luma 40 / 100 (right) / 160 (bottom) / 220.
int QuadrantLuma(int x, int y, int w, int h)
{
    return 40 + (2 * x >= w ? 60 : 0) + (2 * y >= h ? 120 : 0);
}

int GreyOf(int luma)  // limited-range luma as full-range RGB
{
    return int(std::lround((luma - 16) * 255.0 / 219.0));
}

struct Case {
    int w, h;
    const char* pixFmt;
    const char* codec;  // libx264 (even sizes) or ffv1 (any size)
    const char* sar;
};

const Case kCases[] = {
    {1, 1, "yuv420p", "ffv1", "1"},
    {2, 2, "yuv420p", "ffv1", "1"},
    {7, 5, "yuv420p", "ffv1", "1"},
    {33, 17, "yuv420p", "ffv1", "1"},
    {360, 640, "yuv420p", "libx264", "1"},
    {720, 576, "yuv420p", "libx264", "16/15"},  // anamorphic PAL
    {1080, 1350, "yuv420p", "libx264", "1"},
    {1080, 1920, "yuv420p", "libx264", "1"},
    {1366, 768, "yuv420p", "libx264", "1"},
    {1920, 1080, "yuv420p", "libx264", "1"},
    {3840, 2160, "yuv420p", "libx264", "1"},
    {853, 481, "yuv420p", "ffv1", "1"},
    {360, 640, "yuv444p", "libx264", "1"},
    {1080, 1920, "yuv420p10le", "libx264", "1"},
    {853, 481, "yuv444p", "ffv1", "1"},
};

std::string MakeCase(const TempDir& dir, const Case& c)
{
    const std::string name = std::to_string(c.w) + "x" + std::to_string(c.h) + "-" + c.pixFmt +
                             (std::string(c.codec) == "ffv1" ? ".mkv" : ".mp4");
    const std::string path = dir / name;
    const std::string source = "nullsrc=s=" + std::to_string(c.w) + "x" + std::to_string(c.h) +
                               ":r=10:d=0.5,format=yuv420p,geq=lum='40+60*gte(2*X,W)+120*gte(2*Y,H)':cb=128:cr=128,"
                               "format=" + c.pixFmt + ",setsar=" + c.sar;
    std::vector<std::string> argv = {"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y",
                                     "-f", "lavfi", "-i", source, "-c:v", c.codec};
    if (std::string(c.codec) == "libx264")
        argv.insert(argv.end(), {"-preset", "ultrafast", "-qp", "10", "-pix_fmt", c.pixFmt});
    argv.push_back(path);
    return Run(argv).status == 0 ? path : std::string();
}

// What the frame callback saw during one case.
struct Frames {
    std::mutex mutex;
    const Case* c = nullptr;
    int count = 0;
    std::vector<std::string> faults;
};

int OnFrame(unsigned char* pixels, intptr_t rowBytes, int width, int height, void* context)
{
    auto* seen = static_cast<Frames*>(context);
    std::lock_guard<std::mutex> lock(seen->mutex);
    ++seen->count;
    const Case& c = *seen->c;
    auto fault = [&](const std::string& text) {
        if (seen->faults.size() < 8)
            seen->faults.push_back("frame " + std::to_string(seen->count) + ": " + text);
    };
    if (width != c.w || height != c.h || rowBytes != intptr_t(c.w) * 3) {
        fault("delivered " + std::to_string(width) + "x" + std::to_string(height) + " with rows of " +
              std::to_string(rowBytes) + " bytes");
        return 0;
    }
    // The corners and the middle, packed rows of width * 3 bytes.
    const int xs[] = {0, c.w - 1, c.w / 2, 0, c.w - 1};
    const int ys[] = {0, 0, c.h / 2, c.h - 1, c.h - 1};
    for (int k = 0; k < 5; ++k) {
        const unsigned char* p = pixels + (size_t(ys[k]) * size_t(c.w) + size_t(xs[k])) * 3;
        const int want = GreyOf(QuadrantLuma(xs[k], ys[k], c.w, c.h));
        for (int channel = 0; channel < 3; ++channel)
            if (std::abs(int(p[channel]) - want) > 12) {
                fault("pixel (" + std::to_string(xs[k]) + "," + std::to_string(ys[k]) + ") channel " +
                      std::to_string(channel) + " is " + std::to_string(p[channel]) + ", not about " +
                      std::to_string(want));
                break;
            }
    }
    return 0;
}

std::string PlayArgs(const std::string& path)
{
    return " -stats 1  -file \"" + path + "\" ";  // the temporary names need no escapes
}

class PyFrameSizesTest : public PyFixture {};

TEST_F(PyFrameSizesTest, EverySizeAndFormatPlaysInsideItsBuffers)
{
    struct sigaction action = {};
    action.sa_sigaction = OnFault;
    action.sa_flags = SA_SIGINFO | SA_RESETHAND;
    sigaction(SIGSEGV, &action, nullptr);

    TempDir dir;
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h) + " " + c.pixFmt + " " + c.codec);
        const std::string path = MakeCase(dir, c);
        ASSERT_FALSE(path.empty()) << "ffmpeg could not make the clip";
        {
            std::lock_guard<std::mutex> lock(g_log.mutex);
            g_log.calls = 0;
            g_log.overrun = 0;
            g_log.unaligned = 0;
        }
        Frames seen;
        seen.c = &c;
        py->Reset(py->handle);
        py->SetFrameCallback(py->handle, OnFrame, &seen);
        py->SetPositionCallback(py->handle, nullptr, nullptr);
        EXPECT_EQ(py->Play(py->handle, PlayArgs(path).c_str(), 0), ZR_PY_ENDED);

        std::lock_guard<std::mutex> frames(seen.mutex);
        std::lock_guard<std::mutex> scaler(g_log.mutex);
        EXPECT_GE(seen.count, 1);
        EXPECT_GE(g_log.calls, seen.count) << "frames that did not come through sws_scale";
        EXPECT_EQ(g_log.overrun, 0u) << "bytes written past the scaler's destination";
        EXPECT_EQ(g_log.unaligned, 0) << "destinations off libswscale's 16-byte alignment";
        for (const std::string& fault : seen.faults)
            ADD_FAILURE() << fault;
    }
    py->SetFrameCallback(py->handle, nullptr, nullptr);
}

}  // namespace
