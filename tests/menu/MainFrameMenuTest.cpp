// The menu pane in the real main frame, drawn from the staged skin.
#include "AppUtil.h"
#include "ControlsTestUtil.h"
#include "FrameTESSALINE.h"
#include "MenuTestUtil.h"
#include "MenuWindow.h"
#include "RkMenuBar.h"
#include "RkMenuButton.h"
#include "SelectWindow.h"

#include <gtest/gtest.h>
#include <wx/filesys.h>
#include <wx/fs_arc.h>

#include <filesystem>

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
    menutest::Script script;
    script.Then(400, [] { menutest::ScreenshotLater("main-frame-file-menu"); });
    script.Then(600, [&] { menutest::MovePointerTo(menutest::TitleOf(bar, 13), {6, 8}); });
    script.Then(400, [] { menutest::ScreenshotLater("main-frame-edit-menu"); });
    script.Then(600, [] { menutest::PressKey(WXK_DOWN); });
    script.Then(60, [] { menutest::PressKey(WXK_DOWN); });
    script.Then(60, [] { menutest::PressKey(WXK_RETURN); });
    ASSERT_TRUE(menutest::ClickTitle(bar, 6, script));
    menutest::WaitForScreenshots();
    EXPECT_EQ(RkMenuBar::GetCurrentTitleId(), RkMenuBar::TITLE_NONE);
    EXPECT_EQ(list->GetRowCount(), 0);

    frame->Destroy();
    ctest::Pump(100);
    AppUtil::SetAppRootDir(wxString());
}

}  // namespace
