// The chooser over the shipped catalog and the default skin, when the build
// has staged them: every category and profile finds its picture, and the
// popups are photographed for looking at.
#include "FormatCatalog.h"
#include "MenuItemArray.h"
#include "MyLeafMenu.h"
#include "MyMenuItem.h"
#include "MenuRowPainter.h"
#include "MyPopupMenu.h"
#include "PaneIds.h"
#include "ProfileComboBox.h"
#include "ProfileTestEnv.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/panel.h>

#include <memory>

using namespace ptest;

// The staged catalog and skin in a program folder, and a chooser on the
// first shown profile in a frame.
class ShippedCatalog : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string stage = mvtest::StageDir();
        const std::string theme = stage + "/Themes/default.zip";
        const wxString catalog = ReadScrambledText(stage + "/Plugin/FormatList/format_catalog.bin");
        if (catalog.empty() || !mvtest::FileExists(theme))
            GTEST_SKIP() << "no staged catalog and skin";
        env = std::make_unique<ProfileTestEnv>(catalog, theme);
        frame = new wxFrame(nullptr, wxID_ANY, "host", wxPoint(20, 20), wxSize(420, 30),
                            wxBORDER_NONE);
        auto* panel = new wxPanel(frame, wxID_ANY, wxPoint(0, 0), wxSize(420, 30));
        combo = new ProfileComboBox(panel, PANE_PROFILE_CHOOSER, wxPoint(62, 2), wxSize(288, 22),
                                    ProfileComboBox::kChooserStyle);
        combo->SetValue(GetFirstShownProfileAttribute(*env->Settings().catalog, "alias"));
        ASSERT_TRUE(ShowAndWait(frame));
    }
    void TearDown() override
    {
        if (frame)
            frame->Destroy();
        Pump(50);
    }

    std::unique_ptr<ProfileTestEnv> env;
    wxFrame* frame = nullptr;
    ProfileComboBox* combo = nullptr;
};

TEST_F(ShippedCatalog, EveryShownEntryHasItsPicture)
{
    MyPopupMenu* popup = combo->GetPopup();
    const MenuItemArray* categories = popup->GetItems();
    ASSERT_GT(categories->GetCount(), 1u);
    OpenChooser(combo);
    Screenshot("shipped-open");
    for (size_t i = 0; i < categories->GetCount() && static_cast<int>(i) <= popup->GetLastVisible(); ++i) {
        const MyMenuItem* category = categories->Item(i);
        EXPECT_TRUE(category->GetImage()) << category->GetId();
        MoveTo(CategoryRowPoint(combo, static_cast<int>(i)));
        ASSERT_TRUE(WaitFor([&] { return popup->GetLeafMenu()->GetCategory() == category->GetId(); }));
        const MenuItemArray* profiles = popup->GetLeafMenu()->GetItems();
        for (size_t j = 0; j < profiles->GetCount(); ++j)
            EXPECT_TRUE(profiles->Item(j)->GetImage())
                << category->GetId() << " / " << profiles->Item(j)->GetId();
        if (i == 1)
            Screenshot("shipped-second-category");
    }
}

TEST_F(ShippedCatalog, EveryTextFitsItsBox)
{
    MyPopupMenu* popup = combo->GetPopup();
    MyLeafMenu* leaf = popup->GetLeafMenu();
    const MenuItemArray* categories = popup->GetItems();
    OpenChooser(combo);

    const wxRect categoryRow(1, 0, popup->GetMenuSize().x - 2, MyPopupMenu::kRowHeight);
    int profilesSeen = 0;
    int firstLineY = -1;
    for (size_t i = 0; i < categories->GetCount(); ++i) {
        const int index = static_cast<int>(i);
        const MyMenuItem* category = categories->Item(i);
        SCOPED_TRACE(category->GetId().ToStdString());
        ExpectTextsFit(popup, {popup->GetAliasText(index)}, categoryRow,
                       {popup->GetIconRect(index), popup->GetArrowRect()}, category->GetAlias());
        if (index > popup->GetLastVisible())
            continue;
        MoveTo(CategoryRowPoint(combo, index));
        ASSERT_TRUE(WaitFor([&] { return leaf->GetCategory() == category->GetId(); }));
        const wxRect profileRow(1, 0, leaf->GetClientSize().x - 2, MyLeafMenu::kRowHeight);
        std::vector<wxRect> clear;
        if (leaf->HasScrollBar())
            clear.push_back(leaf->GetScrollBarRect());
        if (leaf->IsUserDefined())
            clear.push_back(leaf->GetCloseIconRect(0));
        const MenuItemArray* profiles = leaf->GetItems();
        for (size_t j = 0; j < profiles->GetCount(); ++j) {
            const MyMenuItem* profile = profiles->Item(j);
            SCOPED_TRACE(profile->GetId().ToStdString());
            std::vector<wxRect> around = clear;
            around.push_back(leaf->GetIconRect(static_cast<int>(j)));
            const std::vector<MenuRowPainter::Text> texts = leaf->GetRowTexts(static_cast<int>(j));
            ExpectTextsFit(leaf, texts, profileRow, around, profile->GetAlias() + profile->GetDescription());
            // Every description, in one line or two, starts on the same line.
            ASSERT_GE(texts.size(), 2u);
            if (firstLineY < 0)
                firstLineY = texts[1].box.y;
            EXPECT_EQ(texts[1].box.y, firstLineY);
            ++profilesSeen;
        }
        Screenshot("fit-" + category->GetId().ToStdString());
    }
    EXPECT_GT(profilesSeen, 20);
}
