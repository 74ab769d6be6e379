// The catalog the build ships: its shape, and every shown profile converting
// a generated clip through the installed ffmpeg.
#include <gtest/gtest.h>

#include <algorithm>
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
            std::vector<std::string> argv = {"ffmpeg", "-nostdin", "-hide_banner", "-v", "error", "-y", "-i", clip};
            for (const std::string& t : Tokens(p.params))
                argv.push_back(t);
            // Bounded work on a loaded machine: one thread per encoder, and
            // the fastest preset where the profile's encoder has presets
            // (neither changes the streams or the duration checked here).
            argv.insert(argv.end(), {"-threads", "1"});
            const std::string encoder = Option(p.params, "-vcodec");
            if (encoder == "libx264" || encoder == "libx265")
                argv.insert(argv.end(), {"-preset", "ultrafast"});
            argv.push_back(out);
            mvtest::RunResult r = mvtest::Run(argv);
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
    unsigned threads = std::max(2u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(worker);
    for (std::thread& t : pool)
        t.join();
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(failures[i], "") << shown[i].id << "\n  " << shown[i].params;
}

}  // namespace
