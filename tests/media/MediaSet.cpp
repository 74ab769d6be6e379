#include "MediaSet.h"

#include "TestSupport.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace mvtest {

namespace {

std::string CacheDir()
{
    const char* bin = std::getenv("MV_BINARY_DIR");
    std::string dir = std::string(bin && *bin ? bin : "/tmp") + "/tests/media-cache";
    fs::create_directories(dir);
    return dir;
}

const char* FileName(Media kind)
{
    switch (kind) {
    case Media::Mp4: return "clip.mp4";
    case Media::Mkv: return "clip.mkv";
    case Media::MkvVideo: return "video.mkv";
    case Media::Avi: return "clip.avi";
    case Media::Webm: return "clip.webm";
    case Media::AudioOnly: return "audio.mp3";
    case Media::VideoOnly: return "video.mp4";
    case Media::ZeroByte: return "empty.mp4";
    case Media::Truncated: return "truncated.mp4";
    case Media::Random: return "random.mp4";
    case Media::Long: return "long.mp4";
    case Media::Hd: return "hd.mp4";
    case Media::LateSound: return "late-sound.mp4";
    case Media::Numbered: return "numbered.mp4";
    case Media::Damaged: return "damaged.mp4";
    case Media::ShortSound: return "short-sound.mp4";
    case Media::VbrMp3: return "vbr.mp3";
    case Media::VbrAdts: return "vbr.aac";
    case Media::Corrupted: return "corrupted.mkv";
    case Media::NumberedUhd: return "numbered-uhd.mp4";
    }
    return "unknown";
}

bool Lavfi(const std::string& out, const std::string& video, const std::string& audio,
           const std::vector<std::string>& codecs)
{
    std::vector<std::string> argv = {"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y"};
    if (!video.empty())
        argv.insert(argv.end(), {"-f", "lavfi", "-i", video});
    if (!audio.empty())
        argv.insert(argv.end(), {"-f", "lavfi", "-i", audio});
    argv.insert(argv.end(), codecs.begin(), codecs.end());
    argv.push_back(out);
    return Run(argv).status == 0;
}

bool Generate(Media kind, const std::string& out)
{
    const std::string v4 = "testsrc2=size=320x240:rate=25:duration=4";
    const std::string a4 = "sine=frequency=440:sample_rate=44100:duration=4";
    const std::vector<std::string> h264 = {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"};
    auto with = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    switch (kind) {
    case Media::Mp4:
        return Lavfi(out, v4, a4, with(h264, {"-c:a", "aac", "-b:a", "128k", "-shortest"}));
    case Media::Mkv:
        return Lavfi(out, v4, a4, with(h264, {"-c:a", "aac", "-b:a", "128k", "-shortest"}));
    case Media::MkvVideo:
        return Lavfi(out, v4, "", h264);
    case Media::Avi:
        return Lavfi(out, v4, a4, {"-c:v", "mpeg4", "-b:v", "600k", "-c:a", "libmp3lame", "-b:a", "128k", "-shortest"});
    case Media::Webm:
        return Lavfi(out, v4, a4, {"-c:v", "libvpx", "-deadline", "realtime", "-b:v", "500k", "-c:a", "libvorbis", "-shortest"});
    case Media::AudioOnly:
        return Lavfi(out, "", "sine=frequency=660:sample_rate=48000:duration=4",
                     {"-ac", "1", "-c:a", "libmp3lame", "-b:a", "96k"});
    case Media::VideoOnly:
        return Lavfi(out, "testsrc2=size=640x360:rate=30:duration=4", "", h264);
    case Media::ZeroByte:
        WriteFile(out, "");
        return true;
    case Media::Truncated: {
        std::string whole = ReadFile(MediaPath(Media::Mp4));
        WriteFile(out, whole.substr(0, whole.size() / 2));
        return whole.size() > 1000;
    }
    case Media::Random: {
        std::mt19937 rng(12345);
        std::string bytes(200000, '\0');
        for (char& c : bytes)
            c = char(rng());
        WriteFile(out, bytes);
        return true;
    }
    case Media::Long:
        return Lavfi(out, "testsrc2=size=640x480:rate=25:duration=40",
                     "sine=frequency=440:sample_rate=44100:duration=40",
                     with(h264, {"-c:a", "aac", "-shortest"}));
    case Media::LateSound:
        return Run({"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i", v4,
                    "-itsoffset", "1.5", "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=2.5",
                    "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac", out})
                   .status == 0;
    case Media::Numbered:
        return Lavfi(out,
                     "nullsrc=size=320x240:rate=25:duration=12,format=yuv420p,"
                     "geq=lum='if(lt(Y,H/2),16+219*mod(floor(N/pow(2,floor(X*16/W))),2),128)':cb=128:cr=128",
                     "sine=frequency=440:sample_rate=44100:duration=12",
                     with(h264, {"-c:a", "aac", "-shortest"}));
    case Media::Damaged: {
        const std::string whole = out + ".whole.mp4";
        if (!Lavfi(whole, "testsrc2=size=320x240:rate=25:duration=10",
                   "sine=frequency=440:sample_rate=44100:duration=10",
                   with(h264, {"-c:a", "aac", "-shortest", "-movflags", "+faststart"})))
            return false;
        const std::string bytes = ReadFile(whole);
        fs::remove(whole);
        WriteFile(out, bytes.substr(0, bytes.size() * 3 / 10));
        return bytes.size() > 1000;
    }
    case Media::ShortSound:
        return Lavfi(out, "testsrc2=size=320x240:rate=25:duration=20",
                     "sine=frequency=440:sample_rate=44100:duration=8", with(h264, {"-c:a", "aac"}));
    case Media::VbrMp3:
    case Media::VbrAdts: {
        // The first packets are silence at the lowest rate, so that a length
        // taken from their rate comes out several times too long.
        const std::string sound =
            "aevalsrc='if(lt(t,10),0,0.5*sin(440*2*PI*t)+0.3*(random(0)*2-1))':s=44100:d=30";
        if (kind == Media::VbrMp3)
            return Lavfi(out, "", sound, {"-c:a", "libmp3lame", "-q:a", "2", "-write_xing", "0"});
        return Lavfi(out, "", sound, {"-c:a", "aac", "-q:a", "2"});
    }
    case Media::Corrupted: {
        // Half of the clusters after the damage are lost to the demuxer,
        // though the timestamps still run to the end.
        const std::string whole = out + ".whole.mkv";
        if (!Lavfi(whole, "testsrc2=size=320x240:rate=25:duration=10",
                   "sine=frequency=440:sample_rate=44100:duration=10",
                   with(h264, {"-c:a", "aac", "-shortest"})))
            return false;
        std::string bytes = ReadFile(whole);
        fs::remove(whole);
        if (bytes.size() < 100000)
            return false;
        std::mt19937 rng(1);
        for (size_t i = bytes.size() / 2 - 10000; i < bytes.size() / 2 + 10000; ++i)
            bytes[i] = char(rng());
        WriteFile(out, bytes);
        return true;
    }
    case Media::NumberedUhd:
        return Lavfi(out, "testsrc2=size=3840x2160:rate=25:duration=3" + NumberBand(3840, 2160, 7),
                     "sine=frequency=440:sample_rate=44100:duration=3",
                     with(h264, {"-c:a", "aac", "-shortest"}));
    case Media::Hd:
        return Lavfi(out, "testsrc2=size=1920x1080:rate=30:duration=10",
                     "sine=frequency=440:sample_rate=48000:duration=10",
                     with(h264, {"-c:a", "aac", "-shortest"}));
    }
    return false;
}

}  // namespace

std::string MediaPath(Media kind)
{
    std::string dir = CacheDir();
    std::string path = dir + "/" + FileName(kind);
    if (FileExists(path))
        return path;
    // One generator at a time across test processes.
    int lock = open((dir + "/.lock").c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
    if (lock >= 0)
        flock(lock, LOCK_EX);
    if (!FileExists(path)) {
        std::string ext = fs::path(path).extension().string();
        std::string temp = dir + "/.gen-" + std::to_string(getpid()) + ext;
        if (Generate(kind, temp))
            fs::rename(temp, path);
        else
            fs::remove(temp);
    }
    if (lock >= 0)
        close(lock);
    return path;
}

bool MakeAllMedia()
{
    bool all = true;
    for (int k = int(Media::Mp4); k <= int(kLastMedia); ++k)
        all = FileExists(MediaPath(Media(k))) && all;
    return all;
}

int PictureNumber(const unsigned char* rgb, int width, int height)
{
    if (!rgb || width < 16 || height < 4)
        return -1;
    int number = 0;
    const int bar = width / 16;
    for (int k = 0; k < 16; ++k) {
        const unsigned char* p = rgb + (size_t(height / 4) * size_t(width) + size_t(k * bar + bar / 2)) * 3;
        if (p[0] + p[1] + p[2] > 3 * 128)
            number |= 1 << k;
    }
    return number;
}

std::string NumberBand(int width, int height, int bits)
{
    const int bar = width / 16;
    const std::string band = ":y=" + std::to_string(height / 4 - 16) + ":h=32:t=fill";
    std::string filters = ",drawbox=x=0:w=" + std::to_string(16 * bar) + band + ":color=black";
    for (int k = 0; k < bits; ++k)
        filters += ",drawbox=x=" + std::to_string(k * bar) + ":w=" + std::to_string(bar) + band +
                   ":color=white:enable='mod(floor(n/" + std::to_string(1 << k) + "),2)'";
    return filters;
}

const std::vector<std::string>& AwkwardNames()
{
    static const std::vector<std::string> names = {
        "with blanks  in it.mp4", "quote\"d \"name\".mp4", "pi|pe|s.mp4", "back\\slash\\.mp4",
        "tr\\\"icky\\\\.mp4",     "Ünïcødé ñame 名前.mp4",  "-i.mp4",       "pipe:1.mp4",
    };
    return names;
}

bool CopyFile(const std::string& from, const std::string& to)
{
    std::error_code ec;
    return fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
}

}  // namespace mvtest
