// The preview pane with the real player on generated clips, driven with real
// pointer events: the selected row plays on the canvas, pause holds it, the
// seek slider moves it, stop clears it; snapshots and volume reach their
// targets. The rows come from the file list pane, the snapshot folder from
// the output folder pane.
#include "AppServices.h"
#include "AppUtil.h"
#include "ControlsTestUtil.h"
#include "FolderFault.h"
#include "FrameTESSALINE.h"
#include "ImageUtil.h"
#include "JobServices.h"
#include "MediaSet.h"
#include "NotifyCode.h"
#include "OutputWindow.h"
#include "PreviewWindow.h"
#include "PvBitmapButton.h"
#include "PvSlider.h"
#include "PvStaticText.h"
#include "SelectWindow.h"
#include "TestSupport.h"
#include "WmGrid.h"
#include "ZR_Py.h"

#include <gtest/gtest.h>

#include <wx/dir.h>
#include <wx/filesys.h>
#include <wx/frame.h>
#include <wx/fs_arc.h>
#include <wx/menu.h>
#include <wx/regex.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <wx/filename.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <utility>
#include <vector>

using namespace mvtest;

namespace {

// What the pane asked of the player, recorded on the way through.
struct PlayerCalls {
    std::vector<std::pair<int, int>> volumes;
    std::vector<int> seeks;
};
PlayerCalls g_calls;
void (*g_setVolume)(void*, int, int) = nullptr;
void (*g_seek)(void*, int, int) = nullptr;

void RecordVolume(void* handle, int value, int maximum)
{
    g_calls.volumes.emplace_back(value, maximum);
    g_setVolume(handle, value, maximum);
}

void RecordSeek(void* handle, int seconds, int second)
{
    g_calls.seeks.push_back(seconds);
    g_seek(handle, seconds, second);
}

int Seconds(const wxString& clock)
{
    long h = 0, m = 0, s = 0;
    wxArrayString parts = wxSplit(clock, ':');
    if (parts.size() != 3 || !parts[0].ToLong(&h) || !parts[1].ToLong(&m) || !parts[2].ToLong(&s))
        return -1;
    return int(h * 3600 + m * 60 + s);
}

bool Near(const wxColour& c, int r, int g, int b, int tolerance = 40)
{
    return c.IsOk() && std::abs(c.Red() - r) + std::abs(c.Green() - g) + std::abs(c.Blue() - b) <= tolerance;
}

class PreviewTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        AppUtil::SetAppRootDir(wxString::FromUTF8(StageDir()));
        wxFileSystem::AddHandler(new wxArchiveFSHandler);
        wxInitAllImageHandlers();
        clips = new TempDir;
    }
    static void TearDownTestSuite()
    {
        delete clips;
        clips = nullptr;
    }

    void SetUp() override
    {
        InstallRealServices();
        PlayerInstance* py = AppServices::Player();
        ASSERT_NE(py, nullptr);
        g_calls = PlayerCalls();
        g_setVolume = py->SetVolume;
        py->SetVolume = RecordVolume;
        g_seek = py->Seek;
        py->Seek = RecordSeek;
        BuildWindows();
    }

    // The pane on a frame of its own with the file list and the output folder
    // pane it observes (those two hidden).
    void BuildWindows()
    {
        const wxBitmap background = ImageUtil::LoadThemeBitmapValue("surface/base/background.png");
        ASSERT_TRUE(background.IsOk()) << "no staged skin";
        auto skin = [&](int x, int y, int w, int h) {
            return ImageUtil::CropBitmapNew(background, x, y, w, h);
        };
        frame = new wxFrame(nullptr, wxID_ANY, "preview", wxPoint(30, 30), wxSize(322, 322));
        pane = new PreviewWindow;
        ASSERT_TRUE(pane->Create(frame, PreviewWindow::ID_PREVIEW_WINDOW, skin(514, 110, 322, 322),
                                 wxPoint(0, 0), wxSize(322, 322), 0));
        frame->SetClientSize(322, 322);

        fileList = new SelectWindow;
        ASSERT_TRUE(fileList->Create(frame, 2136, skin(10, 109, 502, 320), wxPoint(0, 0),
                                     wxSize(502, 320)));
        fileList->Hide();
        fileList->Attach(pane);
        output = new OutputWindow;
        ASSERT_TRUE(output->Create(frame, 2139, skin(40, 490, 600, 28), wxPoint(0, 0),
                                   wxSize(600, 28)));
        output->Hide();
        output->Attach(pane);
        output->SetOutputFolder(wxString::FromUTF8(shots.path()));
        ASSERT_TRUE(ctest::ShowAndWait(frame));
    }

    void TearDown() override
    {
        // Deleting the frame deletes the pane, which stops its playback.
        delete frame;
        ctest::Pump(50);
        UninstallServices();
    }

    // A row of the file list for a clip.
    int AddRow(const std::string& path, const wxString& duration)
    {
        const wxFileName name(wxString::FromUTF8(path));
        wxArrayString fields;
        for (const wxString& field : {name.GetFullName(), duration, wxString("1.0 MB"),
                                      name.GetName(), wxString(".mp4"), name.GetFullPath(),
                                      wxString("mp4")})
            fields.push_back(field);
        fileList->AddRow(fields);
        return fileList->GetRowCount() - 1;
    }
    void Notify(int code)
    {
        fileList->SetState(code);
        fileList->Notify(nullptr);
    }
    void Select(int row)
    {
        fileList->GetGrid()->ClearSelection();
        if (row >= 0)
            fileList->GetGrid()->SelectRow(row);
        Notify(NOTIFY_SELECTION_CHANGED);
    }
    void Click(wxWindow* window)
    {
        ctest::Click(window, wxPoint(window->GetSize().x / 2, window->GetSize().y / 2));
    }
    // Selects the clip's row and presses play; true once a frame is shown.
    bool Play(const std::string& path, const wxString& duration)
    {
        Select(AddRow(path, duration));
        Click(pane->GetPlayButton());
        return ctest::WaitFor([&] { return pane->GetPlayJob().FrameWidth() > 0; });
    }
    int Elapsed() const { return Seconds(pane->GetElapsedText()->GetText()); }
    // The canvas as the X server shows it (read by `import`: the toolkit's
    // screen DC may give back pixels it drew earlier).
    wxImage CanvasOnScreen() const
    {
        wxControl* canvas = pane->GetCanvas();
        const wxRect rect(canvas->ClientToScreen(wxPoint(0, 0)), canvas->GetClientSize());
        ctest::Pump(30);
        TempDir dir;
        mvtest::Run({"import", "-window", "root", dir / "screen.png"});
        wxImage screen;
        if (!screen.LoadFile(wxString::FromUTF8(dir / "screen.png"), wxBITMAP_TYPE_PNG))
            return wxImage();
        return screen.GetSubImage(rect);
    }
    static wxColour Pixel(const wxImage& image, int x, int y)
    {
        if (!image.IsOk())
            return wxNullColour;
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    }
    wxArrayString Snapshots() const
    {
        wxArrayString names;
        wxDir dir(wxString::FromUTF8(shots.path()));
        wxString name;
        for (bool more = dir.GetFirst(&name, wxEmptyString, wxDIR_FILES); more;
             more = dir.GetNext(&name))
            names.push_back(name);
        names.Sort();
        return names;
    }
    void ExpectIdleControls()
    {
        EXPECT_FALSE(pane->IsPlaying());
        EXPECT_FALSE(pane->IsPaused());
        EXPECT_TRUE(pane->GetPlayButton()->IsShown());
        EXPECT_TRUE(pane->GetPlayButton()->IsEnabled());
        EXPECT_FALSE(pane->GetPauseButton()->IsShown());
        EXPECT_FALSE(pane->GetStopButton()->IsEnabled());
        EXPECT_FALSE(pane->GetSnapshotButton()->IsEnabled());
        EXPECT_FALSE(pane->GetOptionsButton()->IsEnabled());
        EXPECT_FALSE(pane->GetSeekSlider()->IsEnabled());
        EXPECT_EQ(pane->GetSeekSlider()->GetThumbPos(), 0);
        EXPECT_EQ(pane->GetNameText()->GetText(), "");
        EXPECT_EQ(pane->GetElapsedText()->GetText(), "00:00:00");
    }

    // A 160 x 120 red clip, smaller than the canvas, long enough to be seen
    // playing after a slow screen grab on a loaded machine.
    static std::string RedClip()
    {
        const std::string path = *clips / "red.mp4";
        if (!FileExists(path))
            mvtest::Run({"ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi",
                 "-i", "color=c=red:size=160x120:rate=25:duration=8", "-pix_fmt", "yuv420p",
                 path});
        return path;
    }

    static TempDir* clips;
    TempDir shots;
    wxFrame* frame = nullptr;
    PreviewWindow* pane = nullptr;
    SelectWindow* fileList = nullptr;
    OutputWindow* output = nullptr;
};

TempDir* PreviewTest::clips = nullptr;

TEST(PreviewPlacementTest, FrameFitsTheCanvas)
{
    const wxSize canvas = PreviewWindow::kCanvasSize;  // 304 x 218
    struct Case {
        wxSize frame;
        wxRect place;
    } cases[] = {
        {{160, 120}, {0, 0, 160, 120}},    // fits: top-left, unscaled
        {{304, 218}, {0, 0, 304, 218}},    // exactly the canvas
        {{608, 218}, {0, 54, 304, 109}},   // wide: canvas width, centred vertically
        {{640, 480}, {7, 0, 290, 218}},    // 4:3 would overflow at canvas width
        {{200, 436}, {102, 0, 100, 218}},   // portrait: canvas height, centred
        {{1920, 1080}, {0, 23, 304, 171}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PreviewWindow::FramePlacement(c.frame, canvas), c.place)
            << c.frame.x << "x" << c.frame.y;
    EXPECT_EQ(PreviewWindow::FramePlacement(wxSize(0, 0), canvas), wxRect());
}

TEST_F(PreviewTest, SelectedRowPlaysOnTheCanvasAndStopClearsIt)
{
    EXPECT_FALSE(pane->GetPlayButton()->IsEnabled());
    EXPECT_EQ(pane->GetTotalText()->GetText(), "/00:00:00");
    const std::string clip = RedClip();
    ASSERT_TRUE(Play(clip, "00:00:08"));
    EXPECT_EQ(pane->GetTotalText()->GetText(), "/00:00:08");
    EXPECT_EQ(pane->GetNameText()->GetText(), "red.mp4");
    EXPECT_FALSE(pane->GetPlayButton()->IsShown());
    EXPECT_TRUE(pane->GetPauseButton()->IsShown());
    EXPECT_TRUE(pane->GetStopButton()->IsEnabled());
    EXPECT_TRUE(pane->GetSeekSlider()->IsEnabled());

    // The small frame lies unscaled at the canvas's top-left corner.
    wxImage shown;
    EXPECT_TRUE(ctest::WaitFor([&] {
        shown = CanvasOnScreen();
        return Near(Pixel(shown, 20, 20), 255, 0, 0);
    }));
    EXPECT_TRUE(Near(Pixel(shown, 150, 110), 255, 0, 0));
    EXPECT_TRUE(Near(Pixel(shown, 200, 160), 0, 0, 0));
    EXPECT_TRUE(ctest::WaitFor([&] { return Elapsed() >= 1; }));
    ctest::Screenshot("preview-red");

    Click(pane->GetStopButton());
    ExpectIdleControls();
    EXPECT_EQ(pane->GetTotalText()->GetText(), "/00:00:08");
    EXPECT_TRUE(ctest::WaitFor([&] { return Near(Pixel(CanvasOnScreen(), 20, 20), 0, 0, 0); }));
    wxImage none;
    EXPECT_FALSE(pane->GetPlayJob().CopyFrame(none));
}

TEST_F(PreviewTest, PauseHoldsThePositionAndPlayResumes)
{
    ASSERT_TRUE(Play(MediaPath(Media::Long), "00:00:40"));
    ASSERT_TRUE(ctest::WaitFor([&] { return Elapsed() >= 1; }));
    ctest::Screenshot("preview-playing");

    Click(pane->GetPauseButton());
    EXPECT_TRUE(pane->IsPaused());
    EXPECT_TRUE(pane->GetPlayButton()->IsShown());
    EXPECT_FALSE(pane->GetPauseButton()->IsShown());
    ctest::Pump(300);
    const int held = Elapsed();
    wxImage before, after;
    ASSERT_TRUE(pane->GetPlayJob().CopyFrame(before));
    ctest::Pump(1200);
    EXPECT_EQ(Elapsed(), held);
    ASSERT_TRUE(pane->GetPlayJob().CopyFrame(after));
    ASSERT_EQ(before.GetSize(), after.GetSize());
    EXPECT_EQ(0, std::memcmp(before.GetData(), after.GetData(),
                             size_t(before.GetWidth()) * before.GetHeight() * 3));

    Click(pane->GetPlayButton());
    EXPECT_FALSE(pane->IsPaused());
    EXPECT_TRUE(pane->GetPauseButton()->IsShown());
    EXPECT_TRUE(ctest::WaitFor([&] { return Elapsed() > held; }));
}

TEST_F(PreviewTest, SeekSliderMovesThePlayback)
{
    ASSERT_TRUE(Play(MediaPath(Media::Long), "00:00:40"));
    PvSlider* seek = pane->GetSeekSlider();
    const int range = seek->GetRange();
    const int thumbWidth = seek->GetSize().x - range;

    // A click on the track three quarters along jumps there and seeks once.
    ctest::Click(seek, wxPoint(thumbWidth / 2 + range * 3 / 4, seek->GetSize().y / 2));
    ASSERT_EQ(g_calls.seeks.size(), 1u);
    EXPECT_EQ(g_calls.seeks[0], seek->GetThumbPos() * 40 / range);
    EXPECT_NEAR(g_calls.seeks[0], 30, 1);
    EXPECT_TRUE(ctest::WaitFor([&] { return Elapsed() >= 29; })) << Elapsed();

    // Dragging the thumb back seeks all the way; the release seeks no more.
    // (A press soon after the click on the same spot would be a double click.)
    ctest::Pump(600);
    const int from = seek->GetThumbPos() + thumbWidth / 2;
    ctest::MoveTo(seek, wxPoint(from, seek->GetSize().y / 2));
    ctest::Press();
    const size_t before = g_calls.seeks.size();
    for (int step = 1; step <= 4; ++step)
        ctest::MoveTo(seek, wxPoint(from - step * range / 8, seek->GetSize().y / 2));
    const size_t dragged = g_calls.seeks.size();
    ctest::Release();
    EXPECT_GE(dragged - before, 3u);
    EXPECT_EQ(g_calls.seeks.size(), dragged);
    EXPECT_NEAR(g_calls.seeks.back(), 10, 2);
    EXPECT_TRUE(ctest::WaitFor([&] { return Elapsed() >= 9 && Elapsed() <= 13; }))
        << Elapsed();
}

TEST_F(PreviewTest, SnapshotsAreNamedAfterTheFileAndTheElapsedTime)
{
    EXPECT_EQ(pane->GetSnapshotFolder(), wxString::FromUTF8(shots.path()));
    const std::string clip = *clips / "clip.avi";
    ASSERT_TRUE(CopyFile(MediaPath(Media::Long), clip));
    ASSERT_TRUE(Play(clip, "00:00:40"));
    ASSERT_TRUE(ctest::WaitFor([&] { return Elapsed() >= 1; }));

    // JPEG by the button, while playing.
    Click(pane->GetSnapshotButton());
    ASSERT_TRUE(ctest::WaitFor([&] { return Snapshots().size() == 1; }));
    const wxString jpeg = Snapshots()[0];
    EXPECT_TRUE(wxRegEx("^clip_0000[0-9]{2}\\.jpg$").Matches(jpeg)) << jpeg;
    wxImage picture;
    ASSERT_TRUE(picture.LoadFile(wxString::FromUTF8(shots.path()) + "/" + jpeg,
                                 wxBITMAP_TYPE_JPEG));
    EXPECT_EQ(picture.GetSize(), wxSize(640, 480));

    // BMP from the menu's choice, while paused; a file of that name is kept.
    Click(pane->GetPauseButton());
    ctest::Pump(300);
    wxCommandEvent bmp(wxEVT_MENU, PreviewWindow::ID_MENU_BMP);
    pane->GetEventHandler()->ProcessEvent(bmp);
    EXPECT_EQ(pane->GetSnapshotFormat(), PreviewWindow::FORMAT_BMP);
    const wxString expected = pane->SnapshotPath();
    EXPECT_TRUE(expected.EndsWith(".bmp"));
    WriteFile(expected.ToStdString(), "user's own file");
    Click(pane->GetSnapshotButton());
    wxString taken = expected;
    taken.Replace(".bmp", "_1.bmp");
    ASSERT_TRUE(ctest::WaitFor([&] { return wxFileExists(taken); })) << taken;
    EXPECT_EQ(ReadFile(expected.ToStdString()), "user's own file");
    ASSERT_TRUE(picture.LoadFile(taken, wxBITMAP_TYPE_BMP));
    EXPECT_EQ(picture.GetSize(), wxSize(640, 480));
    EXPECT_EQ(Snapshots().size(), 3u);

    wxCommandEvent jpegChoice(wxEVT_MENU, PreviewWindow::ID_MENU_JPEG);
    pane->GetEventHandler()->ProcessEvent(jpegChoice);
    EXPECT_EQ(pane->GetSnapshotFormat(), PreviewWindow::FORMAT_JPEG);

    // The snapshot folder follows the output folder.
    TempDir other;
    output->SetOutputFolder(wxString::FromUTF8(other.path()));
    EXPECT_EQ(pane->GetSnapshotFolder(), wxString::FromUTF8(other.path()));
    Click(pane->GetSnapshotButton());
    EXPECT_TRUE(ctest::WaitFor([&] { return wxDir(wxString::FromUTF8(other.path())).HasFiles(); }));
}

TEST_F(PreviewTest, SeekWhilePausedShowsReportsAndNamesThePictureAtTheTarget)
{
    // Each picture of the clip shows its number (25 a second, 300 in all).
    // The row says 13 s, so that the slider's end lies past the last picture.
    ASSERT_TRUE(Play(MediaPath(Media::Numbered), "00:00:13"));
    ASSERT_TRUE(ctest::WaitFor([&] { return Elapsed() >= 1; }));
    Click(pane->GetPauseButton());
    wxCommandEvent bmp(wxEVT_MENU, PreviewWindow::ID_MENU_BMP);
    pane->GetEventHandler()->ProcessEvent(bmp);  // no loss: the number reads back
    ctest::Pump(300);
    PvSlider* seek = pane->GetSeekSlider();
    const int range = seek->GetRange();
    const int thumbWidth = seek->GetSize().x - range;
    const double frame = 1.0 / kNumberedRate;
    auto number = [](const wxImage& image) {
        return PictureNumber(image.GetData(), image.GetWidth(), image.GetHeight());
    };
    // Start, middle, the last second and the very end (past the last picture).
    for (int wanted : {0, 6, 11, 12}) {
        SCOPED_TRACE(wanted);
        ctest::Click(seek, wxPoint(thumbWidth / 2 + (wanted * range + 12) / 13, seek->GetSize().y / 2));
        const int target = g_calls.seeks.back();
        ASSERT_EQ(target, wanted);
        wxImage shown;
        ASSERT_TRUE(ctest::WaitFor([&] {
            return pane->GetPlayJob().CopyFrame(shown) && number(shown) * frame >= std::min(target, 11) - frame;
        }));
        ctest::Pump(500);  // nothing more comes while paused
        ASSERT_TRUE(pane->GetPlayJob().CopyFrame(shown));
        const int n = number(shown);
        EXPECT_NEAR(n * frame, std::min(double(target), 299 * frame), frame / 2);
        const int second = int(n * frame + frame / 2);  // its second, within a picture
        EXPECT_EQ(Elapsed(), second);

        // The snapshot holds that picture and is named after it.
        for (const wxString& name : Snapshots())
            wxRemoveFile(wxString::FromUTF8(shots.path()) + "/" + name);
        Click(pane->GetSnapshotButton());
        ASSERT_TRUE(ctest::WaitFor([&] { return Snapshots().size() == 1; }));
        const wxString name = Snapshots()[0];
        EXPECT_EQ(name, wxString::Format("numbered_0000%02d.bmp", second));
        wxImage saved;
        ASSERT_TRUE(saved.LoadFile(wxString::FromUTF8(shots.path()) + "/" + name, wxBITMAP_TYPE_BMP));
        EXPECT_EQ(number(saved), n);
        ctest::Pump(600);  // the next click is no double click
    }

    // Back to the middle; play goes on from the picture shown there.
    ctest::Click(seek, wxPoint(thumbWidth / 2 + (6 * range + 12) / 13, seek->GetSize().y / 2));
    ctest::Pump(500);
    ASSERT_EQ(Elapsed(), 6);
    ctest::Pump(700);
    EXPECT_EQ(Elapsed(), 6);
    Click(pane->GetPlayButton());
    ASSERT_TRUE(ctest::WaitFor([&] { return Elapsed() >= 7; }));
    EXPECT_LE(Elapsed(), 8);
}

TEST_F(PreviewTest, AFailedSnapshotSaysWhereAndWhy)
{
    ctest::MessageBoxCatcher boxes;
    ASSERT_TRUE(Play(MediaPath(Media::Long), "00:00:40"));
    ASSERT_TRUE(ctest::WaitFor([&] { return Elapsed() >= 1; }));
    Click(pane->GetPauseButton());
    ctest::Pump(300);

    // A snapshot that works says nothing.
    Click(pane->GetSnapshotButton());
    ASSERT_TRUE(ctest::WaitFor([&] { return Snapshots().size() == 1; }));
    ctest::Pump(200);
    EXPECT_TRUE(boxes.messages.empty());

    TempDir place;
    WriteFile(place / "a file", "not a folder");
    // Root is not stopped by file modes: a read-only mount and a full tmpfs.
    std::filesystem::create_directories(place / "read-only");
    std::filesystem::create_directories(place / "full");
    FolderFault readOnly(place / "read-only", FolderFault::READ_ONLY);
    FolderFault full(place / "full", FolderFault::FULL_DISK);
    const std::vector<std::string> filler = {"filler"};
    struct Case {
        std::string folder;
        const char* reason;
        const FolderFault* fault;
        std::vector<std::string> left;  // the folder's files afterwards
    } cases[] = {
        {place / "gone", "No such file or directory", nullptr, {}},  // removed after it was chosen
        {place / "a file", "Not a directory", nullptr, {}},
        {place / "read-only", "Read-only file system", &readOnly, {}},
        {place / "full", "No space left on device", &full, filler},  // begun, then taken away
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        if (c.fault && !c.fault->ok())
            continue;
        boxes.messages.clear();
        pane->SetSnapshotFolder(wxString::FromUTF8(c.folder));
        const wxString path = pane->SnapshotPath();
        Click(pane->GetSnapshotButton());
        ASSERT_TRUE(ctest::WaitFor([&] { return !boxes.messages.empty(); }));
        ASSERT_EQ(boxes.messages.size(), 1u);
        EXPECT_TRUE(boxes.messages[0].Contains(path)) << boxes.messages[0];
        EXPECT_TRUE(boxes.messages[0].Contains(c.reason)) << boxes.messages[0];
        if (c.fault) {
            std::vector<std::string> names;
            for (const auto& entry : std::filesystem::directory_iterator(c.folder))
                names.push_back(entry.path().filename().string());
            EXPECT_EQ(names, c.left);
        }
    }
    EXPECT_FALSE(wxFileExists(wxString::FromUTF8(place / "gone")));
    if (!readOnly.ok() || !full.ok())
        GTEST_SKIP() << "no read-only or full folder without mounting: " << readOnly.failure() << full.failure();
}

TEST_F(PreviewTest, RemovedAndClearedFilesAreNotPlayedAndAnotherRowStopsTheOld)
{
    // The file list beside the pane, for real clicks and keys.
    frame->SetClientSize(830, 330);
    pane->Move(505, 0);
    fileList->Show();
    ctest::Pump(200);
    // Rows with their records, as the list's own import makes them.
    wxArrayString paths;
    paths.Add(wxString::FromUTF8(RedClip()));
    paths.Add(wxString::FromUTF8(MediaPath(Media::Long)));
    fileList->AddFiles(paths);
    ASSERT_EQ(fileList->GetRowCount(), 2);
    const int red = 0, longRow = 1;
    ctest::Pump(200);
    WmGrid* grid = fileList->GetGrid();
    auto clickRow = [&](int row) {
        const wxRect cell = grid->CellToRect(row, 1);
        ctest::Click(grid->GetGridWindow(), grid->CalcScrolledPosition(cell.GetPosition()) +
                                                wxPoint(cell.width / 2, cell.height / 2));
        ctest::Pump(100);
    };
    auto expectNothingToPlay = [&] {
        EXPECT_FALSE(pane->IsPlaying());
        EXPECT_FALSE(pane->GetPlayButton()->IsEnabled());
        EXPECT_EQ(pane->GetElapsedText()->GetText() + pane->GetTotalText()->GetText(), "00:00:00/00:00:00");
    };

    // Another row while one plays: the old one stops, the new one is ready.
    clickRow(longRow);
    ASSERT_EQ(pane->GetSourcePath(), wxString::FromUTF8(MediaPath(Media::Long)));
    ctest::Screenshot("preview-list");
    Click(pane->GetPlayButton());
    ASSERT_TRUE(ctest::WaitFor([&] { return pane->GetPlayJob().FrameWidth() == 640; }));
    clickRow(red);
    EXPECT_FALSE(pane->IsPlaying());
    EXPECT_EQ(pane->GetTotalText()->GetText(), "/00:00:08");
    Click(pane->GetPlayButton());
    ASSERT_TRUE(ctest::WaitFor([&] { return pane->GetPlayJob().FrameWidth() == 160; }));
    EXPECT_EQ(pane->GetNameText()->GetText(), "red.mp4");

    // The Delete key on the row being played.
    clickRow(red);
    grid->GetGridWindow()->SetFocus();
    ctest::Pump(100);
    wxUIActionSimulator().Char(WXK_DELETE);
    ctest::Pump(300);
    EXPECT_EQ(fileList->GetRowCount(), 1);
    expectNothingToPlay();
    Click(pane->GetPlayButton());
    ctest::Pump(300);
    EXPECT_FALSE(pane->IsPlaying());

    // Remove from the list's menu, while paused.
    clickRow(0);
    Click(pane->GetPlayButton());
    ASSERT_TRUE(ctest::WaitFor([&] { return pane->GetPlayJob().FrameWidth() == 640; }));
    Click(pane->GetPauseButton());
    wxCommandEvent remove(wxEVT_MENU, SelectWindow::ID_MENU_REMOVE);
    fileList->GetEventHandler()->ProcessEvent(remove);
    ctest::Pump(200);
    EXPECT_EQ(fileList->GetRowCount(), 0);
    expectNothingToPlay();

    // Clear All while playing.
    fileList->AddFiles(paths);
    clickRow(0);
    Click(pane->GetPlayButton());
    ASSERT_TRUE(ctest::WaitFor([&] { return pane->IsPlaying(); }));
    wxCommandEvent clear(wxEVT_MENU, SelectWindow::ID_MENU_CLEAR_ALL);
    fileList->GetEventHandler()->ProcessEvent(clear);
    ctest::Pump(200);
    EXPECT_EQ(fileList->GetRowCount(), 0);
    expectNothingToPlay();
    ctest::Screenshot("preview-after-clear-all");
}

TEST_F(PreviewTest, OptionsButtonOpensTheSnapshotMenu)
{
    struct Item {
        wxString text;
        bool enabled;
        bool checked;
    };
    std::map<int, Item> items;
    bool open = false;
    pane->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        if (!event.GetMenu() || event.GetMenu()->GetParent())
            return;
        open = true;
        for (wxMenuItem* item : event.GetMenu()->GetMenuItems()) {
            items[item->GetId()] = {item->GetItemLabelText(), item->IsEnabled(), false};
            if (wxMenu* sub = item->GetSubMenu())
                for (wxMenuItem* choice : sub->GetMenuItems())
                    items[choice->GetId()] = {choice->GetItemLabelText(), choice->IsEnabled(),
                                              choice->IsChecked()};
        }
    });
    pane->Bind(wxEVT_MENU_CLOSE, [&](wxMenuEvent& event) {
        if (event.GetMenu() && !event.GetMenu()->GetParent())
            open = false;
        event.Skip();
    });
    // The menu blocks until it closes; a timer closes it once it is open,
    // however long a loaded machine takes to show it.
    wxTimer closer;
    closer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (open)
            wxUIActionSimulator().Char(WXK_ESCAPE);
    });

    const std::string clip = *clips / "clip.avi";
    ASSERT_TRUE(CopyFile(MediaPath(Media::Long), clip));
    ASSERT_TRUE(Play(clip, "00:00:40"));
    wxCommandEvent bmp(wxEVT_MENU, PreviewWindow::ID_MENU_BMP);
    pane->GetEventHandler()->ProcessEvent(bmp);
    closer.Start(200);
    Click(pane->GetOptionsButton());
    ctest::Pump(300);
    closer.Stop();

    ASSERT_EQ(items.count(PreviewWindow::ID_MENU_SNAPSHOT), 1u);
    EXPECT_EQ(items[PreviewWindow::ID_MENU_SNAPSHOT].text, "Snapshot");
    EXPECT_TRUE(items[PreviewWindow::ID_MENU_SNAPSHOT].enabled);
    EXPECT_EQ(items[PreviewWindow::ID_MENU_OPEN_FOLDER].text, "Open Snapshot Folder");
    EXPECT_EQ(items[PreviewWindow::ID_MENU_CHANGE_FOLDER].text, "Change Snapshot Folder");
    EXPECT_FALSE(items[PreviewWindow::ID_MENU_CHANGE_FOLDER].enabled);
    EXPECT_EQ(items[PreviewWindow::ID_MENU_JPEG].text, "JPEG");
    EXPECT_FALSE(items[PreviewWindow::ID_MENU_JPEG].checked);
    EXPECT_EQ(items[PreviewWindow::ID_MENU_BMP].text, "BMP");
    EXPECT_TRUE(items[PreviewWindow::ID_MENU_BMP].checked);
    EXPECT_TRUE(pane->IsPlaying()) << "closing the menu chose nothing";
}

TEST_F(PreviewTest, VolumeSliderAndMuteSetThePlayersVolume)
{
    PvSlider* volume = pane->GetVolumeSlider();
    const int range = volume->GetRange();
    EXPECT_EQ(volume->GetThumbPos(), range / 2);
    const int thumbWidth = volume->GetSize().x - range;

    // A click at the track's left end turns the sound off.
    ctest::Click(volume, wxPoint(thumbWidth / 2, volume->GetSize().y / 2));
    ASSERT_FALSE(g_calls.volumes.empty());
    EXPECT_EQ(g_calls.volumes.back(), std::make_pair(0, range));
    ctest::Click(volume, wxPoint(thumbWidth / 2 + range * 3 / 4, volume->GetSize().y / 2));
    EXPECT_EQ(g_calls.volumes.back(), std::make_pair(range * 3 / 4, range));

    // Mute, then unmute to the slider's value.
    Click(pane->GetVolumeButton());
    EXPECT_TRUE(pane->GetMuteButton()->IsShown());
    EXPECT_FALSE(pane->GetVolumeButton()->IsShown());
    EXPECT_EQ(g_calls.volumes.back(), std::make_pair(0, range));
    Click(pane->GetMuteButton());
    EXPECT_TRUE(pane->GetVolumeButton()->IsShown());
    EXPECT_EQ(g_calls.volumes.back(), std::make_pair(range * 3 / 4, range));

    // A fresh start plays at the volume the pane shows, muted too.
    Click(pane->GetVolumeButton());
    g_calls.volumes.clear();
    ASSERT_TRUE(Play(RedClip(), "00:00:08"));
    ASSERT_FALSE(g_calls.volumes.empty());
    EXPECT_EQ(g_calls.volumes.front(), std::make_pair(0, range));
}

TEST_F(PreviewTest, StopAndTheEndResetTheControls)
{
    // Stop while nothing plays does nothing.
    Notify(NOTIFY_STOP_PREVIEW);
    EXPECT_FALSE(pane->GetPlayButton()->IsEnabled());

    const std::string shortClip = *clips / "short.mp4";
    ASSERT_TRUE(MakeClip(shortClip, 1));
    const int longRow = AddRow(MediaPath(Media::Long), "00:00:40");
    ASSERT_TRUE(Play(shortClip, "00:00:01"));

    // The clip plays to its end by itself.
    ASSERT_TRUE(ctest::WaitFor([&] { return !pane->IsPlaying(); }));
    ctest::Pump(100);
    ExpectIdleControls();
    EXPECT_EQ(pane->GetTotalText()->GetText(), "/00:00:01");

    // Stop while paused (the file list's code 14) stops and resets.
    Select(longRow);
    EXPECT_EQ(pane->GetTotalText()->GetText(), "/00:00:40");
    Click(pane->GetPlayButton());
    ASSERT_TRUE(ctest::WaitFor([&] { return pane->GetPlayJob().FrameWidth() > 0; }));
    EXPECT_EQ(pane->GetNameText()->GetText(), wxFileName(MediaPath(Media::Long)).GetFullName());
    Click(pane->GetPauseButton());
    Notify(NOTIFY_STOP_PREVIEW);
    ExpectIdleControls();
    ctest::Pump(300);
    ExpectIdleControls();
    EXPECT_EQ(pane->GetTotalText()->GetText(), "/00:00:40");

    // The next start is not left paused.
    Click(pane->GetPlayButton());
    EXPECT_TRUE(ctest::WaitFor([&] { return Elapsed() >= 1; }));

    // No row selected: the playback stops and nothing is left to play.
    Select(-1);
    EXPECT_FALSE(pane->IsPlaying());
    EXPECT_TRUE(pane->GetPlayButton()->IsShown());
    EXPECT_FALSE(pane->GetPlayButton()->IsEnabled());
    EXPECT_EQ(pane->GetTotalText()->GetText(), "/00:00:00");
}

TEST_F(PreviewTest, AFileThePlayerCannotOpenEndsAtOnce)
{
    Select(AddRow(MediaPath(Media::Random), "00:00:04"));
    Click(pane->GetPlayButton());
    ASSERT_TRUE(ctest::WaitFor([&] { return !pane->IsPlaying(); }));
    ctest::Pump(100);
    ExpectIdleControls();
    EXPECT_TRUE(Near(Pixel(CanvasOnScreen(), 20, 20), 0, 0, 0));
}

TEST_F(PreviewTest, ClosingWhilePlayingStopsThePlayback)
{
    ASSERT_TRUE(Play(MediaPath(Media::Long), "00:00:40"));
    delete frame;
    frame = nullptr;
    ctest::Pump(200);
    // The player is free again for another window at once.
    BuildWindows();
    EXPECT_TRUE(Play(RedClip(), "00:00:08"));
}

TEST_F(PreviewTest, TheMainFrameWiresThePaneToTheFileListAndTheOutputPane)
{
    frame->Hide();
    auto* main = new FrameTESSALINE;
    ASSERT_TRUE(main->Create(2000, "", wxDefaultSize));
    auto* preview = dynamic_cast<PreviewWindow*>(main->FindWindow(PreviewWindow::ID_PREVIEW_WINDOW));
    auto* list = dynamic_cast<SelectWindow*>(main->FindWindow(2136));
    auto* folder = dynamic_cast<OutputWindow*>(main->FindWindow(2139));
    ASSERT_TRUE(preview && list && folder);
    EXPECT_EQ(preview->GetRect(), wxRect(514, 110, 322, 322));
    EXPECT_EQ(preview->GetSnapshotFolder(), folder->GetOutputFolder());
    folder->SetOutputFolder(wxString::FromUTF8(shots.path()));
    EXPECT_EQ(preview->GetSnapshotFolder(), wxString::FromUTF8(shots.path()));
    ASSERT_TRUE(ctest::ShowAndWait(main));

    fileList = list;
    pane = preview;
    ASSERT_TRUE(Play(MediaPath(Media::Long), "00:00:40"));
    EXPECT_TRUE(ctest::WaitFor([&] { return Elapsed() >= 1; }));
    ctest::Screenshot("main-window-preview");
    Click(preview->GetStopButton());
    EXPECT_FALSE(preview->IsPlaying());
    delete main;
}

}  // namespace
