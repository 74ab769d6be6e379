// The playback job with real windows: positions and the end event reach the
// event window, frames reach the canvas as copies, and stopping or closing
// silences the callbacks.
#include "EventTypes.h"
#include "JobServices.h"
#include "MediaInfo.h"
#include "MediaSet.h"
#include "PlayJob.h"
#include "RunQueueWait.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/image.h>

using namespace mvtest;
using Clock = std::chrono::steady_clock;

namespace {

double Since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// A wait for what must come gives up after this: a hang, not a slow machine.
constexpr int kHangCeilingMs = 120000;

class PlayJobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallRealServices();
        frame = new wxFrame(nullptr, 2140, "preview");
        canvas = new wxWindow(frame, wxID_ANY, wxPoint(0, 0), wxSize(320, 240));
        frame->Bind(EVT_PLAYER_POSITION, [this](wxCommandEvent& e) {
            positions.push_back(e.GetInt());
            ids.push_back(e.GetId());
        });
        frame->Bind(wxEVT_THREAD, [this](wxThreadEvent& e) {
            if (e.GetId() == 2149)
                ++ends;
        });
        canvas->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(canvas);
            ++paints;
            wxImage image;
            // Repaints queued by the last frames may come after the record is gone.
            if (job && job->CopyFrame(image))
                lastFrame = image.GetSize();
        });
        frame->Show();
        loop = std::make_unique<wxGUIEventLoop>();
        activator = std::make_unique<wxEventLoopActivator>(loop.get());

        job = std::make_unique<PlayJob>();
        job->media = &media;
        job->eventWindow = frame;
        job->canvas = canvas;
        job->durationSeconds = 4;
    }
    void TearDown() override
    {
        job.reset();
        Pump(50);
        frame->Destroy();
        Pump(20);
        activator.reset();
        loop.reset();
        UninstallServices();
    }
    // Runs the toolkit's events for a while, or until `until` holds.
    void Pump(int ms, const std::function<bool()>& until = nullptr)
    {
        auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < end && !(until && until())) {
            while (loop->Pending())
                loop->Dispatch();
            wxTheApp->ProcessPendingEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    // After what was queued has been handled, nothing new arrives for a while.
    void ExpectQuiet(int ms)
    {
        Pump(100);
        size_t seen = positions.size();
        int painted = paints;
        Pump(ms);
        EXPECT_EQ(positions.size(), seen);
        EXPECT_EQ(paints, painted);
    }

    wxFrame* frame = nullptr;
    wxWindow* canvas = nullptr;
    std::unique_ptr<wxGUIEventLoop> loop;
    std::unique_ptr<wxEventLoopActivator> activator;
    MediaInfo media;
    std::unique_ptr<PlayJob> job;
    std::vector<int> positions, ids;
    int ends = 0;
    int paints = 0;
    wxSize lastFrame;
};

TEST(PlayerArgumentsTest, PathInQuotesAfterTheTwoTexts)
{
    EXPECT_EQ(BuildPlayerArguments("/v/clip.avi"), " -stats 1  -file \"/v/clip.avi\" ");
    // Backslashes are part of a name here: kept, and escaped with quotes.
    EXPECT_EQ(BuildPlayerArguments("/v/a\\b\"c.avi"), " -stats 1  -file \"/v/a\\\\b\\\"c.avi\" ");
}

TEST_F(PlayJobTest, PlaysToTheEndWithOneEndEvent)
{
    TempDir dir;
    const std::string name = AwkwardNames()[4];  // quotes and backslashes
    ASSERT_TRUE(CopyFile(MediaPath(Media::Mp4), dir / name));
    media.path = wxString::FromUTF8(dir / name);
    ASSERT_TRUE(StartPlayJob(job.get()));
    EXPECT_FALSE(job->finished.load());
    Pump(kHangCeilingMs, [&] { return ends > 0; });
    EXPECT_EQ(ends, 1);
    Pump(300);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(job->finished.load());
    EXPECT_FALSE(job->Running());
    ASSERT_FALSE(positions.empty());
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(positions.back(), 4);
    for (int id : ids)
        EXPECT_EQ(id, 2140);
    EXPECT_GT(paints, 20);
    EXPECT_EQ(lastFrame, wxSize(320, 240));
    EXPECT_EQ(job->FrameWidth(), 320);
    wxImage image;
    EXPECT_FALSE(job->CopyFrame(image)) << "no frame once finished";
}

TEST_F(PlayJobTest, StopSilencesAndWaitsForTheThread)
{
    media.path = wxString::FromUTF8(MediaPath(Media::Long));
    ASSERT_TRUE(StartPlayJob(job.get()));
    Pump(kHangCeilingMs, [&] { return positions.size() >= 2 && paints > 3; });
    RunQueueWait waited;
    auto t0 = Clock::now();
    StopPlayJob(job.get());
    // Far less than the 40 s left to play, however loaded the machine.
    EXPECT_LT(Since(t0), 0.5 + waited.MayRunLateBy());
    EXPECT_FALSE(job->Running());
    ExpectQuiet(400);
    EXPECT_EQ(ends, 1);
}

TEST_F(PlayJobTest, SilencedCallbacksPostNothing)
{
    media.path = wxString::FromUTF8(MediaPath(Media::Long));
    ASSERT_TRUE(StartPlayJob(job.get()));
    Pump(kHangCeilingMs, [&] { return positions.size() >= 2; });
    job->Silence();
    ExpectQuiet(1200);
    EXPECT_TRUE(job->Running()) << "the player still plays, quietly";
    StopPlayJob(job.get());
    EXPECT_FALSE(job->Running());
}

TEST_F(PlayJobTest, ClosingWhilePlayingAndRestarting)
{
    media.path = wxString::FromUTF8(MediaPath(Media::Long));
    ASSERT_TRUE(StartPlayJob(job.get()));
    Pump(kHangCeilingMs, [&] { return !positions.empty(); });
    // A second start stops the first playback before it plays again.
    ASSERT_TRUE(StartPlayJob(job.get()));
    Pump(kHangCeilingMs, [&] { return ends == 1 && paints > 3; });
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(job->Running());
    // The owner goes away while playing: the record waits for its thread.
    job.reset();
    Pump(kHangCeilingMs, [&] { return ends == 2; });
    Pump(100);
    EXPECT_EQ(ends, 2);
}

TEST_F(PlayJobTest, UnplayableFileEndsAtOnce)
{
    media.path = wxString::FromUTF8(MediaPath(Media::Random));
    RunQueueWait waited;
    auto t0 = Clock::now();
    ASSERT_TRUE(StartPlayJob(job.get()));
    Pump(kHangCeilingMs, [&] { return ends > 0; });
    EXPECT_LT(Since(t0), 2.0 + waited.MayRunLateBy());
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(positions.empty());
}

}  // namespace
