// The Customize Profile dialog on a copy of the staged catalog: the tri-state
// tree worked with the pointer and Space, and what OK writes (isShow values
// only, "Recent" pruned, nothing on a failed write or without OK).
#include "CheckTreeDialog.h"
#include "CheckedTreeCtrl.h"
#include "CustomizeFrame.h"
#include "MenuRowPainter.h"
#include "MenuItemArray.h"
#include "MyLeafMenu.h"
#include "MyMenuItem.h"
#include "MyPopupMenu.h"
#include "PaneIds.h"
#include "ProfileComboBox.h"
#include "ProfileTestEnv.h"
#include "StagedCopy.h"

#include <gtest/gtest.h>

#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <memory>

using namespace stest;

namespace {

constexpr long kDialogStyle = 0x200010;  // no border, shaped

struct Customizer {
    Customizer()
        : Customizer(new CheckTreeDialog(nullptr, wxID_ANY, "Customize Profile", wxDefaultPosition,
                                         wxDefaultSize, kDialogStyle), true)
    {
    }
    // One that the program opened (and destroys itself) when not `owned`.
    Customizer(CheckTreeDialog* open, bool owned)
        : dialog(open), tree(open->GetFrame()->GetTree()), owned(owned)
    {
    }
    ~Customizer()
    {
        if (owned) {
            dialog->Destroy();
            ptest::Pump(50);
        }
    }

    bool Show() { return ptest::ShowAndWait(dialog); }
    // The item's check box, on the screen.
    wxPoint BoxPoint(const wxTreeItemId& item) const
    {
        tree->EnsureVisible(item);
        ptest::Pump(30);
        // The box lies just left of the text.
        wxRect rect;
        tree->GetBoundingRect(item, rect, true);
        return tree->ClientToScreen(wxPoint(rect.x - 12, rect.y + rect.height / 2));
    }
    void ClickBox(const wxTreeItemId& item) const
    {
        const wxPoint at = BoxPoint(item);
        ptest::Click(tree, tree->ScreenToClient(at));
    }
    void ClickText(const wxTreeItemId& item) const
    {
        tree->EnsureVisible(item);
        ptest::Pump(30);
        wxRect rect;
        tree->GetBoundingRect(item, rect, true);
        ptest::Click(tree, wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2));
    }
    void ClickButton(int id) const
    {
        wxWindow* button = dialog->GetFrame()->FindWindow(id);
        ASSERT_TRUE(button);
        ClickCentre(button);
    }
    // Index of the category of this id in the catalog file.
    static size_t CategoryIndex(const wxXmlDocument& document, const wxString& id)
    {
        const auto groups = Elements(document.GetRoot());
        for (size_t i = 0; i < groups.size(); ++i)
            if (groups[i]->GetAttribute("id") == id)
                return i;
        ADD_FAILURE() << "no category " << id;
        return 0;
    }

    CheckTreeDialog* dialog;
    CheckedTreeCtrl* tree;
    bool owned;
};

std::vector<int> ProfileStates(const CheckedTreeCtrl* tree, size_t category)
{
    std::vector<int> states;
    for (size_t j = 0; j < tree->GetProfileCount(category); ++j)
        states.push_back(tree->GetCheckState(tree->GetProfileItem(category, j)));
    return states;
}

// The catalog copy with "General Video"'s second profile hidden.
std::unique_ptr<wxXmlDocument> HideSecondGeneralProfile(StagedCopy& copy)
{
    auto document = copy.ReadCatalog();
    wxXmlNode* second = Elements(Group(*document, "General Video"))[1];
    second->DeleteAttribute("isShow");
    second->AddAttribute("isShow", "0");
    copy.WriteCatalog(*document);
    return document;
}

class CustomizeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(copy.ok()); }
    StagedCopy copy;
};

}  // namespace

TEST_F(CustomizeTest, TreeChecksAreTriState)
{
    const auto document = HideSecondGeneralProfile(copy);
    Customizer c;
    ASSERT_TRUE(c.Show());
    const size_t general = Customizer::CategoryIndex(*document, "General Video");
    ASSERT_EQ(c.tree->GetCategoryCount(), Elements(document->GetRoot()).size());
    const size_t n = c.tree->GetProfileCount(general);
    ASSERT_GE(n, 3u);
    const wxTreeItemId category = c.tree->GetCategoryItem(general);
    std::vector<int> expected(n, CheckedTreeCtrl::STATE_CHECKED);
    expected[1] = CheckedTreeCtrl::STATE_UNCHECKED;

    // A shown category with one hidden profile opens partial.
    EXPECT_EQ(c.tree->GetCheckState(category), CheckedTreeCtrl::STATE_PARTIAL);
    EXPECT_EQ(ProfileStates(c.tree, general), expected);

    // The partial box checks the whole category, then unchecks it.
    c.ClickBox(category);
    EXPECT_EQ(c.tree->GetCheckState(category), CheckedTreeCtrl::STATE_CHECKED);
    EXPECT_EQ(ProfileStates(c.tree, general), std::vector<int>(n, CheckedTreeCtrl::STATE_CHECKED));
    c.ClickBox(category);
    EXPECT_EQ(c.tree->GetCheckState(category), CheckedTreeCtrl::STATE_UNCHECKED);
    EXPECT_EQ(ProfileStates(c.tree, general), std::vector<int>(n, CheckedTreeCtrl::STATE_UNCHECKED));

    // One profile checked: the category goes partial; all of them: checked.
    c.ClickBox(c.tree->GetProfileItem(general, 0));
    EXPECT_EQ(c.tree->GetCheckState(c.tree->GetProfileItem(general, 0)), CheckedTreeCtrl::STATE_CHECKED);
    EXPECT_EQ(c.tree->GetCheckState(category), CheckedTreeCtrl::STATE_PARTIAL);
    for (size_t j = 1; j < n; ++j)
        c.tree->SetItemState(c.tree->GetProfileItem(general, j), true);
    EXPECT_EQ(c.tree->GetCheckState(category), CheckedTreeCtrl::STATE_CHECKED);

    // A click on the text selects without toggling; Space toggles the selection.
    const wxTreeItemId third = c.tree->GetProfileItem(general, 2);
    c.ClickText(third);
    EXPECT_EQ(c.tree->GetSelection(), third);
    EXPECT_EQ(c.tree->GetCheckState(third), CheckedTreeCtrl::STATE_CHECKED);
    c.tree->SetFocus();
    ptest::Pump(50);
    wxUIActionSimulator sim;
    sim.Char(WXK_SPACE);
    EXPECT_TRUE(ptest::WaitFor([&] { return c.tree->GetCheckState(third) == CheckedTreeCtrl::STATE_UNCHECKED; }));
    EXPECT_EQ(c.tree->GetCheckState(category), CheckedTreeCtrl::STATE_PARTIAL);
    ptest::Screenshot("customize-profile");
}

// The caption and every label of the tree fit their boxes: nothing runs
// past the tree's visible width or under its scroll bar, and a label cut to
// fit ends in "…" after a head of its alias.
TEST_F(CustomizeTest, EveryTextFitsItsBox)
{
    const auto document = copy.ReadCatalog();
    Customizer c;
    ASSERT_TRUE(c.Show());
    CustomizeFrame* frame = c.dialog->GetFrame();
    const wxRect header(0, 0, frame->GetSize().x, CustomizeFrame::kHeaderHeight);
    const wxRect close = frame->FindWindow(CustomizeFrame::ID_CLOSE)->GetRect();
    ptest::ExpectTextsFit(frame, {frame->GetCaption()}, header, {close}, "Customize Profile");

    CheckedTreeCtrl* tree = c.tree;
    const int width = tree->GetClientSize().x;
    EXPECT_LE(tree->GetVirtualSize().x, width);  // no sideways scrolling
    wxClientDC dc(tree);
    dc.SetFont(tree->GetFont());
    const auto groups = Elements(document->GetRoot());
    ASSERT_EQ(tree->GetCategoryCount(), groups.size());
    int labels = 0;
    for (size_t i = 0; i < groups.size(); ++i) {
        std::vector<std::pair<wxTreeItemId, wxString>> items{
            {tree->GetCategoryItem(i), groups[i]->GetAttribute("alias")}};
        const auto profiles = Elements(groups[i]);
        ASSERT_EQ(tree->GetProfileCount(i), profiles.size());
        for (size_t j = 0; j < profiles.size(); ++j)
            items.emplace_back(tree->GetProfileItem(i, j), profiles[j]->GetAttribute("alias"));
        for (const auto& [item, alias] : items) {
            SCOPED_TRACE(alias.ToStdString());
            tree->EnsureVisible(item);
            ptest::Pump(10);
            wxRect rect;
            ASSERT_TRUE(tree->GetBoundingRect(item, rect, true));
            const wxString text = tree->GetItemText(item);
            const wxSize extent = dc.GetTextExtent(text);
            EXPECT_LE(rect.x + extent.x, width);
            EXPECT_LE(extent.y, rect.height);
            const wxString& ellipsis = MenuRowPainter::Ellipsis();
            if (text.EndsWith(ellipsis))
                EXPECT_TRUE(alias.StartsWith(text.Left(text.length() - ellipsis.length())));
            else
                EXPECT_EQ(text, alias);
            ++labels;
        }
    }
    EXPECT_GT(labels, 50);
    tree->EnsureVisible(tree->GetCategoryItem(0));
    ptest::Pump(100);
    ptest::Screenshot("customize-fit");
}

TEST_F(CustomizeTest, OkRewritesShowValuesOnly)
{
    const auto before = copy.ReadCatalog();
    const size_t general = Customizer::CategoryIndex(*before, "General Video");
    const size_t audio = Customizer::CategoryIndex(*before, "Audio");
    const auto files = copy.FolderFiles();
    {
        Customizer c;
        ASSERT_TRUE(c.Show());
        c.ClickBox(c.tree->GetProfileItem(general, 0));
        c.ClickBox(c.tree->GetCategoryItem(audio));
        EXPECT_EQ(RunModal(*c.dialog, [&] { c.ClickButton(CustomizeFrame::ID_OK); }), wxID_OK);
    }
    const auto after = copy.ReadCatalog();
    ASSERT_TRUE(after);
    EXPECT_EQ(TextWithoutShow(*after), TextWithoutShow(*before));
    EXPECT_EQ(copy.FolderFiles(), files);

    const auto groupsBefore = Elements(before->GetRoot());
    const auto groupsAfter = Elements(after->GetRoot());
    ASSERT_EQ(groupsAfter.size(), groupsBefore.size());
    for (size_t i = 0; i < groupsAfter.size(); ++i) {
        SCOPED_TRACE(groupsAfter[i]->GetAttribute("id"));
        const wxString group = i == audio ? "0" : groupsBefore[i]->GetAttribute("isShow");
        EXPECT_EQ(groupsAfter[i]->GetAttribute("isShow"), group);
        const auto profilesBefore = Elements(groupsBefore[i]);
        const auto profilesAfter = Elements(groupsAfter[i]);
        for (size_t j = 0; j < profilesAfter.size(); ++j) {
            wxString expected = profilesBefore[j]->GetAttribute("isShow");
            if (i == audio || (i == general && j == 0))
                expected = "0";
            EXPECT_EQ(profilesAfter[j]->GetAttribute("isShow"), expected) << j;
        }
    }
}

TEST_F(CustomizeTest, CheckAllAndUncheckAllThenOk)
{
    struct Case {
        const char* name;
        int button;
        const char* group;    // every category but "Recent"
        const char* profile;  // every profile
    };
    const Case cases[] = {
        {"check all", CustomizeFrame::ID_CHECK_ALL, "1", "1"},
        {"uncheck all", CustomizeFrame::ID_UNCHECK_ALL, "0", "0"},
    };
    const auto original = copy.ReadCatalog();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        copy.WriteCatalog(*original);
        {
            Customizer c;
            ASSERT_TRUE(c.Show());
            c.ClickButton(k.button);
            EXPECT_EQ(RunModal(*c.dialog, [&] { c.ClickButton(CustomizeFrame::ID_OK); }), wxID_OK);
        }
        const auto after = copy.ReadCatalog();
        ASSERT_TRUE(after);
        EXPECT_EQ(TextWithoutShow(*after), TextWithoutShow(*original));
        for (const wxXmlNode* group : Elements(after->GetRoot())) {
            const bool recent = group->GetAttribute("id") == "Recent";
            // A hidden "Recent" is saved shown (and emptied).
            EXPECT_EQ(group->GetAttribute("isShow"), recent ? "1" : k.group) << group->GetAttribute("id");
            for (const wxXmlNode* profile : Elements(group))
                EXPECT_EQ(profile->GetAttribute("isShow"), k.profile) << profile->GetAttribute("id");
        }
    }
}

TEST_F(CustomizeTest, OkPrunesRecent)
{
    struct Case {
        const char* name;
        const char* recentShow;
        std::vector<const char*> profileShow;
        std::vector<size_t> kept;  // the profiles left, by index
    };
    const Case cases[] = {
        {"hidden recent is emptied and shown", "0", {"0", "0"}, {}},
        {"shown recent keeps its checked profiles", "1", {"1", "0", "1"}, {0, 2}},
        {"shown recent, all checked", "1", {"1", "1"}, {0, 1}},
    };
    const auto original = copy.ReadCatalog();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        wxXmlDocument document(*original);
        wxXmlNode* recent = Group(document, "Recent");
        ASSERT_TRUE(recent);
        recent->DeleteAttribute("isShow");
        recent->AddAttribute("isShow", k.recentShow);
        const auto general = Elements(Group(document, "General Video"));
        std::vector<wxString> ids;
        for (size_t j = 0; j < k.profileShow.size(); ++j) {
            auto* profile = new wxXmlNode(*general[j]);
            profile->DeleteAttribute("isShow");
            profile->AddAttribute("isShow", k.profileShow[j]);
            recent->AddChild(profile);
            ids.push_back(profile->GetAttribute("id"));
        }
        copy.WriteCatalog(document);
        {
            Customizer c;
            ASSERT_TRUE(c.Show());
            EXPECT_EQ(RunModal(*c.dialog, [&] { c.ClickButton(CustomizeFrame::ID_OK); }), wxID_OK);
        }
        const auto after = copy.ReadCatalog();
        ASSERT_TRUE(after);
        const wxXmlNode* saved = Group(*after, "Recent");
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->GetAttribute("isShow"), "1");
        std::vector<wxString> left;
        for (const wxXmlNode* profile : Elements(saved))
            left.push_back(profile->GetAttribute("id"));
        std::vector<wxString> expected;
        for (size_t index : k.kept)
            expected.push_back(ids[index]);
        EXPECT_EQ(left, expected);
        EXPECT_EQ(Elements(after->GetRoot()).size(), Elements(original->GetRoot()).size());
    }
}

TEST_F(CustomizeTest, WithoutOkTheCatalogStays)
{
    const std::string bytes = copy.CatalogBytes();
    const auto files = copy.FolderFiles();
    const auto before = copy.ReadCatalog();
    const size_t general = Customizer::CategoryIndex(*before, "General Video");
    // Escape, a real key press on the shown dialog, is the close button.
    constexpr int kEscape = -1;
    for (const int button : {int(CustomizeFrame::ID_CANCEL), int(CustomizeFrame::ID_CLOSE), kEscape}) {
        SCOPED_TRACE(button);
        Customizer c;
        ASSERT_TRUE(c.Show());
        c.ClickBox(c.tree->GetCategoryItem(general));
        c.ClickButton(CustomizeFrame::ID_UNCHECK_ALL);
        const int code = RunModal(*c.dialog, [&] {
            if (button != kEscape)
                return c.ClickButton(button);
            ptest::MoveTo(c.dialog, wxPoint(60, 20));
            ptest::PressKey(WXK_ESCAPE);
            ptest::Pump(300);
            if (c.dialog->IsModal())
                c.dialog->EndModal(-1);
        });
        EXPECT_NE(code, -1) << "the dialog stayed open";
        EXPECT_EQ(copy.CatalogBytes(), bytes);
        EXPECT_EQ(copy.FolderFiles(), files);
    }
}

TEST_F(CustomizeTest, AFailedWriteIsReportedAndTheDialogStaysOpen)
{
    const std::string bytes = copy.CatalogBytes();
    const auto files = copy.FolderFiles();
    const wxString memory = XmlText(*copy.Settings().catalog);
    const auto before = copy.ReadCatalog();
    const size_t general = Customizer::CategoryIndex(*before, "General Video");
    struct Case {
        const char* name;
        int fault;  // a FolderFault kind, or -1 for the file size limit
        const char* reason;
    };
    const Case cases[] = {
        {"file size limit", -1, "File too large"},
        {"read-only program folder", FolderFault::READ_ONLY, "Read-only file system"},
        {"full disk", FolderFault::FULL_DISK, "No space left on device"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        std::unique_ptr<FolderFault> folder;
        if (k.fault >= 0) {
            folder = std::make_unique<FolderFault>(copy, FolderFault::Kind(k.fault));
            ASSERT_TRUE(folder->ok()) << folder->failure();
        }
        Customizer c;
        ASSERT_TRUE(c.Show());
        c.ClickBox(c.tree->GetCategoryItem(general));
        const int unchecked = c.tree->GetCheckState(c.tree->GetCategoryItem(general));
        MessageBoxAnswer boxes(std::string("customize-failed-") + std::to_string(k.fault + 1));
        bool openAfterOk = false;
        int stateAfterOk = -1;
        const int code = RunModal(*c.dialog, [&] {
            {
                std::unique_ptr<FileSizeLimit> limit;
                if (k.fault < 0)
                    limit = std::make_unique<FileSizeLimit>(200);
                c.ClickButton(CustomizeFrame::ID_OK);
                ptest::WaitFor([&] { return !boxes.messages().empty(); });
            }
            ptest::Pump(600);
            openAfterOk = c.dialog->IsModal();
            stateAfterOk = c.tree->GetCheckState(c.tree->GetCategoryItem(general));
            c.ClickButton(CustomizeFrame::ID_CANCEL);
        });
        EXPECT_NE(code, -1) << "Cancel did not close the dialog";
        EXPECT_TRUE(openAfterOk);
        EXPECT_EQ(stateAfterOk, unchecked) << "the checks were kept";
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_TRUE(boxes.messages()[0].Contains(copy.CatalogPath())) << boxes.messages()[0];
        EXPECT_TRUE(boxes.messages()[0].Contains(k.reason)) << boxes.messages()[0];
        folder.reset();
        EXPECT_EQ(copy.CatalogBytes(), bytes);
        EXPECT_EQ(copy.FolderFiles(), files);
        EXPECT_EQ(XmlText(*copy.Settings().catalog), memory);
    }
}

namespace {

std::vector<wxString> Aliases(const MenuItemArray* items)
{
    std::vector<wxString> aliases;
    for (size_t i = 0; i < items->GetCount(); ++i)
        aliases.push_back(items->Item(i)->GetAlias());
    return aliases;
}

bool Holds(const std::vector<wxString>& list, const wxString& text)
{
    return std::find(list.begin(), list.end(), text) != list.end();
}

}  // namespace

TEST_F(CustomizeTest, WhatOkHidesLeavesBothLevelsOfTheChooserAndComesBack)
{
    const wxString kHiddenProfile = "MP4 H.264 720p (*.mp4)";
    auto* frame = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(20, 20), wxSize(400, 60),
                              wxBORDER_NONE);
    auto* combo = new ProfileComboBox(frame, PANE_PROFILE_CHOOSER, wxPoint(10, 10), wxSize(288, 22));
    ASSERT_TRUE(ptest::ShowAndWait(frame));
    MyPopupMenu* popup = combo->GetPopup();
    const auto categories = Aliases(popup->GetItems());
    ASSERT_TRUE(Holds(categories, "Web Video"));

    // The chooser's customise button, then in the dialog: one profile of
    // "General Video" and all of "Web Video" unchecked, OK; or check all, OK.
    auto customise = [&](bool hide) {
        ModalAnswer answer(CLASSINFO(CheckTreeDialog), [&](wxDialog* open) {
            Customizer c(static_cast<CheckTreeDialog*>(open), false);
            const auto document = copy.ReadCatalog();
            if (hide) {
                const size_t general = Customizer::CategoryIndex(*document, "General Video");
                const auto profiles = Elements(Elements(document->GetRoot())[general]);
                for (size_t j = 0; j < profiles.size(); ++j)
                    if (profiles[j]->GetAttribute("alias") == kHiddenProfile)
                        c.ClickBox(c.tree->GetProfileItem(general, j));
                c.ClickBox(c.tree->GetCategoryItem(Customizer::CategoryIndex(*document, "Web Video")));
            } else {
                c.ClickButton(CustomizeFrame::ID_CHECK_ALL);
            }
            c.ClickButton(CustomizeFrame::ID_OK);
            return wxID_OK;
        });
        ptest::OpenChooser(combo);
        ClickCentre(popup->FindWindow(MyPopupMenu::ID_CUSTOMIZE));
        EXPECT_TRUE(ptest::WaitFor([&] { return answer.seen() == 1; }));
        ptest::Pump(200);
    };
    // What the opened chooser lists: its categories, and its profiles
    // under "General Video".
    struct Listed {
        std::vector<wxString> categories;
        std::vector<wxString> general;
    };
    auto listed = [&] {
        Listed now;
        ptest::OpenChooser(combo);
        now.categories = Aliases(popup->GetItems());
        const auto at = std::find(now.categories.begin(), now.categories.end(), "General Video");
        EXPECT_NE(at, now.categories.end());
        ptest::MoveTo(ptest::CategoryRowPoint(combo, int(at - now.categories.begin())));
        ptest::WaitFor([&] { return popup->GetLeafMenu()->GetCategory() == "General Video"; });
        now.general = Aliases(popup->GetLeafMenu()->GetItems());
        ptest::Screenshot("chooser-after-customise");
        popup->HidePopup();
        return now;
    };
    ASSERT_TRUE(Holds(listed().general, kHiddenProfile));

    customise(true);
    Listed now = listed();
    EXPECT_FALSE(Holds(now.categories, "Web Video"));
    EXPECT_EQ(now.categories.size(), categories.size() - 1);
    EXPECT_FALSE(Holds(now.general, kHiddenProfile));

    customise(false);
    now = listed();
    EXPECT_EQ(now.categories, categories);
    EXPECT_TRUE(Holds(now.general, kHiddenProfile));
    frame->Destroy();
    ptest::Pump(50);
}
