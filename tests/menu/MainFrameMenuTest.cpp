// The menu pane in the real main frame, drawn from the staged skin.
#include "AppUtil.h"
#include "ControlsTestUtil.h"
#include "FrameTESSALINE.h"
#include "LoopbackHttpServer.h"
#include "MenuTestUtil.h"
#include "MenuWindow.h"
#include "PrivateNetwork.h"
#include "PvBitmapButton.h"
#include "RkMenuBar.h"
#include "RkMenuButton.h"
#include "SelectWindow.h"
#include "TitleWindow.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/filesys.h>
#include <wx/fs_arc.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace {

TEST(MainFrameMenuTest, MenuPaneSitsInItsSlotAndItsMenusOpenOverTheFrame)
{
    const std::string stage = mvtest::StageDir();
    if (stage.empty() || !std::filesystem::exists(stage + "/Themes/default.zip"))
        GTEST_SKIP() << "no staged skin";
    AppUtil::SetAppRootDir(wxString::FromUTF8(stage));
    wxFileSystem::AddHandler(new wxArchiveFSHandler);
    wxInitAllImageHandlers();

    auto* frame = new FrameTESSALINE;
    ASSERT_TRUE(frame->Create(2000, "", wxDefaultSize));
    ASSERT_TRUE(ctest::ShowAndWait(frame));
    auto* pane = dynamic_cast<MenuWindow*>(frame->FindWindow(2155));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->GetRect(), wxRect(0, 26, frame->GetClientSize().x, 24));
    RkMenuBar* bar = pane->GetMenuBar();
    ASSERT_EQ(bar->GetTitles().size(), 4u);
    ctest::Screenshot("main-frame-menu-bar");
    auto* list = dynamic_cast<SelectWindow*>(frame->FindWindow(SelectWindow::ID_SELECT_WINDOW));
    ASSERT_NE(list, nullptr);
    for (const char* name : {"one", "two"}) {
        wxArrayString fields;
        for (const char* field : {name, "00:00:01", "", name, ".mp4", "/nowhere", "mp4v (*.mp4)"})
            fields.Add(field);
        list->AddRow(fields);
    }
    ASSERT_EQ(list->GetRowCount(), 2);

    // File open, then the pointer slides to Edit, whose "Clear All" reaches
    // the file list.
    // (600 ms after each screenshot is started: the time its program takes.)
    menutest::Script script;
    script.When("File's menu", menutest::MenuShown(bar, 6),
                [] { menutest::ScreenshotLater("main-frame-file-menu"); });
    script.Then(600, [&] { menutest::MovePointerTo(menutest::TitleOf(bar, 13), {6, 8}); });
    script.When("Edit's menu", menutest::MenuShown(bar, 13),
                [] { menutest::ScreenshotLater("main-frame-edit-menu"); });
    script.Then(600, [] {});
    menutest::AddPick(script, bar, 13, 2);
    ASSERT_TRUE(menutest::ClickTitle(bar, 6, script));
    menutest::WaitForScreenshots();
    menutest::WaitForQueuedCommands(bar);
    EXPECT_EQ(RkMenuBar::GetCurrentTitleId(), RkMenuBar::TITLE_NONE);
    EXPECT_EQ(list->GetRowCount(), 0);

    frame->Destroy();
    ctest::Pump(100);
    AppUtil::SetAppRootDir(wxString());
}

bool IsTopLevel(wxWindow* window)
{
    for (wxWindow* w : wxTopLevelWindows)
        if (w == window)
            return true;
    return false;
}

// A program folder of the staged skin and an option.cfg of its own, made the
// program folder for its lifetime.
class UpdateProgramFolder {
public:
    UpdateProgramFolder()
    {
        const std::string stage = mvtest::StageDir();
        ok = !stage.empty() && std::filesystem::exists(stage + "/Themes/default.zip");
        if (!ok)
            return;
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            unsetenv(name);
        std::filesystem::create_symlink(stage + "/Themes", root / "Themes");
        std::filesystem::create_symlink(stage + "/Plugin", root / "Plugin");
        AppUtil::SetAppRootDir(wxString::FromUTF8(root.path()));
        wxFileSystem::AddHandler(new wxArchiveFSHandler);
        wxInitAllImageHandlers();
    }
    ~UpdateProgramFolder() { AppUtil::SetAppRootDir(wxString()); }
    void SetUpdateBase(const std::string& base)
    {
        mvtest::WriteFile(root / "option.cfg", "<option><a><b>" + base + "/help</b><b>" + base +
                                                   "/</b><b>s</b><b>b</b><b>" + base +
                                                   "/mv</b><b>p</b></a></option>");
    }
    bool ok = false;

private:
    mvtest::TempDir root;
};

// Help > Check for Update in the real frame, then the title bar's close
// button pressed while the check still waits (`waiting` holds). Returns how
// long the frame took to go once the button was released; negative when it
// stayed.
std::chrono::milliseconds CloseDuringUpdateCheck(const std::function<bool()>& waiting)
{
    auto* frame = new FrameTESSALINE;
    EXPECT_TRUE(frame->Create(2000, "", wxDefaultSize));
    wxTheApp->SetTopWindow(frame);
    EXPECT_TRUE(ctest::ShowAndWait(frame));
    auto* pane = dynamic_cast<MenuWindow*>(frame->FindWindow(2155));
    auto* title = dynamic_cast<TitleWindow*>(frame->FindWindow(2165));
    if (!pane || !title) {
        ADD_FAILURE() << "no menu pane or title bar";
        frame->Destroy();
        return std::chrono::milliseconds(-1);
    }
    PvBitmapButton* close = title->GetCloseButton();
    const wxPoint closeAt = close->ClientToScreen(wxPoint(close->GetSize().x / 2, close->GetSize().y / 2));

    // The close comes from the script's timer, so that it lands while
    // the menu command would still be waiting for the server.
    RkMenuBar* bar = pane->GetMenuBar();
    menutest::Script script;
    std::chrono::steady_clock::time_point released;
    script.When("Help's menu", menutest::MenuShown(bar, 23));
    menutest::AddPick(script, bar, 23, 4);
    script.When("the check waiting for its answer", waiting);
    // The pointer goes onto the close button until the button itself sees
    // it come in: an entry while the menu still held the pointer is lost.
    // It goes out and in again when the button has not lit 200 ms after a move.
    const wxPoint awayAt = frame->ClientToScreen(wxPoint(frame->GetClientSize().x / 2, frame->GetClientSize().y / 2));
    auto moved = std::chrono::steady_clock::now() - std::chrono::seconds(1);
    bool inside = false;
    script.When("the close button lit under the pointer", [=, &moved, &inside] {
        if (inside && wxGetMousePosition() == closeAt && close->GetState() == PvBitmapButton::STATE_CURRENT)
            return true;
        if (std::chrono::steady_clock::now() - moved < std::chrono::milliseconds(200))
            return false;
        inside = !inside;
        ctest::SyncWithServer();
        wxUIActionSimulator().MouseMove(inside ? closeAt : awayAt);
        moved = std::chrono::steady_clock::now();
        return false;
    }, [] { wxUIActionSimulator().MouseDown(); });
    script.Then(100, [&] {
        wxUIActionSimulator().MouseUp();
        released = std::chrono::steady_clock::now();
    });
    // A close that missed lets the check end with its box, whose loop would
    // hold the test for ever: it is closed, and the test fails.
    wxTimer boxes;
    boxes.Bind(wxEVT_TIMER, [](wxTimerEvent&) {
        if (ctest::CloseShownMessageBox())
            ADD_FAILURE() << "the check ended with its message: the close did not come";
    });
    boxes.Start(100);
    EXPECT_TRUE(menutest::ClickTitle(bar, 23, script));
    const bool gone = ctest::WaitFor([&] { return !IsTopLevel(frame); });
    boxes.Stop();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - released);
    EXPECT_TRUE(gone) << "the frame stays";
    ctest::Pump(300);
    EXPECT_TRUE(wxTopLevelWindows.empty()) << "a window appeared after the close";
    wxTheApp->SetTopWindow(nullptr);
    return gone ? took : std::chrono::milliseconds(-1);
}

// Whatever the server is doing, the frame goes, the transfer is dropped and
// nothing else appears.
TEST(MainFrameMenuTest, ClosingTheFrameDuringAnUpdateCheckEndsTheCheck)
{
    UpdateProgramFolder folder;
    if (!folder.ok)
        GTEST_SKIP() << "no staged skin";

    using Reply = catalogtest::LoopbackHttpServer::Reply;
    const std::string valid = "<versions><product name=\"Tarvelin Merovant\" version=\"9.0\"/></versions>";
    Reply silent;
    silent.neverAnswer = true;
    Reply drip(200, valid);
    drip.msPerByte = 1000;
    Reply oversized(200, std::string(200 * 1024, ' '));
    oversized.noLength = true;
    oversized.msPerByte = 1;
    Reply loop(302, "");
    loop.location = "/mv-update.xml";
    // Each hop and the late reply take long enough that the close lands
    // before the check could end by itself, even on a loaded machine (the
    // six hops stay inside the check's 15 s deadline).
    loop.delayMs = 2300;
    Reply late(200, valid);
    late.delayMs = 13000;
    const std::pair<const char*, Reply> cases[] = {
        {"never answers", silent}, {"one byte a second", drip}, {"oversized", oversized},
        {"redirect loop", loop}, {"valid reply", late}};
    for (const auto& [name, reply] : cases) {
        SCOPED_TRACE(name);
        catalogtest::LoopbackHttpServer server;
        server.Set("/mv-update.xml", reply);
        folder.SetUpdateBase(server.Base());
        const auto took = CloseDuringUpdateCheck([&] { return !server.Requests().empty(); });
        EXPECT_TRUE(ctest::WaitFor([&] { return server.Abandoned() == 1; })) << "the transfer goes on";
        if (took.count() < 0)
            break;
    }
}

// The name lookup never answered (a private network whose resolver reads
// and never replies; a lookup would take 30 s): the frame still goes at once.
TEST(MainFrameMenuTest, ClosingTheFrameDuringAStalledNameLookupEndsAtOnce)
{
    MV_IN_PRIVATE_NETWORK(net);
    UpdateProgramFolder folder;
    if (!folder.ok)
        GTEST_SKIP() << "no staged skin";
    folder.SetUpdateBase("http://update.merovant.test");
    const auto took = CloseDuringUpdateCheck([&] { return net.Questions() > 0; });
    std::printf("the frame went %lld ms after the close\n", static_cast<long long>(took.count()));
    EXPECT_GE(took.count(), 0);
    EXPECT_LT(took.count(), 1000) << "the close waited for the lookup";
}

}  // namespace
