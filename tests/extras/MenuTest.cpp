// The owner-drawn menu row: lists opened and closed by the real pointer,
// rows highlighted under it, items run by a click, lists switched along
// the row.
#include "ExtrasTestUtil.h"
#include "PvMenu.h"
#include "PvMenuManager.h"
#include "PvPopupMenu.h"

#include <wx/settings.h>
#include <wx/uiaction.h>

#include <vector>

namespace {

// Records the items run on it.
class Target : public wxEvtHandler {
public:
    void OnFirst(wxCommandEvent& e) { calls.push_back({0, e.GetId(), e.GetInt()}); }
    void OnSecond(wxCommandEvent& e) { calls.push_back({1, e.GetId(), e.GetInt()}); }
    struct Call {
        int handler;
        int id;
        int row;
    };
    std::vector<Call> calls;
};

class MenuTest : public etest::ShownPane {
protected:
    void SetUp() override
    {
        ShownPane::SetUp();
        const char* labels[] = {"File", "Edit", "Help"};
        for (int i = 0; i < 3; ++i) {
            titles[i] = new PvMenu(pane, 4100 + i, labels[i], wxPoint(10 + 60 * i, 10),
                                   wxSize(60, 22));
            titles[i]->AddItem("Open video", wxCommandEventHandler(Target::OnFirst), &target);
            titles[i]->AddItem("Convert all", wxCommandEventHandler(Target::OnSecond), &target);
            titles[i]->AddItem("Quit", wxCommandEventHandler(Target::OnFirst), &target, 1);
            manager.Add(titles[i]);
        }
        ctest::Pump(100);
    }
    void TearDown() override
    {
        for (PvMenu* title : titles)
            if (title->GetPopup()->IsShown())
                title->ClosePopup();
        ShownPane::TearDown();
    }
    wxPoint Row(int row) const
    {
        const int h = titles[0]->GetPopup()->GetItemHeight();
        return {30, row * h + h / 2};
    }
    bool Open(int i)
    {
        return ctest::WaitFor([&] { return titles[i]->GetPopup()->IsShown(); });
    }
    bool Closed(int i)
    {
        return ctest::WaitFor([&] { return !titles[i]->GetPopup()->IsShown(); });
    }
    PvMenuManager manager;
    PvMenu* titles[3] = {};
    Target target;
};

TEST_F(MenuTest, ListIsSizedFromItsLabels)
{
    PvPopupMenu* list = titles[0]->GetPopup();
    int w = 0, h = 0, widest = 0;
    for (const char* label : {"Open video", "Convert all", "Quit"}) {
        list->GetTextExtent(label, &w, &h);
        widest = std::max(widest, w);
    }
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->GetItemHeight(), h + 10);
    EXPECT_EQ(list->GetSize(), wxSize(40 + widest, 3 * (h + 10)));
    EXPECT_EQ(list->GetItemLabel(1), "Convert all");
    EXPECT_EQ(list->GetItemLabel(7), "");
    EXPECT_EQ(list->GetItemTarget(2), &target);

    EXPECT_EQ(manager.GetCount(), 3);
    EXPECT_EQ(manager.GetBarRect(), wxRect(10, 10, 180, 22));
    EXPECT_EQ(titles[2]->GetIndex(), 2);
    EXPECT_EQ(titles[2]->GetManager(), &manager);
}

TEST_F(MenuTest, HitTestFindsTheTitleAboveTheOpenList)
{
    EXPECT_EQ(manager.HitTest(5, -5), -1) << "no list open";
    manager.SetCurrent(0);
    struct Case {
        wxPoint pt;
        int expected;
    };
    const Case cases[] = {
        {{5, -5}, 0},   {{65, -5}, 1},  {{125, -10}, 2}, {{179, -1}, 2},
        {{5, 5}, -1},   {{185, -5}, -1}, {{-5, -5}, -1},  {{5, -30}, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(manager.HitTest(c.pt.x, c.pt.y), c.expected) << c.pt.x << "," << c.pt.y;
    manager.SetCurrent(1);
    EXPECT_EQ(manager.HitTest(5, -5), 1);
}

TEST_F(MenuTest, ClickOpensBelowTheTitleAndTheClickedItemRuns)
{
    ctest::Click(titles[0], {20, 10});
    ASSERT_TRUE(Open(0));
    EXPECT_TRUE(titles[0]->IsOpen());
    EXPECT_EQ(manager.GetCurrent(), 0);
    PvPopupMenu* list = titles[0]->GetPopup();
    EXPECT_EQ(list->GetScreenPosition(), titles[0]->ClientToScreen(wxPoint(0, 22)));

    ctest::MoveTo(list, Row(1));
    EXPECT_EQ(list->GetHighlighted(), 1);
    const wxBitmap face = etest::Face(list, list->GetSize());
    const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_MENUHILIGHT);
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 5, Row(1).y), highlight));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 5, Row(0).y), *wxWHITE));
    ctest::Screenshot("extras-menu-open");
    ctest::MoveTo(list, Row(0));
    EXPECT_EQ(list->GetHighlighted(), 0);

    ctest::Click(list, Row(1));
    ASSERT_TRUE(Closed(0));
    EXPECT_FALSE(titles[0]->IsOpen());
    ASSERT_EQ(target.calls.size(), 1u);
    EXPECT_EQ(target.calls[0].handler, 1);
    EXPECT_EQ(target.calls[0].id, 4100);
    EXPECT_EQ(target.calls[0].row, 1);

    // Opened again, nothing is highlighted.
    ctest::Pump(100);
    ctest::Click(titles[0], {20, 10});
    ASSERT_TRUE(Open(0));
    EXPECT_EQ(list->GetHighlighted(), -1);
}

TEST_F(MenuTest, DisabledItemKeepsTheListOpenAndRunsNothing)
{
    titles[1]->DisableItem(0);
    ctest::Click(titles[1], {20, 10});
    ASSERT_TRUE(Open(1));
    PvPopupMenu* list = titles[1]->GetPopup();
    ctest::MoveTo(list, Row(0));
    const wxBitmap face = etest::Face(list, list->GetSize());
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 5, Row(0).y), *wxWHITE))
        << "a disabled row is never highlighted";
    ctest::Click(list, Row(0));
    ctest::Pump(150);
    EXPECT_TRUE(list->IsShown());
    EXPECT_TRUE(target.calls.empty());

    titles[1]->EnableItem(0);
    ctest::Click(list, Row(0));
    ASSERT_TRUE(Closed(1));
    ASSERT_EQ(target.calls.size(), 1u);
    EXPECT_EQ(target.calls[0].id, 4101);
    EXPECT_EQ(target.calls[0].row, 0);
}

void PressKey(int keyCode)
{
    wxUIActionSimulator().Char(keyCode);
    ctest::Pump(120);
}

// Real keys in an open list, as in a native menu: Up and Down walk the
// enabled items round the ends, Left and Right go to the neighbouring
// titles' lists, Return runs the lit item, Escape closes.
TEST_F(MenuTest, KeysWalkTheListsRunTheLitItemAndClose)
{
    titles[0]->DisableItem(1);
    ctest::Click(titles[0], {20, 10});
    ASSERT_TRUE(Open(0));
    PvPopupMenu* list = titles[0]->GetPopup();
    EXPECT_EQ(list->GetHighlighted(), -1);
    const struct {
        int key;
        int open;  // the title whose list is open
        int lit;   // its lit item
    } steps[] = {
        {WXK_DOWN, 0, 0}, {WXK_DOWN, 0, 2}, {WXK_DOWN, 0, 0}, {WXK_UP, 0, 2},
        {WXK_RIGHT, 1, 0}, {WXK_DOWN, 1, 1}, {WXK_LEFT, 0, 0}, {WXK_LEFT, 2, 0},
    };
    for (const auto& step : steps) {
        PressKey(step.key);
        ASSERT_TRUE(Open(step.open)) << step.key;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(titles[i]->GetPopup()->IsShown(), i == step.open) << step.key;
        EXPECT_EQ(manager.GetCurrent(), step.open);
        EXPECT_EQ(titles[step.open]->GetPopup()->GetHighlighted(), step.lit) << step.key;
    }
    PressKey(WXK_ESCAPE);
    ASSERT_TRUE(Closed(2));
    EXPECT_FALSE(titles[2]->IsOpen());
    EXPECT_TRUE(target.calls.empty());

    ctest::Click(titles[0], {20, 10});
    ASSERT_TRUE(Open(0));
    PressKey(WXK_UP);
    PressKey(WXK_RETURN);
    ASSERT_TRUE(Closed(0));
    ASSERT_EQ(target.calls.size(), 1u);
    EXPECT_EQ(target.calls[0].handler, 0);
    EXPECT_EQ(target.calls[0].id, 4100);
    EXPECT_EQ(target.calls[0].row, 2);
}

TEST_F(MenuTest, PointerMovingOntoTheNextTitleSwitchesTheList)
{
    ctest::Click(titles[0], {20, 10});
    ASSERT_TRUE(Open(0));
    ctest::MoveTo(titles[0]->GetPopup(), Row(1));
    ctest::MoveTo(titles[1], {30, 10});
    ASSERT_TRUE(Open(1));
    EXPECT_TRUE(Closed(0));
    EXPECT_FALSE(titles[0]->IsOpen());
    EXPECT_TRUE(titles[1]->IsOpen());
    EXPECT_EQ(manager.GetCurrent(), 1);
    ctest::MoveTo(titles[2], {30, 10});
    ASSERT_TRUE(Open(2));
    EXPECT_TRUE(Closed(1));
    EXPECT_FALSE(titles[0]->IsHover());
    EXPECT_FALSE(titles[1]->IsHover());
    EXPECT_TRUE(titles[2]->IsHover());
    ctest::Screenshot("extras-menu-switched");

    ctest::Click(titles[2]->GetPopup(), Row(2));
    ASSERT_TRUE(Closed(2));
    ASSERT_EQ(target.calls.size(), 1u);
    EXPECT_EQ(target.calls[0].id, 4102);
    EXPECT_EQ(target.calls[0].row, 2);
}

TEST_F(MenuTest, ClickOutsideOrOnTheOwnTitleCloses)
{
    ctest::Click(titles[0], {20, 10});
    ASSERT_TRUE(Open(0));
    ctest::Click(pane, {350, 250});
    ASSERT_TRUE(Closed(0));
    EXPECT_FALSE(titles[0]->IsOpen());
    EXPECT_TRUE(target.calls.empty());

    ctest::Pump(100);
    ctest::Click(titles[0], {20, 10});
    ASSERT_TRUE(Open(0));
    ctest::Click(titles[0], {20, 10});
    ASSERT_TRUE(Closed(0));
    ctest::Pump(150);
    EXPECT_FALSE(titles[0]->GetPopup()->IsShown());
    EXPECT_FALSE(titles[0]->IsOpen());
    EXPECT_TRUE(target.calls.empty());
}

TEST_F(MenuTest, TitleFaceFollowsThePointerInColourAndPictureMode)
{
    const wxColour bar = wxSystemSettings::GetColour(wxSYS_COLOUR_MENUBAR);
    const wxColour hover = wxSystemSettings::GetColour(wxSYS_COLOUR_MENUHILIGHT);
    ctest::MoveTo(pane, {350, 250});
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(etest::Face(titles[0], {60, 22}), 2, 2), bar));
    ctest::MoveTo(titles[0], {30, 11});
    EXPECT_TRUE(titles[0]->IsHover());
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(etest::Face(titles[0], {60, 22}), 2, 2), hover));
    ctest::MoveTo(pane, {350, 250});
    EXPECT_FALSE(titles[0]->IsHover());

    titles[1]->SetBackgroundColour(wxColour(10, 120, 10));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(etest::Face(titles[1], {60, 22}), 2, 2),
                                  wxColour(10, 120, 10)));
    titles[2]->SetBitmap(wxBitmap(ctest::Solid({60, 22}, wxColour(200, 200, 0))));
    titles[2]->SetHoverBitmap(wxBitmap(ctest::Solid({60, 22}, wxColour(0, 200, 200))));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(etest::Face(titles[2], {60, 22}), 2, 2),
                                  wxColour(200, 200, 0)));
    ctest::MoveTo(titles[2], {30, 11});
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(etest::Face(titles[2], {60, 22}), 2, 2),
                                  wxColour(0, 200, 200)));
    ctest::Screenshot("extras-menu-titles");
}

TEST_F(MenuTest, CheckedItemShowsTheCheckPicture)
{
    titles[0]->SetCheckBitmap(wxBitmap(ctest::Solid({12, 12}, wxColour(0, 160, 0))));
    PvPopupMenu* list = titles[0]->GetPopup();
    EXPECT_FALSE(titles[0]->IsItemChecked(2));
    titles[0]->CheckItem(2, true);
    titles[0]->CheckItem(0, true);  // not checkable: no picture
    EXPECT_TRUE(titles[0]->IsItemChecked(2));
    const wxBitmap face = etest::Face(list, list->GetSize());
    const int h = list->GetItemHeight();
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 5, 2 * h + 8), wxColour(0, 160, 0)));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 5, 8), *wxWHITE));
}

}  // namespace
