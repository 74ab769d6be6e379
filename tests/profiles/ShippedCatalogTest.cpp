// The chooser over the shipped catalog and the default skin, when the build
// has staged them: every category and profile finds its picture, and the
// popups are photographed for looking at.
#include "FormatCatalog.h"
#include "MenuItemArray.h"
#include "MyLeafMenu.h"
#include "MyMenuItem.h"
#include "MyPopupMenu.h"
#include "ProfileComboBox.h"
#include "ProfileTestEnv.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/panel.h>

using namespace ptest;

TEST(ShippedCatalog, EveryShownEntryHasItsPicture)
{
    const std::string stage = mvtest::StageDir();
    const std::string theme = stage + "/Themes/default.zip";
    const wxString catalog = ReadScrambledText(stage + "/Plugin/FormatList/format_catalog.bin");
    if (catalog.empty() || !mvtest::FileExists(theme))
        GTEST_SKIP() << "no staged catalog and skin";
    ProfileTestEnv env(catalog, theme);

    auto* frame = new wxFrame(nullptr, wxID_ANY, "host", wxPoint(20, 20), wxSize(420, 30),
                              wxBORDER_NONE);
    auto* panel = new wxPanel(frame, wxID_ANY, wxPoint(0, 0), wxSize(420, 30));
    auto* combo = new ProfileComboBox(panel, 2110, wxPoint(62, 2), wxSize(288, 22), 17);
    combo->SetValue(GetFirstShownProfileAttribute(*env.Settings().catalog, "alias"));
    ASSERT_TRUE(ShowAndWait(frame));

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
    frame->Destroy();
    Pump(50);
}
