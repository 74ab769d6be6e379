// The skinned menu bar around the commands it starts and from the keyboard:
// a command's dialog runs with the bar idle, so no menu opens by itself
// afterwards; Alt + a title's underlined letter opens that title's menu.
#include "ControlsTestUtil.h"
#include "MenuTestUtil.h"
#include "RkMenuBar.h"
#include "RkMenuButton.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

using menutest::Script;
using menutest::TitleOf;

struct TitleSpec {
    int id;
    const char* label;
};
const TitleSpec kTitles[] = {{6, "&File"}, {13, "&Edit"}, {16, "&Option"}, {23, "&Help"}};

class MenuBarCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin = std::make_unique<wxBitmap>(ctest::MakeGradient(wxSize(400, 24)));
        frame = new wxFrame(nullptr, wxID_ANY, "bar", wxPoint(60, 60), wxSize(400, 200),
                            wxBORDER_NONE);
        focus = new wxWindow(frame, wxID_ANY, wxPoint(0, 100), wxSize(100, 50));
        bar = new RkMenuBar(skin.get(), frame, 2155, wxPoint(0, 0));
        for (const TitleSpec& t : kTitles) {
            auto* menu = new wxMenu;
            menu->Append(100 + t.id, "one");
            menu->Append(200 + t.id, "two");
            bar->AddMenu(t.id, menu, t.label);
        }
        frame->Bind(wxEVT_MENU, [this](wxCommandEvent& e) { chosen.push_back(e.GetId()); });
        ASSERT_TRUE(ctest::ShowAndWait(frame));
        // Closes, and notes, any menu that opens once the command is over.
        closer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            if (commandDone && RkMenuBar::GetTrackedBar()) {
                openedAfter.push_back(RkMenuBar::GetCurrentTitleId());
                menutest::PressKey(WXK_ESCAPE);
            }
        });
        closer.Start(300);
    }

    void TearDown() override
    {
        closer.Stop();
        frame->Destroy();
        ctest::Pump(50);
    }

    // Moves the real pointer to a point of win in steps, as a hand does.
    static void Glide(wxWindow* win, const wxPoint& to)
    {
        const wxPoint from = win->ScreenToClient(wxGetMousePosition());
        for (int i = 1; i <= 8; ++i)
            ctest::MoveTo(win, from + (to - from) * i / 8);
    }

    std::unique_ptr<wxBitmap> skin;
    wxFrame* frame = nullptr;
    wxWindow* focus = nullptr;
    RkMenuBar* bar = nullptr;
    std::vector<int> chosen;
    wxTimer closer;
    bool commandDone = false;
    std::vector<int> openedAfter;
};

TEST_F(MenuBarCommandTest, ACommandsDialogRunsWithTheBarIdleAndNoMenuOpensAfterIt)
{
    struct Case {
        const char* what;
        int title;       // whose menu the command is chosen from
        int downs;       // Down presses to the item
        int command;     // its id
        bool covering;   // the dialog covers the bar (as a file chooser does)
        int passOver;    // the title the pointer then passes over
    };
    const Case cases[] = {
        {"Help > two, pointer onto File", 23, 2, 223, false, 6},
        {"File > one under a covering chooser, pointer over Option", 6, 1, 106, true, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        commandDone = false;
        openedAfter.clear();
        bool ranInsideMenu = true;
        int litDuring = -1;
        int trackedWhilePointing = -1;
        auto command = [&](wxCommandEvent& e) {
            e.Skip();  // on to the recorder
            if (e.GetId() != c.command)
                return;
            const wxPoint at = c.covering ? frame->GetScreenPosition() + wxPoint(-10, -10)
                                          : frame->GetScreenPosition() + wxPoint(0, 230);
            wxDialog dialog(nullptr, wxID_ANY, "command", at, wxSize(420, 120), wxBORDER_NONE);
            dialog.Move(at);
            dialog.CallAfter([&] {
                ctest::Pump(200);
                ranInsideMenu = RkMenuBar::GetTrackedBar() != nullptr;
                litDuring = TitleOf(bar, c.title)->GetHover();
                RkMenuButton* over = TitleOf(bar, c.passOver);
                Glide(over, wxPoint(6, 8));
                ctest::Pump(300);
                trackedWhilePointing = RkMenuBar::GetCurrentTitleId();
                dialog.EndModal(wxID_CANCEL);
            });
            dialog.ShowModal();
            commandDone = true;
        };
        frame->Bind(wxEVT_MENU, command);
        Script script;
        script.When("the title's menu", menutest::MenuShown(bar, c.title));
        // The pointer leaves the title (onto the empty end of the bar).
        script.Then(0, [&] { menutest::MovePointerTo(bar, wxPoint(300, 14)); });
        script.Then(100, [&] { menutest::MovePointerTo(bar, wxPoint(390, 12)); });
        menutest::AddPick(script, bar, c.title, c.downs);
        ASSERT_TRUE(menutest::ClickTitle(bar, c.title, script));
        ASSERT_TRUE(ctest::WaitFor([&] { return commandDone; }));
        ctest::Pump(900);
        frame->Unbind(wxEVT_MENU, command);

        EXPECT_FALSE(ranInsideMenu) << "the command ran inside the menu's loop";
        EXPECT_EQ(litDuring, 0) << "the menu's title stayed lit during the command";
        EXPECT_EQ(trackedWhilePointing, RkMenuBar::TITLE_NONE);
        EXPECT_TRUE(openedAfter.empty()) << "a menu opened by itself: " << openedAfter.front();
        EXPECT_EQ(RkMenuBar::GetTrackedBar(), nullptr);
        EXPECT_EQ(bar->GetOpenState(), 0);
        EXPECT_EQ(TitleOf(bar, c.title)->GetHover(), 0);
        EXPECT_EQ(chosen, std::vector<int>{c.command}) << "the command still reaches the parent";
        chosen.clear();
        // The bar answers the user again: a click opens a menu as before.
        Script again;
        bool opened = false;
        again.When("Edit's menu", menutest::MenuShown(bar, 13), [&] { opened = true; });
        again.Then(0, [] { menutest::PressKey(WXK_ESCAPE); });
        commandDone = false;
        ASSERT_TRUE(menutest::ClickTitle(bar, 13, again));
        EXPECT_TRUE(opened);
        ctest::MoveTo(focus, {5, 5});
    }
}

TEST_F(MenuBarCommandTest, AltAndTheUnderlinedLetterOpenThatTitlesMenu)
{
    struct Case {
        char key;
        int title;
    };
    // The pointer rests on "Help" throughout: only a move switches menus.
    ctest::MoveTo(TitleOf(bar, 23), {6, 8});
    ctest::Pump(200);
    for (const Case c : {Case{'f', 6}, Case{'e', 13}, Case{'o', 16}, Case{'h', 23}}) {
        SCOPED_TRACE(c.key);
        chosen.clear();
        int open = -1;
        int lit = -1;
        Script script;
        script.Then(0, [&] { wxUIActionSimulator().Char(c.key, wxMOD_ALT); });
        script.When(
            "a menu on screen",
            [&] { return menutest::MenuShown(bar, RkMenuBar::GetCurrentTitleId())(); },
            [&] {
                open = RkMenuBar::GetCurrentTitleId();
                lit = TitleOf(bar, c.title)->GetHover();
            });
        // Opened from the keyboard the first item is highlighted: Return takes it.
        script.When("its first item lit", menutest::ItemLit(bar, c.title, 1));
        script.Then(0, [] { menutest::PressKey(WXK_RETURN); });
        script.When("the menus to close", &menutest::MenusClosed);
        script.Run();
        ASSERT_TRUE(ctest::WaitFor([&] { return script.Done() && menutest::MenusClosed(); }));
        EXPECT_EQ(open, c.title);
        EXPECT_EQ(lit, 1);
        ASSERT_FALSE(script.Failed()) << script.Failure();
        menutest::WaitForQueuedCommands(bar);
        EXPECT_EQ(chosen, std::vector<int>{100 + c.title});
        EXPECT_EQ(RkMenuBar::GetTrackedBar(), nullptr);
    }
    // A letter no title underlines, or the letter without Alt, opens nothing.
    for (int modifiers : {int(wxMOD_ALT), int(wxMOD_NONE)}) {
        wxUIActionSimulator().Char(modifiers == wxMOD_ALT ? 'x' : 'f', modifiers);
        ctest::Pump(400);
        EXPECT_EQ(RkMenuBar::GetTrackedBar(), nullptr);
        if (RkMenuBar::GetTrackedBar())
            menutest::PressKey(WXK_ESCAPE);
    }
}

TEST_F(MenuBarCommandTest, TheMnemonicLetterIsDrawnUnderlined)
{
    // The same title with and without its mark, on a plain bar: only the
    // underline under the first letter tells them apart.
    wxBitmap plain = ctest::MakeBitmap(wxSize(200, 24), wxColour(190, 190, 190));
    auto* marked = new RkMenuButton(new wxMenu, "&File", &plain, frame, wxID_ANY, wxPoint(10, 1));
    auto* bare = new RkMenuButton(new wxMenu, "File", &plain, frame, wxID_ANY, wxPoint(100, 1));
    EXPECT_EQ(marked->GetSize(), bare->GetSize()) << "the mark takes no room";
    EXPECT_EQ(marked->GetMnemonic(), 'F');
    EXPECT_EQ(bare->GetMnemonic(), 0);
    int letterWidth = 0, textHeight = 0;
    marked->GetTextExtent("F", &letterWidth, &textHeight);
    for (int index : {int(RkMenuButton::IMAGE_NORMAL), int(RkMenuButton::IMAGE_OVER)}) {
        SCOPED_TRACE(index);
        const wxImage a = marked->GetImage(index)->ConvertToImage();
        const wxImage b = bare->GetImage(index)->ConvertToImage();
        int extra = 0, misplaced = 0;
        for (int y = 0; y < a.GetHeight(); ++y)
            for (int x = 0; x < a.GetWidth(); ++x) {
                if (a.GetRed(x, y) == b.GetRed(x, y) && a.GetBlue(x, y) == b.GetBlue(x, y))
                    continue;
                ++extra;
                misplaced += x > letterWidth + 1 || y < textHeight / 2;
            }
        EXPECT_GE(extra, letterWidth / 2) << "an underline under the F";
        EXPECT_EQ(misplaced, 0);
    }
}

}  // namespace
