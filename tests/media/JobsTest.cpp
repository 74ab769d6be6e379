// The media import and conversion jobs on their worker threads: order of
// visiting, events, row texts and records; progress, pause, stop and failure.
#include "AppServices.h"
#include "AppSettings.h"
#include "ConvertJob.h"
#include "EventTypes.h"
#include "FormatCatalog.h"
#include "ImportJob.h"
#include "JobServices.h"
#include "MediaSet.h"
#include "RowText.h"
#include "TaskThread.h"
#include "TestSupport.h"
#include "ZR_Py.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <memory>
#include <thread>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/xml/xml.h>

using namespace mvtest;

namespace {

class WxEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(wxInitialize()); }
    void TearDown() override { wxUninitialize(); }
};
::testing::Environment* const g_wx = ::testing::AddGlobalTestEnvironment(new WxEnvironment);

struct Seen {
    wxEventType type;
    int id;
    int value;
    wxString text;
};

// Collects the events that the jobs queue on it.
class Sink : public wxEvtHandler {
public:
    Sink()
    {
        Bind(EVT_MEDIA_IMPORT_PROGRESS, &Sink::OnEvent, this);
        Bind(EVT_CONVERT_FINISHED, &Sink::OnEvent, this);
    }
    std::vector<Seen> Drain()
    {
        wxAppConsole::GetInstance()->ProcessPendingEvents();
        return seen;
    }

private:
    void OnEvent(wxCommandEvent& e) { seen.push_back({e.GetEventType(), e.GetId(), e.GetInt(), e.GetString()}); }
    std::vector<Seen> seen;
};

// Cell events as the dialog's poster would queue them.
struct Cell {
    int id, percent, row, column, status;
    bool operator==(const Cell& o) const
    {
        return id == o.id && percent == o.percent && row == o.row && column == o.column && status == o.status;
    }
};
std::mutex g_cellsMutex;
std::vector<Cell> g_cells;

void RecordCell(wxEvtHandler*, int id, int percent, int row, int column, int status)
{
    std::lock_guard<std::mutex> lock(g_cellsMutex);
    g_cells.push_back({id, percent, row, column, status});
}

std::vector<Cell> Cells()
{
    std::lock_guard<std::mutex> lock(g_cellsMutex);
    return g_cells;
}

// Gives up only on a hang: real conversions on a loaded machine take long.
void WaitFor(const std::function<bool()>& done, int ms = 120000)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

std::unique_ptr<wxXmlDocument> Catalog(const wxString& id, const wxString& params)
{
    auto doc = std::make_unique<wxXmlDocument>();
    auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, "catalog");
    auto* group = new wxXmlNode(root, wxXML_ELEMENT_NODE, "group");
    group->AddAttribute("id", "Video");
    group->AddAttribute("isShow", "1");
    auto* profile = new wxXmlNode(group, wxXML_ELEMENT_NODE, "subsection");
    profile->AddAttribute("isShow", "1");
    profile->AddAttribute("id", id);
    profile->AddAttribute("transfer_extra_param", params);
    doc->SetRoot(root);
    return doc;
}

// ---------------------------------------------------------------- import job

class ImportJobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallRealServices();
        catalog = Catalog("MPEG-4 Video (*.mp4)", "-vcodec mpeg4 -b 1000k -ab 128k");
        settings.catalog = catalog.get();
        settings.profileId = "MPEG-4 Video (*.mp4)";
        settings.outputExtension = ".mp4";
        job.paths = &paths;
        job.failed = &failed;
        job.records = &records;
        job.dialog = &sink;
        job.settings = &settings;
    }
    void TearDown() override
    {
        job.WaitForEnd();
        for (MediaInfo* r : records)
            delete r;
        UninstallServices();
    }
    // Runs the job on a TaskThread and waits for its end.
    void RunJob()
    {
        ASSERT_EQ(StartTaskThread(CreateImportThread(&job)), wxTHREAD_NO_ERROR);
        WaitFor([&] { return !sink.Drain().empty() && !job.end.Running(); });
        job.WaitForEnd();
    }
    std::string Add(const std::string& name, Media kind)
    {
        std::string path = dir / name;
        EXPECT_TRUE(CopyFile(MediaPath(kind), path));
        paths.Add(wxString::FromUTF8(path));
        return path;
    }

    TempDir dir;
    Sink sink;
    AppSettings settings;
    std::unique_ptr<wxXmlDocument> catalog;
    wxArrayString paths, failed;
    std::vector<MediaInfo*> records;
    ImportJob job;
};

TEST_F(ImportJobTest, VisitsLastFirstAndPairsRowsWithRecords)
{
    std::string first = Add("first.mp4", Media::Mp4);
    std::string second = Add("second.mkv", Media::Mkv);
    std::string third = Add("third.avi", Media::Avi);
    RunJob();
    std::vector<Seen> events = sink.Drain();
    ASSERT_EQ(events.size(), 3u);  // no closing event without a failure
    const char* names[] = {"third.avi", "second.mkv", "first.mp4"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(events[k].id, ImportJob::kDialogId);
        EXPECT_EQ(events[k].value, k + 1);
        EXPECT_EQ(events[k].text, names[k]);
    }
    ASSERT_EQ(paths.size(), 3u);
    ASSERT_EQ(records.size(), 3u);
    const std::string sources[] = {first, second, third};
    for (size_t j = 0; j < 3; ++j) {
        wxArrayString f = RowText::Split(paths[j]);
        ASSERT_EQ(f.size(), 7u);
        const MediaInfo* r = records[2 - j];
        EXPECT_EQ(f[0], r->fileName);
        EXPECT_EQ(f[1], r->duration);
        EXPECT_EQ(f[1], "00:00:04");
        EXPECT_EQ(f[2], EstimateOutputSize(*catalog, settings.profileId, 4));
        EXPECT_FALSE(f[2].empty());
        EXPECT_EQ(f[3] + "." + wxString(sources[j]).AfterLast('.'), r->fileName);
        EXPECT_EQ(f[4], ".mp4");
        EXPECT_EQ(f[5], wxString::FromUTF8(sources[j]));
        EXPECT_EQ(f[6], settings.profileId);
        EXPECT_TRUE(r->path.empty());
        EXPECT_EQ(r->mediaLength, 4u);
        EXPECT_EQ(r->frameWidth, 320u);
        EXPECT_EQ(r->frameHeight, 240u);
        EXPECT_EQ(r->frameRate, 25u);
        EXPECT_EQ(r->sampleRate, 44100u);
        EXPECT_EQ(r->channel, 1u);
        EXPECT_EQ(r->channelLayout, "mono");
    }
    EXPECT_TRUE(failed.empty());
}

// The owner may wait for the job as soon as it has its thread: running from
// creation, ended by a thread deleted unstarted (a loading dialog that never
// ran) as well as by one that ran.
TEST_F(ImportJobTest, RunningFromTheThreadsCreationUntilItsLastTouch)
{
    TaskThread* unstarted = CreateImportThread(&job);
    EXPECT_TRUE(job.end.Running());
    delete unstarted;
    EXPECT_FALSE(job.end.Running());
    EXPECT_TRUE(sink.Drain().empty());

    Add("one.mp4", Media::Mp4);
    TaskThread* thread = CreateImportThread(&job);
    EXPECT_TRUE(job.end.Running());
    ASSERT_EQ(StartTaskThread(thread), wxTHREAD_NO_ERROR);
    job.WaitForEnd();
    EXPECT_FALSE(job.end.Running());
    EXPECT_EQ(records.size(), 1u);
}

TEST_F(ImportJobTest, UnplayableFilesAreSetApartWithAClosingEvent)
{
    Add("first.mp4", Media::Mp4);
    Add("second.mp4", Media::Random);
    Add("third.mp4", Media::Mp4);
    Add("fourth.mp4", Media::ZeroByte);
    RunJob();
    std::vector<Seen> events = sink.Drain();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].value, 1);
    EXPECT_EQ(events[0].text, "third.mp4");
    EXPECT_EQ(events[1].value, 2);
    EXPECT_EQ(events[1].text, "first.mp4");
    EXPECT_EQ(events[2].value, 4);
    EXPECT_EQ(events[2].text, "");
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(RowText::Split(paths[0])[0], "first.mp4");
    EXPECT_EQ(RowText::Split(paths[1])[0], "third.mp4");
    ASSERT_EQ(failed.size(), 2u);
    EXPECT_EQ(failed[0], "fourth.mp4");
    EXPECT_EQ(failed[1], "second.mp4");
    EXPECT_EQ(records.size(), 2u);
}

TEST_F(ImportJobTest, AwkwardNamesSurviveTheRowText)
{
    for (const std::string& name : AwkwardNames())
        Add(name, Media::Mp4);
    Add("no extension", Media::Mp4);
    settings.profileId = "Not In The Catalog (*.xyz)";
    RunJob();
    ASSERT_EQ(paths.size(), AwkwardNames().size() + 1);
    for (size_t j = 0; j < paths.size(); ++j) {
        wxArrayString f = RowText::Split(paths[j]);
        ASSERT_EQ(f.size(), 7u) << paths[j];
        std::string name = j < AwkwardNames().size() ? AwkwardNames()[j] : "no extension";
        EXPECT_EQ(f[0], wxString::FromUTF8(name));
        EXPECT_EQ(f[5], wxString::FromUTF8(dir / name));
        EXPECT_EQ(f[2], "") << "a profile the catalog lacks has no size";
        if (name == "no extension") {
            EXPECT_EQ(f[3], "no extension") << "a name without a dot is its own base name";
        } else {
            EXPECT_EQ(f[3] + ".mp4", f[0]);
        }
    }
}

TEST_F(ImportJobTest, NothingToProbeStillClosesTheDialog)
{
    RunJob();
    std::vector<Seen> events = sink.Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].value, 0);
    EXPECT_EQ(events[0].text, "");
}

TEST(RowTextTest, JoinAndSplitAreInverse)
{
    const std::vector<std::vector<wxString>> cases = {
        {"a", "b", "c"}, {"p|pe", "back\\slash\\", "", "\\|"}, {""}, {"ü", "|", "\\"},
    };
    for (const auto& c : cases) {
        wxArrayString fields;
        for (const auto& f : c)
            fields.Add(f);
        wxArrayString back = RowText::Split(RowText::Join(fields));
        EXPECT_EQ(std::vector<wxString>(back.begin(), back.end()), c) << RowText::Join(fields);
    }
    EXPECT_EQ(RowText::Join(wxArrayString(1, "x|y")), "x\\|y");
}

// ------------------------------------------------------------ conversion job

TEST(ConvertProgressTest, PercentOfTheTaskDuration)
{
    struct Case {
        int duration;
        double seconds;
        int finished;
        std::vector<int> posted;  // percents
        int result;
    } cases[] = {
        {200, 50, 0, {25}, 0},
        {200, 199.9, 0, {99}, 0},
        {200, 200, 0, {100}, 0},
        {200, 250, 0, {}, 0},
        {200, -0.5, 0, {0}, 0},
        {200, -5, 0, {}, 0},
        {200, 150, 1, {100}, -1},
        {0, 10, 0, {}, 0},  // a task of 0 seconds divides by nothing
        {0, 0, 1, {100}, -1},
        {200, std::nan(""), 0, {}, 0},
        {200, HUGE_VAL, 0, {}, 0},
    };
    for (const auto& c : cases) {
        {
            std::lock_guard<std::mutex> lock(g_cellsMutex);
            g_cells.clear();
        }
        Sink sink;
        ProgressTarget t;
        t.row = 3;
        t.column = 2;
        t.durationSeconds = c.duration;
        t.target = &sink;
        t.targetId = 2169;
        t.post = RecordCell;
        EXPECT_EQ(OnConvertProgress(&t, c.seconds, c.finished), c.result);
        std::vector<Cell> cells = Cells();
        ASSERT_EQ(cells.size(), c.posted.size()) << c.duration << " " << c.seconds;
        for (size_t k = 0; k < cells.size(); ++k)
            EXPECT_EQ(cells[k], (Cell{2169, c.posted[k], 3, 2, 0}));
    }
}

TEST(ConvertCommandLineTest, QuotesAndEscapes)
{
    EXPECT_EQ(BuildConvertCommandLine("/a b/in.mp4", "-vcodec mpeg4 -b 800k", "/o/out.avi"),
              "-ii \"/a b/in.mp4\" -vcodec mpeg4 -b 800k \"/o/out.avi\" ");
    EXPECT_EQ(BuildConvertCommandLine("/x/q\"uo\\te.mp4", "", "/o/b\\s.avi"),
              "-ii \"/x/q\\\"uo\\\\te.mp4\"  \"/o/b\\\\s.avi\" ");
}

class ConvertJobTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        {
            std::lock_guard<std::mutex> lock(g_cellsMutex);
            g_cells.clear();
        }
        NewJob();
    }
    void NewJob()
    {
        job.reset();  // waits for the thread's last use
        job = std::make_unique<ConvertJob>();
        job->target = &sink;
        job->targetId = 2169;
        job->postProgress = RecordCell;
    }
    void TearDown() override
    {
        job.reset();  // waits for the thread's last use
        UninstallServices();
    }
    void AddTasks(int n, int duration = 200)
    {
        for (int i = 0; i < n; ++i) {
            job->durations.Add(duration);
            job->inputs.Add(wxString::Format("/in/%d.mp4", i));
            job->params.Add("-vcodec mpeg4");
            job->outputs.Add(wxString::Format("/out/%d.avi", i));
        }
    }
    void Start()
    {
        job->control = 0;
        job->status = 2;
        ASSERT_TRUE(StartConvertJob(job.get()));
    }
    void WaitFinished()
    {
        WaitFor([&] { return job->status == 0; });
        ASSERT_EQ(job->status.load(), 0);
        job->WaitForEnd();
    }
    int FinishedEvents()
    {
        int n = 0;
        for (const Seen& s : sink.Drain())
            if (s.type == EVT_CONVERT_FINISHED && s.id == 2169)
                ++n;
        return n;
    }
    // The rows of the cells posted with the given ProgressTarget::Status.
    std::vector<int> StatusOfRows(int state)
    {
        std::vector<int> rows;
        for (const Cell& c : Cells())
            if (c.status == state)
                rows.push_back(c.row);
        return rows;
    }

    Sink sink;
    std::unique_ptr<ConvertJob> job;
    ScriptedConverter ct;
};

TEST_F(ConvertJobTest, EmptyRunFinishesAtOnce)
{
    InstallScriptedConverter(ct);
    Start();
    WaitFinished();
    EXPECT_EQ(FinishedEvents(), 1);
    EXPECT_TRUE(ct.lines.empty());
}

TEST_F(ConvertJobTest, TasksRunInOrderWithTheirCommandLinesAndPercents)
{
    ct.script = {{{50, 100}, ZR_CT_DONE}, {{199.9}, ZR_CT_DONE}};
    InstallScriptedConverter(ct);
    AddTasks(2);
    job->inputs[1] = "/in/q\"uo\\te.mp4";
    ct.released = 2;
    Start();
    WaitFinished();
    ASSERT_EQ(ct.lines.size(), 2u);
    EXPECT_EQ(ct.lines[0], "-ii \"/in/0.mp4\" -vcodec mpeg4 \"/out/0.avi\" ");
    EXPECT_EQ(ct.lines[1], "-ii \"/in/q\\\"uo\\\\te.mp4\" -vcodec mpeg4 \"/out/1.avi\" ");
    std::vector<Cell> expected = {{2169, 25, 0, 2, 0}, {2169, 50, 0, 2, 0}, {2169, 100, 0, 2, 0},
                                  {2169, 99, 1, 2, 0}, {2169, 100, 1, 2, 0}};
    EXPECT_EQ(Cells(), expected);
    EXPECT_EQ(FinishedEvents(), 1);
}

TEST_F(ConvertJobTest, AFailedFileIsReportedAndTheRunGoesOn)
{
    ct.script = {{{10}, ZR_CT_DONE}, {{10}, ZR_CT_FAILED}, {{10}, ZR_CT_DONE}};
    InstallScriptedConverter(ct);
    AddTasks(3);
    ct.released = 3;
    Start();
    WaitFinished();
    EXPECT_EQ(ct.lines.size(), 3u);
    EXPECT_EQ(StatusOfRows(ProgressTarget::STATUS_FAILED), std::vector<int>{1});
    EXPECT_EQ(FinishedEvents(), 1);
}

TEST_F(ConvertJobTest, PauseDuringASecondFileHoldsTheThird)
{
    ct.script = {{{}, ZR_CT_DONE}, {{}, ZR_CT_DONE}, {{}, ZR_CT_DONE}};
    InstallScriptedConverter(ct);
    AddTasks(3);
    ct.released = 1;
    Start();
    ASSERT_TRUE(ct.WaitRunning(1));
    ToggleConvertPause(job.get());
    EXPECT_EQ(job->control.load(), 2);
    EXPECT_EQ(job->status.load(), 1);
    ct.Release();  // the second file ends while paused
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(ct.lines.size(), 2u) << "the third file started during the pause";
    ToggleConvertPause(job.get());
    EXPECT_EQ(job->status.load(), 2);
    ASSERT_TRUE(ct.WaitLines(3));
    ct.Release();
    WaitFinished();
    EXPECT_EQ(ct.pauseToggles, 2);
    EXPECT_EQ(FinishedEvents(), 1);
}

// Pause toggled from another thread, over and over, while the last file ends:
// wherever the end falls among the toggles, the shared converter is left
// unpaused (an even number of toggles) for the next run, the run finishes
// once, and toggles of the finished run do nothing.
TEST_F(ConvertJobTest, PauseAsTheLastFileEndsLeavesTheConverterRunning)
{
    InstallScriptedConverter(ct);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        NewJob();
        {
            std::lock_guard<std::mutex> lock(ct.mutex);
            ct.script = {{{}, ZR_CT_DONE}};
            ct.lines.clear();
            ct.released = 0;
            ct.pauseToggles = 0;
        }
        AddTasks(1);
        Start();
        ASSERT_TRUE(ct.WaitRunning(0));
        // Pause and resume pressed without a break while the last file ends.
        std::thread presser([&] {
            while (job->status != 0)
                ToggleConvertPause(job.get());
        });
        ct.Release();
        presser.join();
        WaitFinished();
        {
            std::lock_guard<std::mutex> lock(ct.mutex);
            EXPECT_EQ(ct.pauseToggles % 2, 0) << "the converter stays paused for the next run";
        }
        ToggleConvertPause(job.get());
        EXPECT_EQ(job->status.load(), 0);
        EXPECT_EQ(FinishedEvents(), round + 1);  // one per run
    }
    std::lock_guard<std::mutex> lock(ct.mutex);
    EXPECT_EQ(ct.pauseToggles % 2, 0);
}

TEST_F(ConvertJobTest, StopDuringASecondFileEndsTheRun)
{
    InstallScriptedConverter(ct);
    ct.script = {{{}, ZR_CT_DONE}, {{}, ZR_CT_DONE}, {{}, ZR_CT_DONE}};
    AddTasks(3);
    ct.released = 1;
    Start();
    ASSERT_TRUE(ct.WaitRunning(1));
    StopConvertJob(job.get());
    WaitFinished();
    EXPECT_EQ(ct.lines.size(), 2u);
    EXPECT_EQ(StatusOfRows(ProgressTarget::STATUS_STOPPED), std::vector<int>{1});
    EXPECT_EQ(FinishedEvents(), 1);
    // A toggle after the stop leaves the stop in force.
    ToggleConvertPause(job.get());
    EXPECT_EQ(job->control.load(), 1);
    EXPECT_EQ(job->status.load(), 0);
}

TEST_F(ConvertJobTest, StopWhileWaitingPausedBetweenFiles)
{
    InstallScriptedConverter(ct);
    ct.script = {{{}, ZR_CT_DONE}, {{}, ZR_CT_DONE}};
    AddTasks(2);
    Start();
    ASSERT_TRUE(ct.WaitRunning(0));
    ToggleConvertPause(job.get());
    ct.Release();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    // The dialog's cancel: resume, then stop.
    ToggleConvertPause(job.get());
    StopConvertJob(job.get());
    WaitFinished();
    // Within the instant between resume and stop the next file may begin;
    // then the stop ends it at once.
    ASSERT_LE(ct.lines.size(), 2u);
    if (ct.lines.size() == 2) {
        EXPECT_EQ(StatusOfRows(ProgressTarget::STATUS_STOPPED), std::vector<int>{1});
    }
    EXPECT_EQ(FinishedEvents(), 1);
}

TEST_F(ConvertJobTest, StopBetweenFilesNeverStartsTheNext)
{
    InstallScriptedConverter(ct);
    ct.script = {{{}, ZR_CT_DONE}, {{}, ZR_CT_DONE}, {{}, ZR_CT_DONE}};
    AddTasks(3);
    Start();
    ASSERT_TRUE(ct.WaitRunning(0));
    job->control = 1;  // as StopConvertJob, with the stop reaching the converter late
    ct.Release();
    WaitFinished();
    EXPECT_EQ(ct.lines.size(), 1u);
}

TEST_F(ConvertJobTest, RealConversionsThroughTheConverter)
{
    InstallRealServices();
    TempDir dir;
    std::string existing = dir / "taken.avi";
    WriteFile(existing, "keep");
    const std::string awkward = AwkwardNames()[4];
    ASSERT_TRUE(CopyFile(MediaPath(Media::Mp4), dir / awkward));
    struct Task {
        std::string in, out;
    } tasks[] = {
        {MediaPath(Media::Mp4), existing},                 // never overwritten
        {dir / awkward, dir / (awkward + ".avi")},         // quotes and backslashes
        {MediaPath(Media::Random), dir / "random.avi"},    // the engine fails
        {MediaPath(Media::Mp4), MediaPath(Media::Mp4)},    // its own destination
    };
    for (const auto& t : tasks) {
        job->durations.Add(4);
        job->inputs.Add(wxString::FromUTF8(t.in));
        job->params.Add("-vcodec mpeg4 -b 800k -acodec libmp3lame -ab 128k -threads 1");
        job->outputs.Add(wxString::FromUTF8(t.out));
    }
    Start();
    WaitFinished();
    EXPECT_EQ(StatusOfRows(ProgressTarget::STATUS_FAILED), (std::vector<int>{0, 2, 3}));
    std::vector<int> hundreds;
    for (const Cell& c : Cells())
        if (c.status == ProgressTarget::STATUS_PROGRESS && c.percent == 100 &&
            (hundreds.empty() || hundreds.back() != c.row))
            hundreds.push_back(c.row);
    EXPECT_EQ(hundreds, std::vector<int>{1});
    EXPECT_EQ(ReadFile(existing), "keep");
    EXPECT_EQ(Probe(dir / (awkward + ".avi"), "stream=codec_name", "v:0"), "mpeg4");
    EXPECT_FALSE(FileExists(dir / "random.avi"));
    EXPECT_EQ(FinishedEvents(), 1);
}

}  // namespace

namespace {

// A file that ends short of its source while the converter reports damage
// in it fails with how far it got; one that ends as short without such a
// report, or with a report but whole, does not; a failed file carries the
// converter's reason; all are reported after their last percent, and only
// the damaged source is marked so.
TEST_F(ConvertJobTest, ShortAndFailedFilesCarryTheirReasons)
{
    ct.script = {{{3.0}, ZR_CT_DONE, 3.0, "", "partial file"}, {{}, ZR_CT_FAILED, -1, "line one\nboom"},
                 {{9.5}, ZR_CT_DONE, 9.5, "", "partial file"}, {{}, ZR_CT_FAILED},
                 {{3.0}, ZR_CT_DONE, 3.0}};
    InstallScriptedConverter(ct);
    AddTasks(5, 10);
    ct.released = 5;
    Start();
    WaitFinished();
    EXPECT_EQ(job->failures, (std::vector<wxString>{"source damaged: 3.0 of 10.0 s converted",
                                                    "line one\nboom", "", "the conversion failed", ""}));
    EXPECT_EQ(job->damaged, (std::vector<unsigned char>{1, 0, 0, 0, 0}));
    EXPECT_EQ(StatusOfRows(ProgressTarget::STATUS_FAILED), (std::vector<int>{0, 1, 3}));
    const std::vector<Cell> cells = Cells();
    ASSERT_GE(cells.size(), 3u);
    EXPECT_EQ(cells[1], (Cell{2169, 100, 0, 2, 0}));
    EXPECT_EQ(cells[2], (Cell{2169, 0, 0, 2, ProgressTarget::STATUS_FAILED}));
}

// The media record of a file, as the import job reads it from the player.
MediaInfo ProbedRecord(const std::string& path)
{
    MediaInfo info;
    PlayerInstance* py = AppServices::Player();
    void* dict = py && py->GetMediaInfo ? py->GetMediaInfo(path.c_str()) : nullptr;
    info.ReadDictionary(dict);
    if (dict)
        plist_free(static_cast<plist_t>(dict));
    return info;
}

// A file fails as damaged only when ffmpeg reported damage in it and the
// result ends short of the streams the profile keeps, measured by the
// progress or, for a gap in the middle, by the result's own streams;
// sources that end early or begin late by nature, and lengths guessed from
// the bit rate, pass. Each task
// is measured as the run dialog measures it: the file list's length and the
// probe's stream lengths.
TEST_F(ConvertJobTest, OnlyReportedDamageWithAShortResultFailsAFile)
{
    InstallRealServices();
    TempDir dir;
    const wxString mp3 = "-vn -sn -acodec libmp3lame -ab 128k -ar 44100 -ac 2 -threads 1";
    const wxString video = "-vcodec mpeg4 -b 800k -acodec libmp3lame -ab 128k -threads 1";
    struct Case {
        const char* what;
        Media source;
        wxString params;
        std::string out;
        double outSeconds;  // the result's length; < 0: a damaged source's share
    } cases[] = {
        {"sound ends before the picture", Media::ShortSound, mp3, "short-sound.mp3", 8.0},
        {"the same with the picture", Media::ShortSound, video, "short-sound.avi", 20.0},
        {"VBR MP3 without a Xing header", Media::VbrMp3, mp3, "vbr.mp3", 30.0},
        {"VBR ADTS AAC", Media::VbrAdts, mp3, "vbr-aac.mp3", 30.0},
        {"truncated MP4", Media::Damaged, video, "damaged.avi", -1},
        {"truncated MP4, sound only", Media::Damaged, mp3, "damaged.mp3", -1},
        {"healthy MP4", Media::Mp4, video, "healthy.avi", 4.0},
        {"MKV damaged in its middle", Media::Corrupted, video, "corrupted.avi", -1},
        {"the same, sound only", Media::Corrupted, mp3, "corrupted.mp3", -1},
        {"sound that starts late", Media::LateSound, mp3, "late-sound.mp3", 2.5},
    };
    for (const Case& c : cases) {
        const MediaInfo info = ProbedRecord(MediaPath(c.source));
        job->durations.Add(int(info.mediaLength));
        job->lengths.push_back(ConvertReport::LengthsOf(info));
        job->inputs.Add(wxString::FromUTF8(MediaPath(c.source)));
        job->params.Add(c.params);
        job->outputs.Add(wxString::FromUTF8(dir / c.out));
    }
    // The sources show what the verdict must see through.
    const ConvertReport::SourceLengths& shortSound = job->lengths[0];
    EXPECT_NEAR(shortSound.video, 20.0, 0.1);
    EXPECT_NEAR(shortSound.audio, 8.0, 0.1);
    for (size_t k : {2, 3}) {
        EXPECT_TRUE(job->lengths[k].estimated) << cases[k].what;
        EXPECT_GT(job->durations[k], 2 * 30) << cases[k].what;
    }
    EXPECT_FALSE(job->lengths[4].estimated);
    EXPECT_EQ(job->durations[4], 10);

    Start();
    WaitFinished();
    ASSERT_EQ(job->failures.size(), std::size(cases));
    ASSERT_EQ(job->damaged.size(), std::size(cases));
    std::vector<int> failed;
    for (size_t k = 0; k < std::size(cases); ++k) {
        const Case& c = cases[k];
        SCOPED_TRACE(c.what);
        const std::string out = dir / c.out;
        ASSERT_TRUE(FileExists(out)) << "the result is kept";
        const double seconds = std::stod(Probe(out, "format=duration"));
        if (c.outSeconds >= 0) {
            EXPECT_EQ(job->failures[k].utf8_string(), "");
            EXPECT_FALSE(job->damaged[k]);
            EXPECT_NEAR(seconds, c.outSeconds, 0.5);
            continue;
        }
        failed.push_back(int(k));
        double converted = 0;
        EXPECT_EQ(std::sscanf(job->failures[k].utf8_str(), "source damaged: %lf of 10.0 s converted",
                              &converted), 1) << job->failures[k];
        EXPECT_GT(converted, 1.0);
        EXPECT_LT(converted, 6.0);
        EXPECT_TRUE(job->damaged[k]);
        // The stream that came out short says how much was converted.
        double shortest = seconds;
        for (const char* stream : {"v:0", "a:0"}) {
            const std::string length = Probe(out, "stream=duration", stream);
            if (!length.empty() && length != "N/A")
                shortest = std::min(shortest, std::stod(length));
        }
        EXPECT_NEAR(shortest, converted, 0.5);
    }
    EXPECT_EQ(failed, (std::vector<int>{4, 5, 7, 8}));
    EXPECT_EQ(StatusOfRows(ProgressTarget::STATUS_FAILED), failed);
}

// The first 30 % of a 10 s MP4 with its index in front: ffmpeg succeeds on
// what it holds, the job reports it failed and the shorter result stays.
TEST_F(ConvertJobTest, DamagedSourceFailsAndKeepsItsShorterOutput)
{
    InstallRealServices();
    TempDir dir;
    job->durations.Add(10);
    job->inputs.Add(wxString::FromUTF8(MediaPath(Media::Damaged)));
    job->params.Add("-vcodec mpeg4 -b 800k -acodec libmp3lame -ab 128k -threads 1");
    job->outputs.Add(wxString::FromUTF8(dir / "damaged.avi"));
    Start();
    WaitFinished();
    ASSERT_EQ(job->failures.size(), 1u);
    double converted = 0;
    EXPECT_EQ(std::sscanf(job->failures[0].utf8_str(), "source damaged: %lf of 10.0 s converted",
                          &converted), 1) << job->failures[0];
    EXPECT_GT(converted, 1.0);
    EXPECT_LT(converted, 5.0);
    EXPECT_EQ(StatusOfRows(ProgressTarget::STATUS_FAILED), std::vector<int>{0});
    EXPECT_TRUE(FileExists(dir / "damaged.avi"));
}

}  // namespace
