// The catalog the build ships: its shape, and every shown profile converting
// a generated clip through the installed ffmpeg.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <atomic>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <wx/regex.h>

#include "CatalogFixture.h"
#include "FormatCatalog.h"
#include "TestSupport.h"

using catalogtest::W;

namespace {

std::string U(const wxString& text) { return text.utf8_string(); }

struct Profile {
    std::string category, id, alias, image, params;
};

class ShippedCatalog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(LoadCatalogFile(doc, W(mvtest::StageDir() + "/Plugin/FormatList/format_catalog.bin")));
        for (const wxXmlNode* group = FirstElement(doc.GetRoot()); group; group = NextElement(group)) {
            categories.push_back(group);
            if (!IsShownNode(group))
                continue;
            for (const wxXmlNode* p = FirstElement(group); p; p = NextElement(p))
                if (IsShownNode(p))
                    shown.push_back({U(group->GetAttribute("id")), U(p->GetAttribute("id")),
                                     U(p->GetAttribute("alias")), U(p->GetAttribute("image")),
                                     U(p->GetAttribute("transfer_extra_param"))});
        }
    }

    static std::vector<std::string> Tokens(const std::string& text)
    {
        std::istringstream in(text);
        std::vector<std::string> tokens;
        for (std::string t; in >> t;)
            tokens.push_back(t);
        return tokens;
    }

    static std::string Option(const std::string& params, const std::string& name)
    {
        std::vector<std::string> t = Tokens(params);
        auto it = std::find(t.begin(), t.end(), name);
        return it != t.end() && it + 1 != t.end() ? *(it + 1) : std::string();
    }

    static bool AudioOnly(const std::string& params)
    {
        std::vector<std::string> t = Tokens(params);
        return std::find(t.begin(), t.end(), "-vn") != t.end();
    }

    // ffmpeg converting `input` to `out` with a profile's parameters. Bounded
    // work on a loaded machine: one thread per encoder, and the fastest preset
    // where the profile's encoder has presets (neither changes the streams,
    // the duration or the frame geometry checked here).
    static std::vector<std::string> ConvertArgs(const Profile& p, const std::string& input,
                                                const std::string& out)
    {
        std::vector<std::string> argv = {"ffmpeg", "-nostdin", "-hide_banner", "-v", "error", "-y", "-i", input};
        for (const std::string& t : Tokens(p.params))
            argv.push_back(t);
        argv.insert(argv.end(), {"-threads", "1"});
        const std::string encoder = Option(p.params, "-vcodec");
        if (encoder == "libx264" || encoder == "libx265")
            argv.insert(argv.end(), {"-preset", "ultrafast"});
        argv.push_back(out);
        return argv;
    }

    // Runs `worker` on a few threads at once; it takes its own work items.
    template <typename Worker>
    static void RunOnThreads(Worker& worker)
    {
        unsigned threads = std::max(2u, std::min(4u, std::thread::hardware_concurrency()));
        std::vector<std::thread> pool;
        for (unsigned t = 0; t < threads; ++t)
            pool.emplace_back(worker);
        for (std::thread& t : pool)
            t.join();
    }

    wxXmlDocument doc;
    std::vector<const wxXmlNode*> categories;
    std::vector<Profile> shown;
};

TEST_F(ShippedCatalog, HasTheGroupsAndProfilesPeopleExpect)
{
    std::set<std::string> ids, aliases, withProfiles;
    bool recent = false, user = false;
    for (const wxXmlNode* group : categories) {
        recent |= group->GetAttribute("id") == "Recent" && IsShownNode(group);
        user |= group->GetAttribute("id") == "User Defined" && IsShownNode(group);
    }
    EXPECT_TRUE(recent);
    EXPECT_TRUE(user);

    wxRegEx label("\\(\\*\\.[a-z0-9]+\\)$");
    for (const Profile& p : shown) {
        withProfiles.insert(p.category);
        EXPECT_TRUE(ids.insert(p.id).second) << "duplicate id " << p.id;
        EXPECT_TRUE(aliases.insert(p.alias).second) << "duplicate alias " << p.alias;
        EXPECT_TRUE(label.Matches(W(p.id))) << p.id;
        EXPECT_TRUE(label.Matches(W(p.alias))) << p.alias;
        EXPECT_EQ(ExtensionFromLabel(W(p.id)), ExtensionFromLabel(W(p.alias))) << p.id;

        // Rates as the size estimate reads them; audio-only means no "-b".
        ProfileRates rates = ParseProfileRates(W(p.params));
        EXPECT_GT(rates.audioKbps, 0) << p.id;
        if (AudioOnly(p.params))
            EXPECT_EQ(Option(p.params, "-b"), "") << p.id;
        else
            EXPECT_GT(rates.videoKbps, 0) << p.id;
    }
    EXPECT_GE(withProfiles.size(), 8u);
    EXPECT_GE(shown.size(), 40u);

    // What the start-up takes: the first shown profile.
    FormatEntry first;
    ASSERT_TRUE(FindProfile(doc, "", first));
    EXPECT_EQ(ExtensionFromLabel(first.id), "mp4");
}

TEST_F(ShippedCatalog, EveryIconIsInTheSkinList)
{
    std::set<std::string> listed;
    std::istringstream in(mvtest::ReadFile(MV_ICON_LIST));
    for (std::string line; std::getline(in, line);)
        listed.insert(line);
    for (const wxXmlNode* group : categories)
        EXPECT_TRUE(listed.count(U(group->GetAttribute("image")))) << U(group->GetAttribute("id"));
    for (const Profile& p : shown)
        EXPECT_TRUE(listed.count(p.image)) << p.id;
}

TEST_F(ShippedCatalog, EveryShownProfileHasItsSettingsLists)
{
    wxXmlDocument settings;
    ASSERT_TRUE(LoadCatalogFile(settings, W(mvtest::StageDir() + "/Plugin/FormatList/settings.bin")));
    std::map<std::string, const wxXmlNode*> entries;
    for (const wxXmlNode* group = FirstElement(settings.GetRoot()); group; group = NextElement(group))
        for (const wxXmlNode* e = FirstElement(group); e; e = NextElement(e))
            entries[U(e->GetAttribute("id"))] = e;
    for (const Profile& p : shown) {
        auto it = entries.find(p.alias);
        ASSERT_NE(it, entries.end()) << p.alias;
        std::vector<int> counts;
        for (const wxXmlNode* block = FirstElement(it->second); block; block = NextElement(block)) {
            int n = 0;
            for (const wxXmlNode* v = FirstElement(block); v; v = NextElement(v))
                n += !v->GetNodeContent().empty();
            counts.push_back(n);
        }
        EXPECT_EQ(counts, (std::vector<int>{4, 4, 2})) << p.alias;
    }
}

// ffmpeg encoder -> the codec ffprobe reports.
const std::map<std::string, std::string> kCodecOf = {
    {"libx264", "h264"}, {"libx265", "hevc"}, {"libvpx-vp9", "vp9"}, {"libvpx", "vp8"},
    {"mpeg4", "mpeg4"}, {"libxvid", "mpeg4"}, {"mpeg2video", "mpeg2video"}, {"mpeg1video", "mpeg1video"},
    {"wmv2", "wmv2"}, {"flv", "flv1"}, {"libtheora", "theora"}, {"h263", "h263"},
    {"aac", "aac"}, {"libmp3lame", "mp3"}, {"libopus", "opus"}, {"libvorbis", "vorbis"}, {"ac3", "ac3"},
    {"mp2", "mp2"}, {"wmav2", "wmav2"}, {"flac", "flac"}, {"alac", "alac"}, {"pcm_s16le", "pcm_s16le"},
};

TEST_F(ShippedCatalog, EveryShownProfileConvertsAClipThroughFfmpeg)
{
    ASSERT_TRUE(mvtest::HaveProgram("ffmpeg"));
    mvtest::TempDir dir;
    std::string clip = dir / "clip.mp4";
    ASSERT_TRUE(mvtest::MakeClip(clip, 1, {"-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a", "aac"}));

    std::vector<std::string> failures(shown.size());
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i; (i = next++) < shown.size();) {
            const Profile& p = shown[i];
            std::string out = dir / ("out" + std::to_string(i) + "." + U(ExtensionFromLabel(W(p.id))));
            mvtest::RunResult r = mvtest::Run(ConvertArgs(p, clip, out));
            if (r.status != 0) {
                failures[i] = "ffmpeg status " + std::to_string(r.status) + ": " + r.err;
                continue;
            }
            // Streams as "codec_name codec_type" pairs, one value a line;
            // the DVD muxer's navigation packets show as a data stream.
            std::istringstream probe(mvtest::Probe(out, "stream=codec_name,codec_type"));
            std::set<std::string> streams;
            for (std::string name, type; probe >> name >> type;)
                if (type != "data")
                    streams.insert(type + ":" + name);
            // An encoder missing from the table fails the profile, not the worker.
            auto codec = [](const std::string& encoder) {
                const auto it = kCodecOf.find(encoder);
                return it != kCodecOf.end() ? it->second : "unlisted encoder '" + encoder + "'";
            };
            std::set<std::string> expected;
            if (!AudioOnly(p.params))
                expected.insert("video:" + codec(Option(p.params, "-vcodec")));
            expected.insert("audio:" + codec(Option(p.params, "-acodec")));
            if (streams != expected) {
                std::string got, wanted;
                for (const std::string& s : streams)
                    got += s + " ";
                for (const std::string& s : expected)
                    wanted += s + " ";
                failures[i] = "streams " + got + "instead of " + wanted;
                continue;
            }
            double seconds = std::atof(mvtest::Probe(out, "format=duration").c_str());
            if (seconds < 0.8 || seconds > 1.5)
                failures[i] = "duration " + std::to_string(seconds);
        }
    };
    RunOnThreads(worker);
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(failures[i], "") << shown[i].id << "\n  " << shown[i].params;
}


// "a:b" or "a/b" as a number; 0 for anything else.
double Ratio(const std::string& text)
{
    const size_t sep = text.find_first_of(":/");
    if (sep == std::string::npos)
        return 0;
    const double den = std::atof(text.c_str() + sep + 1);
    return den > 0 ? std::atof(text.c_str()) / den : 0;
}

// A profile with a fixed frame size fits every source shape inside it with
// bars: the frame and display aspect are the profile's, and the picture
// (white, the bars black) keeps the source's display aspect, also when the
// source's pixels are not square (a 16:9 PAL DVD picture).
TEST_F(ShippedCatalog, FixedSizeProfilesKeepThePictureShape)
{
    ASSERT_TRUE(mvtest::HaveProgram("ffmpeg"));
    mvtest::TempDir dir;
    struct Shape {
        int w, h;
        const char* sar;
        double aspect;  // shown width over height
    };
    const std::vector<Shape> shapes = {
        {320, 240, "1", 4.0 / 3}, {640, 360, "1", 16.0 / 9}, {360, 640, "1", 9.0 / 16},
        {720, 576, "64/45", 16.0 / 9}};
    auto source = [&](const Shape& s) {
        return dir / ("src" + std::to_string(s.w) + "x" + std::to_string(s.h) + ".mp4");
    };
    for (const Shape& s : shapes) {
        const std::string size = std::to_string(s.w) + ":" + std::to_string(s.h);
        ASSERT_TRUE(mvtest::MakeClip(source(s), 1,
                                     {"-vf", "scale=" + size + ",setsar=" + s.sar + ",lutyuv=y=235:u=128:v=128",
                                      "-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a", "aac"}));
    }
    struct Case {
        const Profile* profile;
        const Shape* shape;
    };
    std::vector<Case> cases;
    for (const Profile& p : shown)
        if (!Option(p.params, "-s").empty())
            for (const Shape& s : shapes)
                cases.push_back({&p, &s});
    ASSERT_GE(cases.size(), shapes.size() * 6u);

    std::vector<std::string> failures(cases.size());
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i; (i = next++) < cases.size();) {
            const Profile& p = *cases[i].profile;
            const std::string out = dir / ("out" + std::to_string(i) + "." + U(ExtensionFromLabel(W(p.id))));
            mvtest::RunResult r = mvtest::Run(ConvertArgs(p, source(*cases[i].shape), out));
            if (r.status != 0) {
                failures[i] = "ffmpeg status " + std::to_string(r.status) + ": " + r.err;
                continue;
            }
            // The frame and display aspect the profile names (square pixels without -aspect).
            const std::string frame = Option(p.params, "-s");
            const int fw = std::atoi(frame.c_str());
            const int fh = std::atoi(frame.c_str() + frame.find('x') + 1);
            const std::string aspect = Option(p.params, "-aspect");
            const double dar = aspect.empty() ? double(fw) / fh : Ratio(aspect);
            std::istringstream probe(
                mvtest::Probe(out, "stream=width,height,sample_aspect_ratio,display_aspect_ratio", "v:0"));
            int ow = 0, oh = 0;
            std::string sar, shownDar;
            probe >> ow >> oh >> sar >> shownDar;
            if (ow != fw || oh != fh || std::abs(Ratio(shownDar) / dar - 1) > 0.005) {
                failures[i] = "frame " + std::to_string(ow) + "x" + std::to_string(oh) + " aspect " + shownDar;
                continue;
            }
            // The bright area of the first decoded picture, in display units.
            const std::string gray = out + ".gray";
            r = mvtest::Run({"ffmpeg", "-nostdin", "-v", "error", "-y", "-i", out, "-frames:v", "1",
                             "-f", "rawvideo", "-pix_fmt", "gray", gray});
            const std::string pixels = mvtest::ReadFile(gray);
            if (r.status != 0 || pixels.size() != size_t(fw) * fh) {
                failures[i] = "decoding: " + r.err;
                continue;
            }
            int left = fw, right = -1, top = fh, bottom = -1;
            for (int y = 0; y < fh; ++y)
                for (int x = 0; x < fw; ++x)
                    if (static_cast<unsigned char>(pixels[size_t(y) * fw + x]) > 128) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
            if (right < 0) {
                failures[i] = "no picture";
                continue;
            }
            const double pixelAspect = dar * fh / fw;
            const double content = (right - left + 1) * pixelAspect / (bottom - top + 1);
            const double wanted = cases[i].shape->aspect;
            if (std::abs(content / wanted - 1) > 0.03)
                failures[i] = "picture " + std::to_string(right - left + 1) + "x" +
                              std::to_string(bottom - top + 1) + " shows " + std::to_string(content) +
                              " instead of " + std::to_string(wanted);
        }
    };
    RunOnThreads(worker);
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(failures[i], "") << cases[i].profile->id << " from " << cases[i].shape->w << "x"
                                   << cases[i].shape->h << " (" << cases[i].shape->sar << ")"
                                   << "\n  " << cases[i].profile->params;
}

}  // namespace
