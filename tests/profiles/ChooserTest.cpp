// The profile chooser driven with real pointer events: the category popup,
// the profile list beside it, scrolling, choosing, closing.
#include "MenuItemArray.h"
#include "MenuRowPainter.h"
#include "MyLeafMenu.h"
#include "MyMenuItem.h"
#include "MyPopupMenu.h"
#include "PaneIds.h"
#include "ProfileComboBox.h"
#include "ProfileTestEnv.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <memory>

using namespace ptest;

namespace {

wxString ManyCategories(int count)
{
    wxString body;
    for (int i = 0; i < count; ++i)
        body += CatalogGroup(wxString::Format("Group %d", i), "surface/test/cat-red.png",
                         CatalogProfile(wxString::Format("p%d (*.mp4)", i), "P", "d"));
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalog>\n" + body + "</catalog>\n";
}

// A borderless frame holding one chooser, which records every choice.
struct Host {
    explicit Host(const wxPoint& pos)
    {
        frame = new wxFrame(nullptr, wxID_ANY, "host", pos, wxSize(420, 60), wxBORDER_NONE);
        panel = new wxPanel(frame, wxID_ANY, wxPoint(0, 0), wxSize(420, 60));
        combo = new ProfileComboBox(panel, PANE_PROFILE_CHOOSER, wxPoint(62, 2), wxSize(288, 22),
                                    ProfileComboBox::kChooserStyle);
        panel->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
            ++choices;
            text = event.GetString();
            item = static_cast<MyMenuItem*>(event.GetClientData());
            object = event.GetEventObject();
            popupShownDuringChoice = combo->GetPopup()->IsShown();
            combo->SetValue(event.GetString());
        }, PANE_PROFILE_CHOOSER);
        EXPECT_TRUE(ShowAndWait(frame));
    }
    ~Host()
    {
        frame->Destroy();
        Pump(50);
    }

    MyPopupMenu* popup() const { return combo->GetPopup(); }
    MyLeafMenu* leaf() const { return combo->GetPopup()->GetLeafMenu(); }
    void Open() { OpenChooser(combo); }
    wxPoint CategoryRow(int row) const { return CategoryRowPoint(combo, row); }
    wxPoint LeafRow(int row) const { return ProfileRowPoint(combo, row); }

    wxFrame* frame = nullptr;
    wxPanel* panel = nullptr;
    ProfileComboBox* combo = nullptr;
    int choices = 0;
    wxString text;
    MyMenuItem* item = nullptr;
    wxObject* object = nullptr;
    bool popupShownDuringChoice = false;
};

const wxColour kHighlight(49, 106, 197);

}  // namespace

TEST(ProfileChooser, OpensBelowWithIconsAndClosesOnSecondClick)
{
    ProfileTestEnv env(ChooserCatalog());
    Host host(wxPoint(40, 40));

    // The box shows the first category's icon at its left edge.
    const MenuItemArray* categories = host.popup()->GetItems();
    ASSERT_EQ(categories->GetCount(), 4u);
    EXPECT_EQ(host.combo->GetBitmap(), categories->Item(0)->GetImage());
    EXPECT_EQ(host.combo->GetTextIndent(), 24 + 4);
    EXPECT_TRUE(ScreenRectHas(wxRect(host.combo->GetScreenPosition() + wxPoint(3, 5), wxSize(4, 4)),
                              IconColour("cat-red"), 10));

    host.Open();
    Screenshot("chooser-open");
    const wxPoint comboScreen = host.combo->GetScreenPosition();
    EXPECT_EQ(host.popup()->GetScreenPosition(),
              wxPoint(comboScreen.x, comboScreen.y + host.combo->GetSize().y));
    // The profile list touches the categories' right edge at the same top.
    EXPECT_EQ(host.leaf()->GetScreenPosition(),
              host.popup()->GetScreenPosition() + wxPoint(150, 0));

    const wxString expected[] = {"Video", "Audio", "User Defined", "Recent"};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(categories->Item(i)->GetAlias(), expected[i]);
    EXPECT_EQ(host.leaf()->GetCategory(), "Video");
    ASSERT_EQ(host.leaf()->GetItems()->GetCount(), 8u);

    // Row 0 is highlighted; each row shows its category's icon and an arrow.
    const wxPoint popupScreen = host.popup()->GetScreenPosition();
    EXPECT_TRUE(ScreenRectHas(wxRect(popupScreen + wxPoint(100, 3), wxSize(10, 4)), kHighlight, 8));
    EXPECT_TRUE(ScreenRectHas(wxRect(popupScreen + wxPoint(2, 28 + 6), wxSize(6, 6)),
                              IconColour("cat-green"), 10));
    EXPECT_TRUE(ScreenRectHas(wxRect(popupScreen + wxPoint(150 - 30, 28 + 7), wxSize(14, 14)),
                              *wxBLACK, 30));

    Click(host.combo, wxPoint(100, 11));
    EXPECT_TRUE(WaitFor([&] { return !host.popup()->IsShown(); }));
    EXPECT_FALSE(host.leaf()->IsShown());
    EXPECT_EQ(host.choices, 0);
}

TEST(ProfileChooser, HoverOpensProfilesAndClickChoosesThroughTheBox)
{
    ProfileTestEnv env(ChooserCatalog());
    Host host(wxPoint(40, 40));
    host.Open();

    MoveTo(host.CategoryRow(1));
    ASSERT_TRUE(WaitFor([&] { return host.leaf()->GetCategory() == "Audio"; }));
    EXPECT_EQ(host.popup()->GetHoveredIndex(), 1);
    ASSERT_EQ(host.leaf()->GetItems()->GetCount(), 2u);  // the hidden profile is left out
    const MenuItemArray* listed = host.leaf()->GetItems();

    // Moving within the highlighted row does not fill the list again.
    MoveTo(host.CategoryRow(1) + wxPoint(20, 6));
    EXPECT_EQ(host.leaf()->GetItems(), listed);
    // Below the last category the highlight stays.
    MoveTo(host.popup()->GetScreenPosition() + wxPoint(60, 4 * 28 + 5));
    EXPECT_EQ(host.leaf()->GetCategory(), "Audio");

    // Right after filling, a click chooses nothing... after a move it does.
    MoveTo(host.LeafRow(1));
    EXPECT_EQ(host.leaf()->GetHighlightedIndex(), 1);
    Screenshot("chooser-audio");
    Click(host.leaf(), host.leaf()->ScreenToClient(host.LeafRow(1)));
    ASSERT_EQ(host.choices, 1);
    EXPECT_EQ(host.text, "Plain Audio");
    ASSERT_TRUE(host.item);
    EXPECT_EQ(host.item->GetId(), "audio_plain (*.ogg)");
    ASSERT_TRUE(host.item->GetParent());
    EXPECT_EQ(host.item->GetParent()->GetId(), "Audio");
    EXPECT_EQ(host.object, host.leaf());
    EXPECT_TRUE(host.popupShownDuringChoice);
    EXPECT_TRUE(WaitFor([&] { return !host.popup()->IsShown(); }));
    EXPECT_FALSE(host.leaf()->IsShown());
    EXPECT_EQ(host.combo->GetValue(), "Plain Audio");

    // Reopened, the last hovered category is listed again.
    host.Open();
    EXPECT_EQ(host.leaf()->GetCategory(), "Audio");
    // Below the last profile row a click takes the row highlighted before.
    MoveTo(host.LeafRow(0));
    MoveTo(host.leaf()->GetScreenPosition() + wxPoint(150, 2 * 45 + 20));
    Click(host.leaf(), wxPoint(150, 2 * 45 + 20));
    ASSERT_EQ(host.choices, 2);
    EXPECT_EQ(host.text, "Long");
}

TEST(ProfileChooser, LongCategoryScrollsWithItsBar)
{
    ProfileTestEnv env(ChooserCatalog());
    Host host(wxPoint(40, 40));
    host.Open();
    MyLeafMenu* leaf = host.leaf();
    ASSERT_EQ(leaf->GetCategory(), "Video");
    EXPECT_EQ(leaf->GetRowsPerPage(), 165 / 45);
    EXPECT_EQ(leaf->GetLastVisible(), 2);
    ASSERT_TRUE(leaf->HasScrollBar());

    // A bar that is seen: a trough at the right edge and a thumb of three
    // eighths of it, both on the screen in their own greys.
    const wxRect bar = leaf->GetScrollBarRect();
    const wxRect thumb = leaf->GetThumbRect();
    EXPECT_GE(bar.width, 12);
    EXPECT_EQ(bar.GetRight(), leaf->GetClientSize().x - 2);
    EXPECT_NEAR(thumb.height, bar.height * 3 / 8, 1);
    const wxPoint origin = leaf->GetScreenPosition();
    EXPECT_TRUE(ScreenRectHas(wxRect(origin + thumb.GetTopLeft() + wxPoint(3, 5), wxSize(4, 8)),
                              wxColour(150, 150, 150), 12));
    EXPECT_TRUE(ScreenRectHas(wxRect(origin + wxPoint(bar.x + 1, thumb.GetBottom() + 10), wxSize(1, 8)),
                              wxColour(232, 232, 232), 6));
    // Rows and their highlight stop left of the bar.
    MoveTo(host.LeafRow(0));
    EXPECT_FALSE(ScreenRectHas(wxRect(origin + wxPoint(bar.x + 1, 10), wxSize(bar.width - 2, 30)),
                               kHighlight, 8));

    // Drag the thumb to the bottom with the real pointer.
    const wxPoint grip = origin + wxPoint(bar.x + bar.width / 2, thumb.y + 8);
    PressAt(grip);
    MoveTo(grip + wxPoint(0, 30));
    MoveTo(grip + wxPoint(0, leaf->GetSize().y + 40));
    Release();
    ASSERT_TRUE(WaitFor([&] { return leaf->GetFirstVisible() == 5; }))
        << "first visible " << leaf->GetFirstVisible();
    EXPECT_EQ(leaf->GetLastVisible(), 7);
    EXPECT_EQ(leaf->GetThumbRect().GetBottom(), bar.GetBottom());
    EXPECT_TRUE(host.popup()->IsShown());
    EXPECT_FALSE(leaf->HasCapture());
    Screenshot("chooser-scrolled");

    // A press on the trough above the thumb brings the thumb there.
    PressAt(origin + wxPoint(bar.x + bar.width / 2, bar.y + 4));
    Release();
    EXPECT_EQ(leaf->GetFirstVisible(), 0);
    EXPECT_EQ(host.choices, 0);
    PressAt(origin + wxPoint(bar.x + bar.width / 2, bar.GetBottom() - 4));
    Release();
    EXPECT_EQ(leaf->GetFirstVisible(), 5);

    // Below the rows, with no profile highlighted yet, a click chooses nothing.
    const wxPoint below(150, leaf->GetRowsPerPage() * 45 + 10);
    ASSERT_LT(below.y, leaf->GetClientSize().y);
    MoveTo(leaf, below);
    Click(leaf, below);
    EXPECT_EQ(host.choices, 0);
    EXPECT_TRUE(host.popup()->IsShown());

    // The first visible row is now profile 5.
    MoveTo(host.LeafRow(0) + wxPoint(0, 5));
    MoveTo(host.LeafRow(0));
    Click(leaf, leaf->ScreenToClient(host.LeafRow(0)));
    ASSERT_EQ(host.choices, 1);
    EXPECT_EQ(host.text, "Video 5 (*.mp4)");

    // Filling again starts at the top; after a drag the popup still closes
    // on a click outside it.
    host.Open();
    EXPECT_EQ(leaf->GetFirstVisible(), 0);
    PressAt(grip);
    MoveTo(grip + wxPoint(0, 40));
    Release();
    EXPECT_GT(leaf->GetFirstVisible(), 0);
    Click(host.panel, wxPoint(10, 40));
    EXPECT_TRUE(WaitFor([&] { return !host.popup()->IsShown(); }));
    EXPECT_EQ(host.choices, 1);
}

TEST(ProfileChooser, ClickAfterAWheelScrollTakesTheRowNowUnderThePointer)
{
    ProfileTestEnv env(ChooserCatalog());
    Host host(wxPoint(40, 40));
    struct Case {
        int pointedRow;
        int notches;  // down when positive, first one down from the top
        const char* chosen;
    };
    const Case cases[] = {
        {0, 1, "Video 1 (*.mp4)"},
        {1, 3, "Video 4 (*.mp4)"},
        {2, 9, "Video 7 (*.mp4)"},  // stops at the last page
        {0, -1, "Video 0 (*.mp4)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        host.Open();
        MyLeafMenu* leaf = host.leaf();
        ASSERT_EQ(leaf->GetCategory(), "Video");
        if (c.notches < 0) {
            MoveTo(host.LeafRow(0));
            Wheel(2);
            ASSERT_EQ(leaf->GetFirstVisible(), 2);
        }
        MoveTo(host.LeafRow(c.pointedRow) + wxPoint(0, 4));
        MoveTo(host.LeafRow(c.pointedRow));
        ASSERT_EQ(leaf->GetHighlightedIndex(), leaf->GetFirstVisible() + c.pointedRow);
        Wheel(c.notches < 0 ? -2 : c.notches);
        // The highlight follows the rows under the unmoved pointer, on the screen too.
        EXPECT_EQ(leaf->GetHighlightedIndex(), leaf->GetFirstVisible() + c.pointedRow);
        EXPECT_TRUE(ScreenRectHas(wxRect(host.LeafRow(c.pointedRow) + wxPoint(200, 10), wxSize(10, 4)),
                                  kHighlight, 8));
        const int choices = host.choices;
        wxUIActionSimulator sim;
        sim.MouseClick();
        Pump(150);
        ASSERT_EQ(host.choices, choices + 1);
        EXPECT_EQ(host.text, c.chosen);
        EXPECT_TRUE(WaitFor([&] { return !host.popup()->IsShown(); }));
    }
}

TEST(ProfileChooser, OpensOnTheCategoryOfTheCurrentProfile)
{
    // Recent first and empty, as in the shipped catalog.
    wxString catalog = ChooserCatalog();
    const wxString recent = CatalogGroup("Recent", "surface/test/cat-yellow.png", "");
    catalog.Replace(recent, "");
    catalog.Replace("<catalog>\n", "<catalog>\n" + recent);
    ProfileTestEnv env(catalog);
    Host host(wxPoint(40, 40));
    ASSERT_EQ(host.popup()->GetItems()->Item(0)->GetId(), "Recent");
    struct Case {
        const char* current;
        const char* category;
    };
    const Case cases[] = {
        {"Plain Audio", "Audio"},
        {"Mine (*.mkv)", "User Defined"},
        {"Video 6 (*.mp4)", "Video"},
        {"Hidden", "Video"},  // a hidden profile is not looked for: the first filled category
        {"", "Video"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        host.combo->SetValue(c.current);
        host.Open();
        EXPECT_EQ(host.leaf()->GetCategory(), c.category);
        const int row = host.popup()->GetHoveredIndex();
        EXPECT_EQ(host.popup()->GetItems()->Item(row)->GetId(), c.category);
        EXPECT_TRUE(ScreenRectHas(wxRect(host.CategoryRow(row) + wxPoint(30, -8), wxSize(10, 4)),
                                  kHighlight, 8));
        EXPECT_GT(host.leaf()->GetItems()->GetCount(), 0u);
        Click(host.combo, wxPoint(100, 11));
        ASSERT_TRUE(WaitFor([&] { return !host.popup()->IsShown(); }));
    }
}

TEST(ProfileChooser, CurrentCategoryBeyondTheFifteenRowsIsScrolledIn)
{
    wxString body;
    for (int i = 0; i < 17; ++i)
        body += CatalogGroup(wxString::Format("Group %d", i), "surface/test/cat-red.png",
                             CatalogProfile(wxString::Format("p%d (*.mp4)", i),
                                            wxString::Format("P%d", i), "d"));
    ProfileTestEnv env("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalog>\n" + body +
                       "</catalog>\n");
    Host host(wxPoint(40, 20));
    MyPopupMenu* popup = host.popup();
    host.combo->SetValue("P16");
    host.combo->SetFocus();
    MoveTo(host.panel, wxPoint(20, 50));
    PressKey(WXK_F4);
    ASSERT_TRUE(WaitFor([&] { return popup->IsShown(); }));
    EXPECT_EQ(popup->GetHoveredIndex(), 16);
    EXPECT_EQ(popup->GetLastVisible(), 16);
    EXPECT_EQ(popup->GetFirstVisible(), 2);
    EXPECT_EQ(host.leaf()->GetCategory(), "Group 16");
    EXPECT_TRUE(ScreenRectHas(wxRect(host.CategoryRow(14) + wxPoint(30, -8), wxSize(10, 4)),
                              kHighlight, 8));
    // Walking up past the first shown row scrolls the rows with it.
    for (int i = 0; i < 15; ++i)
        PressKey(WXK_UP);
    EXPECT_EQ(popup->GetHoveredIndex(), 1);
    EXPECT_EQ(popup->GetFirstVisible(), 1);
    EXPECT_EQ(host.leaf()->GetCategory(), "Group 1");
    PressKey(WXK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !popup->IsShown(); }));
}

TEST(ProfileChooser, KeyboardOpensWalksChoosesAndCloses)
{
    ProfileTestEnv env(ChooserCatalog());
    Host host(wxPoint(40, 40));
    MyPopupMenu* popup = host.popup();
    MyLeafMenu* leaf = host.leaf();
    host.combo->SetValue("Long");
    host.combo->SetFocus();
    Pump(100);
    // The pointer on the frame, clear of the popups: without a window
    // manager the keyboard focus follows it.
    MoveTo(host.panel, wxPoint(20, 50));

    // Alt+Down and F4 open the box, Escape closes both levels.
    PressKey(WXK_DOWN, wxMOD_ALT);
    ASSERT_TRUE(WaitFor([&] { return popup->IsShown() && leaf->IsShown(); }));
    EXPECT_EQ(leaf->GetCategory(), "Audio");
    PressKey(WXK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !popup->IsShown(); }));
    EXPECT_FALSE(leaf->IsShown());
    EXPECT_TRUE(WaitFor([&] { return host.combo->HasFocus(); }));
    PressKey(WXK_DOWN);  // Down alone leaves the box closed
    EXPECT_FALSE(popup->IsShown());
    PressKey(WXK_F4);
    ASSERT_TRUE(WaitFor([&] { return popup->IsShown(); }));

    // Up and Down walk the categories, each listing its profiles.
    PressKey(WXK_UP);
    EXPECT_EQ(leaf->GetCategory(), "Video");
    PressKey(WXK_UP);  // stays on the first
    EXPECT_EQ(popup->GetHoveredIndex(), 0);
    PressKey(WXK_DOWN);
    PressKey(WXK_DOWN);
    EXPECT_EQ(leaf->GetCategory(), "User Defined");
    PressKey(WXK_UP);
    EXPECT_EQ(leaf->GetCategory(), "Audio");

    // Right enters the list on the current profile; Left goes back.
    PressKey(WXK_RIGHT);
    EXPECT_EQ(leaf->GetHighlightedIndex(), 0);
    PressKey(WXK_DOWN);
    EXPECT_EQ(leaf->GetHighlightedIndex(), 1);
    PressKey(WXK_LEFT);
    EXPECT_EQ(leaf->GetHighlightedIndex(), -1);
    PressKey(WXK_UP);
    EXPECT_EQ(leaf->GetCategory(), "Video");

    // Return enters too; walking past the page scrolls; Return chooses.
    PressKey(WXK_RETURN);
    EXPECT_EQ(leaf->GetHighlightedIndex(), 0);
    for (int i = 0; i < 4; ++i)
        PressKey(WXK_DOWN);
    EXPECT_EQ(leaf->GetHighlightedIndex(), 4);
    EXPECT_EQ(leaf->GetFirstVisible(), 2);
    const wxPoint rowScreen = leaf->GetScreenPosition() + wxPoint(200, 2 * 45 + 10);
    EXPECT_TRUE(ScreenRectHas(wxRect(rowScreen, wxSize(10, 4)), kHighlight, 8));
    Screenshot("chooser-keyboard");
    EXPECT_EQ(host.choices, 0);
    PressKey(WXK_RETURN);
    ASSERT_EQ(host.choices, 1);
    EXPECT_EQ(host.text, "Video 4 (*.mp4)");
    EXPECT_TRUE(WaitFor([&] { return !popup->IsShown(); }));
    EXPECT_TRUE(WaitFor([&] { return host.combo->HasFocus(); }));

    // Reopened on the chosen profile's category; Escape from the list closes all.
    PressKey(WXK_F4);
    ASSERT_TRUE(WaitFor([&] { return popup->IsShown(); }));
    EXPECT_EQ(leaf->GetCategory(), "Video");
    PressKey(WXK_RIGHT);
    EXPECT_EQ(leaf->GetHighlightedIndex(), 4);
    PressKey(WXK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !popup->IsShown(); }));
    EXPECT_EQ(host.choices, 1);
}

TEST(ProfileChooser, LongDescriptionIsDrawnInTwoLines)
{
    ProfileTestEnv env(ChooserCatalog());
    Host host(wxPoint(40, 40));
    host.Open();
    MoveTo(host.CategoryRow(1));
    ASSERT_TRUE(WaitFor([&] { return host.leaf()->GetCategory() == "Audio"; }));
    MoveTo(host.leaf()->GetScreenPosition() + wxPoint(380, 2 * 45 + 30));  // no highlight moves
    Pump(150);
    Screenshot("chooser-description");

    // A one-line description starts on the line where a two-line one
    // starts, just under the alias; the second line is the long one's only.
    const wxPoint leafScreen = host.leaf()->GetScreenPosition();
    const wxRect band(leafScreen.x + 32 + 10, 0, 60, 7);
    for (int row : {0, 1}) {
        SCOPED_TRACE(row);
        wxRect firstLine(band), secondLine(band);
        firstLine.y = leafScreen.y + row * 45 + 17;
        secondLine.y = leafScreen.y + row * 45 + 30;
        EXPECT_TRUE(ScreenRectHas(firstLine, *wxBLACK, 110));
        EXPECT_EQ(ScreenRectHas(secondLine, *wxBLACK, 110), row == 0);
    }

    wxBitmap canvas(10, 10);
    wxMemoryDC dc(canvas);
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    struct Case {
        wxString text;
        bool cut;
    };
    const Case cases[] = {{"Short", false}, {kLongDescription, true}, {wxString('x', 200), true}};
    for (const Case& c : cases) {
        wxString first;
        wxString rest;
        MyLeafMenu::SplitDescription(dc, c.text, first, rest);
        if (!c.cut) {
            EXPECT_TRUE(first.empty());
            EXPECT_EQ(rest, c.text);
            continue;
        }
        EXPECT_LT(dc.GetTextExtent(first).x, MyLeafMenu::kDescriptionWidth);
        if (c.text.Contains(" ")) {
            // Cut at a blank, which neither line keeps.
            EXPECT_FALSE(first.empty());
            EXPECT_EQ(first + " " + rest, c.text);
            EXPECT_NE(rest[0], ' ');
            EXPECT_NE(first.Last(), ' ');
        } else {
            EXPECT_EQ(rest, c.text);
            EXPECT_TRUE(first.empty());  // nothing to cut at: all on the second line
        }
    }
}

TEST(ProfileChooser, TextsAreCutWithAnEllipsisToTheirWidth)
{
    wxBitmap canvas(10, 10);
    wxMemoryDC dc(canvas);
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    const wxString text = "MKV H.264 1080p with a very long name (*.mkv)";
    const int full = dc.GetTextExtent(text).x;
    struct Case {
        int width;
        bool cut;
    };
    const Case cases[] = {{full + 10, false}, {full, false}, {full - 1, true}, {full / 2, true}, {30, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const wxString shown = MenuRowPainter::Ellipsize(dc, text, c.width);
        EXPECT_LE(dc.GetTextExtent(shown).x, c.width);
        EXPECT_EQ(shown.EndsWith(MenuRowPainter::Ellipsis()), c.cut);
        if (c.cut) {
            // The longest head that still fits, without a trailing blank.
            const wxString head = shown.Left(shown.length() - 1);
            EXPECT_TRUE(text.StartsWith(head));
            EXPECT_FALSE(head.EndsWith(" "));
        } else {
            EXPECT_EQ(shown, text);
        }
    }

    // A font fitted to a line height and a width is no taller and fits the texts.
    const std::vector<wxString> texts = {"General Video", "Android Devices"};
    const wxFont font = MenuRowPainter::FitFont(dc, false, 12, texts, 80);
    dc.SetFont(font);
    EXPECT_LE(dc.GetCharHeight(), 12);
    for (const wxString& t : texts)
        EXPECT_LE(dc.GetTextExtent(t).x, 80) << t;
}

TEST(ProfileChooser, OpensUpwardsInTheLowerHalf)
{
    ProfileTestEnv env(ChooserCatalog());
    const wxSize display = wxGetDisplaySize();
    Host host(wxPoint(40, display.y - 120));
    host.Open();
    const wxPoint comboScreen = host.combo->GetScreenPosition();
    EXPECT_EQ(host.popup()->GetScreenPosition().y + host.popup()->GetSize().y, comboScreen.y);
    EXPECT_EQ(host.popup()->GetScreenPosition().x, comboScreen.x);
}

TEST(ProfileChooser, ClickOutsideClosesBothLevels)
{
    ProfileTestEnv env(ChooserCatalog());
    Host host(wxPoint(40, 40));
    host.Open();
    Click(host.panel, wxPoint(10, 40));
    EXPECT_TRUE(WaitFor([&] { return !host.popup()->IsShown(); }));
    EXPECT_FALSE(host.leaf()->IsShown());
    EXPECT_EQ(host.choices, 0);

    // The box opens again with the next click.
    host.Open();
    EXPECT_TRUE(host.popup()->IsShown());
}

TEST(ProfileChooser, FocusLeavingForAnotherWindowClosesBothLevels)
{
    ProfileTestEnv env(ChooserCatalog());
    Host host(wxPoint(40, 40));
    host.Open();
    // As when the pointer has left the box (the popup's grab keeps the box
    // from hearing that itself).
    host.popup()->SetHideOnFocusLoss(true);
    auto loseFocusTo = [&](wxWindow* window) {
        wxFocusEvent lost(wxEVT_KILL_FOCUS, host.popup()->GetId());
        lost.SetEventObject(host.popup());
        lost.SetWindow(window);
        host.popup()->GetEventHandler()->ProcessEvent(lost);
    };
    // Into the profile list: both stay.
    loseFocusTo(host.leaf());
    EXPECT_TRUE(host.popup()->IsShown());
    EXPECT_TRUE(host.leaf()->IsShown());
    // To the host's panel: both close.
    loseFocusTo(host.panel);
    EXPECT_TRUE(WaitFor([&] { return !host.popup()->IsShown(); }));
    EXPECT_FALSE(host.leaf()->IsShown());
    EXPECT_EQ(host.choices, 0);
}

TEST(ProfileChooser, SpinButtonsScrollOnlyLongCategoryLists)
{
    struct Case {
        int categories;
        int lastVisible;  // right after creation
        int lastAfterDown;
    };
    const Case cases[] = {{10, 9, 9}, {12, 11, 11}, {17, 14, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.categories);
        ProfileTestEnv env(ManyCategories(c.categories));
        Host host(wxPoint(40, 20));
        host.Open();
        MyPopupMenu* popup = host.popup();
        EXPECT_EQ(popup->GetFirstVisible(), 0);
        EXPECT_EQ(popup->GetLastVisible(), c.lastVisible);

        const wxSize menu = popup->GetMenuSize();
        const wxPoint down = popup->GetScreenPosition() + wxPoint(menu.x - 40 - 9 + 20 + 1 + 5, menu.y - 25 + 5);
        const wxPoint up = popup->GetScreenPosition() + wxPoint(menu.x - 40 - 9 + 5, menu.y - 25 + 5);
        for (int i = 0; i < 4; ++i) {
            MoveTo(down);
            Click(popup, popup->ScreenToClient(down));
        }
        EXPECT_EQ(popup->GetLastVisible(), c.lastAfterDown);
        EXPECT_EQ(popup->GetFirstVisible(), c.lastAfterDown - c.lastVisible);
        // Spin buttons keep the popup open.
        EXPECT_TRUE(popup->IsShown());
        EXPECT_TRUE(host.leaf()->IsShown());
        if (c.categories == 17)
            Screenshot("chooser-spun");
        for (int i = 0; i < 4; ++i)
            Click(popup, popup->ScreenToClient(up));
        EXPECT_EQ(popup->GetFirstVisible(), 0);
        EXPECT_EQ(popup->GetLastVisible(), c.lastVisible);
        Click(host.combo, wxPoint(100, 11));
    }
}

TEST(ProfileChooser, UserDefinedRowShowsCloseIconUnderThePointer)
{
    ProfileTestEnv env(ChooserCatalog());
    Host host(wxPoint(40, 40));
    host.Open();
    MoveTo(host.CategoryRow(2));
    ASSERT_TRUE(WaitFor([&] { return host.leaf()->GetCategory() == "User Defined"; }));
    MyLeafMenu* leaf = host.leaf();
    MoveTo(host.LeafRow(0));
    const wxPoint icon = leaf->GetScreenPosition() + wxPoint(MyLeafMenu::kCloseIconX, 3);
    EXPECT_TRUE(ScreenRectHas(wxRect(icon + wxPoint(4, 4), wxSize(8, 8)), IconColour("close"), 10));
    MoveTo(icon + wxPoint(8, 8));
    EXPECT_TRUE(leaf->IsCloseIconHovered());
    EXPECT_TRUE(ScreenRectHas(wxRect(icon + wxPoint(4, 4), wxSize(8, 8)), IconColour("close_over"), 10));
    MoveTo(icon + wxPoint(40, 8));
    EXPECT_FALSE(leaf->IsCloseIconHovered());
    EXPECT_TRUE(ScreenRectHas(wxRect(icon + wxPoint(4, 4), wxSize(8, 8)), IconColour("close"), 10));
    // The long profile's texts stop short of where its delete icon goes,
    // cut with an ellipsis: its row shows nothing there before it is pointed at.
    const wxRect longIcon(icon + wxPoint(-2, 45), leaf->GetCloseIconRect(0).GetSize() + wxSize(4, 0));
    EXPECT_FALSE(ScreenRectHas(longIcon, *wxBLACK, 120));
    for (const MenuRowPainter::Text& text : leaf->GetRowTexts(1))
        EXPECT_LT(text.box.GetRight(), MyLeafMenu::kCloseIconX) << text.text;
    EXPECT_TRUE(leaf->GetRowTexts(1).front().text.EndsWith(MenuRowPainter::Ellipsis()));
    Screenshot("chooser-user-defined");

    // A click on the icon chooses the profile like the rest of the row.
    MoveTo(icon + wxPoint(8, 8));
    Click(leaf, wxPoint(MyLeafMenu::kCloseIconX + 8, 11));
    ASSERT_EQ(host.choices, 1);
    EXPECT_EQ(host.text, "Mine (*.mkv)");
}

TEST(ProfileChooser, ExtensionAndParametersOfTheBox)
{
    ProfileTestEnv env(ChooserCatalog());
    Host host(wxPoint(40, 40));
    struct Case {
        const char* text;
        const char* extension;
    };
    const Case cases[] = {
        {"MKV H.264 1080p (*.mkv)", ".mkv"},
        {"Archive (*.tar.gz)", ".gz"},
        {"Plain) rest", ".Plain"},
        {"", "."},
    };
    for (const Case& c : cases) {
        host.combo->SetValue(c.text);
        EXPECT_EQ(host.combo->GetExtension(), c.extension) << c.text;
    }
    // The parameters stay those of the first shown profile.
    EXPECT_EQ(host.combo->GetTransferExtraParam(), "-vcodec mpeg4 -b 800k -acodec mp2 -ab 128k");
    EXPECT_EQ(host.combo->GetCategory(), host.popup()->GetCategory());
}
