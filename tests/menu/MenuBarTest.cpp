// The skinned menu bar on a shown frame: title geometry and looks, and real
// pop-up menus followed from one title to the next.
#include "ControlsTestUtil.h"
#include "MenuTestUtil.h"
#include "RkMenuBar.h"
#include "RkMenuButton.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include <memory>
#include <string>

namespace {

using menutest::Script;
using menutest::TitleOf;

int g_menusDeleted = 0;

class CountedMenu : public wxMenu {
public:
    ~CountedMenu() override { ++g_menusDeleted; }
};

struct TitleSpec {
    int id;
    const char* label;
};
const TitleSpec kTitles[] = {{6, "File"}, {13, "Edit"}, {16, "Option"}, {23, "Help"}};

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin = std::make_unique<wxBitmap>(ctest::MakeGradient(wxSize(400, 24)));
        frame = new wxFrame(nullptr, wxID_ANY, "bar", wxPoint(60, 60), wxSize(400, 200),
                            wxBORDER_NONE);
        // A frame sizes a lone child to its whole client area: give the bar a sibling.
        new wxWindow(frame, wxID_ANY, wxPoint(0, 100), wxSize(10, 10));
        bar = new RkMenuBar(skin.get(), frame, 2155, wxPoint(0, 0));
        for (const TitleSpec& t : kTitles) {
            auto* menu = new CountedMenu;
            menu->Append(100 + t.id, wxString(t.label) + " one");
            menu->Append(200 + t.id, wxString(t.label) + " two");
            bar->AddMenu(t.id, menu, t.label);
        }
        ASSERT_TRUE(ctest::ShowAndWait(frame));
    }

    void TearDown() override
    {
        frame->Destroy();
        ctest::Pump(50);
    }

    // The title's pixels as the X server shows them (the rows inside the bar).
    static wxImage Grab(wxWindow* win)
    {
        ctest::Pump(100);
        mvtest::TempDir dir;
        const std::string file = dir / "screen.png";
        if (mvtest::Run({"import", "-window", "root", file}).status != 0)
            return wxImage();
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxInitAllImageHandlers();
        wxImage screen(wxString::FromUTF8(file), wxBITMAP_TYPE_PNG);
        const wxSize size(win->GetSize().x, win->GetParent()->GetSize().y - win->GetPosition().y);
        return screen.GetSubImage(wxRect(win->GetScreenPosition(), size));
    }

    // How many pixels of an image are near white / near black.
    static int Count(const wxImage& image, bool white)
    {
        int n = 0;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x) {
                const int sum = image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y);
                n += white ? sum > 700 : sum < 40;
            }
        return n;
    }

    std::unique_ptr<wxBitmap> skin;
    wxFrame* frame = nullptr;
    RkMenuBar* bar = nullptr;
};

TEST_F(MenuBarTest, TitlesAreCutFromTheSkinSideBySide)
{
    EXPECT_EQ(bar->GetSize(), wxSize(400, 24));
    ASSERT_EQ(bar->GetTitles().size(), 4u);
    int x = 20;
    for (size_t i = 0; i < 4; ++i) {
        RkMenuButton* title = bar->GetTitles()[i];
        SCOPED_TRACE(kTitles[i].label);
        EXPECT_EQ(title->GetId(), kTitles[i].id);
        wxMemoryDC measure;
        measure.SetFont(title->GetFont());
        EXPECT_EQ(title->GetFont().GetPointSize(), 9);
        const int textWidth = measure.GetTextExtent(kTitles[i].label).x;
        EXPECT_EQ(title->GetRect(), wxRect(x, 4, textWidth + 8, 22));
        // The last column and row inside the bar carry no text: the skin under them.
        const wxBitmap* normal = title->GetImage(RkMenuButton::IMAGE_NORMAL);
        const wxBitmap* over = title->GetImage(RkMenuButton::IMAGE_OVER);
        ASSERT_NE(normal, nullptr);
        ASSERT_NE(over, nullptr);
        for (const wxBitmap* image : {normal, over})
            EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(*image, textWidth + 7, 19),
                                          ctest::GradientAt(x + textWidth + 7, 4 + 19)));
        EXPECT_EQ(title->GetImage(RkMenuButton::IMAGE_DISABLED), nullptr);
        x += textWidth + 8 + 5;
    }
}

TEST_F(MenuBarTest, TitleTurnsWhiteUnderThePointerUnlessHoverIsHeld)
{
    RkMenuButton* edit = TitleOf(bar, 13);
    const wxImage before = Grab(edit);
    EXPECT_GT(Count(before, false), 5) << "black label";
    EXPECT_EQ(Count(before, true), 0);

    ctest::SendMouse(edit, wxEVT_ENTER_WINDOW, {3, 3}, false);
    EXPECT_EQ(edit->GetHover(), 1);
    const wxImage over = Grab(edit);
    EXPECT_GT(Count(over, true), 5) << "white label";
    EXPECT_EQ(Count(over, false), 0);

    ctest::SendMouse(edit, wxEVT_LEAVE_WINDOW, {-3, 3}, false);
    EXPECT_EQ(edit->GetHover(), 0);
    EXPECT_EQ(Count(Grab(edit), true), 0);

    // While its menu is open a title keeps its look whatever the pointer does.
    edit->SetHoverAllowed(false);
    ctest::SendMouse(edit, wxEVT_ENTER_WINDOW, {3, 3}, false);
    EXPECT_EQ(edit->GetHover(), 0);
    edit->HoverOn();
    ctest::SendMouse(edit, wxEVT_LEAVE_WINDOW, {-3, 3}, false);
    EXPECT_EQ(edit->GetHover(), 1);
    edit->SetHoverAllowed(true);
    edit->HoverOff();

    // A disabled title shows its normal image even under the pointer.
    edit->Disable();
    ctest::SendMouse(edit, wxEVT_ENTER_WINDOW, {3, 3}, false);
    EXPECT_EQ(Count(Grab(edit), true), 0);
    edit->Enable();
}

TEST_F(MenuBarTest, MenuFollowsThePointerFromTitleToTitle)
{
    RkMenuButton* file = TitleOf(bar, 6);
    RkMenuButton* edit = TitleOf(bar, 13);
    RkMenuButton* help = TitleOf(bar, 23);
    std::vector<int> seen;
    std::vector<int> fileHover, editHover;
    auto note = [&] {
        seen.push_back(RkMenuBar::GetCurrentTitleId());
        fileHover.push_back(file->GetHover());
        editHover.push_back(edit->GetHover());
    };
    using menutest::MenuShown;
    Script script;
    script.When("File's menu", MenuShown(bar, 6), note);
    script.Then(0, [&] { menutest::MovePointerTo(edit, {6, 8}); });
    script.When("Edit's menu", MenuShown(bar, 13), note);
    script.Then(0, [&] { menutest::ScreenshotLater("menu-edit-open"); });
    script.Then(600, [&] { menutest::MovePointerTo(file, {6, 8}); });
    script.When("File's menu again", MenuShown(bar, 6), note);
    // Into the open menu, then over the empty end of the bar: it stays.
    script.Then(0, [&] { menutest::MovePointerTo(file, {12, 40}); });
    script.Then(300, [&] { menutest::MovePointerTo(bar, {390, 12}); });
    script.Then(300, note);
    script.Then(0, [&] { menutest::MovePointerTo(help, {6, 8}); });
    script.When("Help's menu", MenuShown(bar, 23), note);
    // The open menu's title stays white with the pointer elsewhere.
    script.Then(0, [&] { menutest::MovePointerTo(bar, {390, 12}); });
    script.Then(300, [&] { editHover.push_back(help->GetHover()); });
    // Escape closes the menu that the pointer opened; it is not opened again.
    script.Then(0, [&] { menutest::PressKey(WXK_ESCAPE); });
    ASSERT_TRUE(menutest::ClickTitle(bar, 6, script));
    ctest::Pump(300);
    menutest::WaitForScreenshots();

    EXPECT_EQ(seen, (std::vector<int>{6, 13, 6, 6, 23}));
    EXPECT_EQ(fileHover, (std::vector<int>{1, 0, 1, 1, 0}));
    EXPECT_EQ(editHover, (std::vector<int>{0, 1, 0, 0, 0, /* Help */ 1}));
    EXPECT_EQ(RkMenuBar::GetCurrentTitleId(), RkMenuBar::TITLE_NONE);
    EXPECT_EQ(bar->GetOpenState(), 0);
    EXPECT_EQ(help->GetHover(), 0) << "a closed title shows its normal image";
}

TEST_F(MenuBarTest, AClickOnTheOpenMenusTitleClosesItAndTheNextClickOpensItAgain)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        bool wasOpen = false;
        Script script;
        script.When("Option's menu", menutest::MenuShown(bar, 16), [&] {
            wasOpen = RkMenuBar::GetCurrentTitleId() == 16;
            if (round == 0)
                menutest::ScreenshotLater("menu-option-open");
        });
        // Time for the screenshot of the open menu.
        script.Then(round == 0 ? 800 : 0, [] { wxUIActionSimulator().MouseClick(); });
        ASSERT_TRUE(menutest::ClickTitle(bar, 16, script));
        ctest::Pump(200);
        menutest::WaitForScreenshots();
        EXPECT_TRUE(wasOpen);
        EXPECT_EQ(RkMenuBar::GetCurrentTitleId(), RkMenuBar::TITLE_NONE);
        EXPECT_EQ(bar->GetOpenState(), 0);
    }
}

TEST_F(MenuBarTest, ChosenItemReachesTheBarsParent)
{
    std::vector<int> chosen;
    frame->Bind(wxEVT_MENU, [&](wxCommandEvent& e) { chosen.push_back(e.GetId()); });
    for (int downs : {1, 2}) {
        ASSERT_TRUE(menutest::Choose(bar, 13, downs));
        menutest::WaitForQueuedCommands(bar);
    }
    EXPECT_EQ(chosen, (std::vector<int>{113, 213}));
}

TEST_F(MenuBarTest, LeftAndRightMoveToTheNeighbouringMenus)
{
    std::vector<int> chosen;
    frame->Bind(wxEVT_MENU, [&](wxCommandEvent& e) { chosen.push_back(e.GetId()); });
    // Options disabled: the keys pass over it as over an insensitive title.
    TitleOf(bar, 16)->Disable();
    std::vector<int> seen;
    std::vector<int> hover;
    auto note = [&] {
        seen.push_back(RkMenuBar::GetCurrentTitleId());
        hover.push_back(TitleOf(bar, 13)->GetHover());
    };
    Script script;
    script.When("File's menu, opened by the pointer", menutest::MenuShown(bar, 6), note);
    const struct {
        int key;
        int reaches;
    } keys[] = {{WXK_RIGHT, 13}, {WXK_RIGHT, 23}, {WXK_RIGHT, 6}, {WXK_LEFT, 23}, {WXK_LEFT, 13}};
    for (const auto& k : keys) {
        script.Then(0, [key = k.key] { menutest::PressKey(key); });
        script.When("the menu of title " + std::to_string(k.reaches),
                    menutest::MenuShown(bar, k.reaches), note);
    }
    // The menu reached by a key shows its first item lit: Return runs it.
    script.When("the first item of Edit's menu lit", menutest::ItemLit(bar, 13, 1));
    script.Then(0, [] { menutest::PressKey(WXK_RETURN); });
    ASSERT_TRUE(menutest::ClickTitle(bar, 6, script));
    menutest::WaitForQueuedCommands(bar);
    ctest::Pump(200);
    EXPECT_EQ(seen, (std::vector<int>{6, 13, 23, 6, 23, 13}));
    EXPECT_EQ(hover, (std::vector<int>{0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(chosen, (std::vector<int>{113}));
    EXPECT_EQ(RkMenuBar::GetCurrentTitleId(), RkMenuBar::TITLE_NONE);
    EXPECT_EQ(bar->GetOpenState(), 0);
    TitleOf(bar, 16)->Enable();
}

TEST(MenuBarLifetimeTest, DestroyingTheBarDeletesEachMenuOnceAndLeavesTheSkin)
{
    g_menusDeleted = 0;
    wxBitmap skin = ctest::MakeBitmap(wxSize(200, 24), *wxLIGHT_GREY);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bar");
    auto* bar = new RkMenuBar(&skin, frame, wxID_ANY);
    for (const TitleSpec& t : kTitles)
        bar->AddMenu(t.id, new CountedMenu, t.label);
    bar->Destroy();
    EXPECT_EQ(g_menusDeleted, 4);
    EXPECT_TRUE(skin.IsOk());
    EXPECT_EQ(skin.GetWidth(), 200);
    frame->Destroy();
    ctest::Pump(20);
}

}  // namespace
