// The skinned list combo: its geometry, its face, and choosing from its
// list with the real pointer.
#include "ExtrasTestUtil.h"
#include "PvComboCtrl.h"
#include "wxListViewComboPopup.h"

namespace {

class ComboTest : public etest::ShownPane {
protected:
    void SetUp() override
    {
        ShownPane::SetUp();
        combo = new PvComboCtrl(pane, 3001, wxEmptyString, wxPoint(30, 40), wxSize(150, 30));
        combo->SetButtonBitmaps(wxBitmap(ctest::Solid({20, 24}, wxColour(30, 60, 200))), false,
                                wxNullBitmap,
                                wxBitmap(ctest::Solid({20, 24}, wxColour(250, 150, 0))));
        for (const char* item : {"MP4 Video", "AVI Video", "MKV Video"})
            combo->AppendItem(item);
        ctest::Pump(100);
    }
    wxPoint Button() const { return {140, 12}; }
    PvComboCtrl* combo = nullptr;
};

TEST_F(ComboTest, ButtonImageSetsHeightTextAreaAndListSize)
{
    EXPECT_EQ(combo->GetSize(), wxSize(150, 24));
    EXPECT_EQ(combo->GetTextWidth(), 130);
    wxTextCtrl* text = combo->GetInnerText();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->GetSize().x, 129);
    EXPECT_EQ(text->GetPosition().x, 1);
    EXPECT_EQ(text->GetPosition().y, (24 - text->GetSize().y) / 2);
    EXPECT_TRUE(text->HasFlag(wxTE_READONLY));

    int th = 0;
    combo->GetList()->GetTextExtent("T", nullptr, &th);
    EXPECT_EQ(combo->GetList()->GetAdjustedSize(10, 500, 900), wxSize(150, 4 * (th + 1) + 5));
    combo->ClearItems();
    EXPECT_EQ(combo->GetList()->GetAdjustedSize(10, 500, 900), wxSize(150, th + 1 + 5));
}

TEST_F(ComboTest, OnlyTheEditableBitLeavesTheTextEditable)
{
    auto* editable = new PvComboCtrl(pane, wxID_ANY, wxEmptyString, wxPoint(30, 120),
                                     wxSize(150, 30), PvComboCtrl::EDITABLE_TEXT | wxCB_SORT);
    EXPECT_FALSE(editable->GetInnerText()->HasFlag(wxTE_READONLY));
    EXPECT_TRUE(editable->HasFlag(wxCB_READONLY));
    EXPECT_FALSE(editable->HasFlag(wxCB_SORT)) << "the caller's style is not passed on";
    EXPECT_EQ(editable->GetTextWidth(), 0) << "no button image yet";
}

TEST_F(ComboTest, ListValueBeforeAnyChoiceAndUnknownTexts)
{
    wxListViewComboPopup* list = combo->GetList();
    EXPECT_EQ(list->GetStringValue(), "");
    list->SetStringValue("WMV Video");
    EXPECT_EQ(list->GetFirstSelected(), -1);
    list->SetStringValue("AVI Video");
    EXPECT_EQ(list->GetFirstSelected(), 1);
    EXPECT_EQ(list->GetStringValue(), "") << "selecting is not choosing";

    combo->SetValue("Custom");
    EXPECT_EQ(combo->GetValue(), "Custom");
    EXPECT_EQ(combo->GetInnerText()->GetValue(), "Custom");
}

TEST_F(ComboTest, FaceIsABorderedBoxWithTheButtonForItsHoverState)
{
    const wxBitmap idle = etest::Face(combo, {150, 24});
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(idle, 60, 0), wxColour(124, 124, 124)));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(idle, 0, 12), wxColour(124, 124, 124)));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(idle, 60, 12), *wxWHITE));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(idle, 129, 12), *wxWHITE));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(idle, 131, 12), wxColour(30, 60, 200)));

    EXPECT_EQ(combo->GetButtonState(), 0);
    ctest::MoveTo(combo, Button());
    EXPECT_EQ(combo->GetButtonState(), 1);
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(etest::Face(combo, {150, 24}), 140, 12),
                                  wxColour(250, 150, 0)));
    ctest::Screenshot("extras-combo-hover");
    ctest::MoveTo(pane, {300, 250});
    EXPECT_EQ(combo->GetButtonState(), 4);
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(etest::Face(combo, {150, 24}), 140, 12),
                                  wxColour(30, 60, 200)));
}

TEST_F(ComboTest, ClickOpensTheListAndAClickedItemBecomesTheValue)
{
    ctest::Click(combo, Button());
    ASSERT_TRUE(ctest::WaitFor([&] { return combo->IsPopupShown(); }));
    wxListViewComboPopup* list = combo->GetList();
    ctest::Pump(150);
    const wxSize popupSize = combo->GetPopupWindow()->GetSize();
    EXPECT_EQ(popupSize.x, 150);
    ctest::Screenshot("extras-combo-open");

    wxRect item;
    ASSERT_TRUE(list->GetItemRect(1, item));
    ctest::Click(list, item.GetPosition() + wxPoint(10, item.height / 2));
    ASSERT_TRUE(ctest::WaitFor([&] { return !combo->IsPopupShown(); }));
    EXPECT_EQ(list->GetChosen(), 1);
    EXPECT_EQ(combo->GetValue(), "AVI Video");
    EXPECT_EQ(combo->GetInnerText()->GetValue(), "AVI Video");
    EXPECT_EQ(combo->GetButtonState(), 4) << "the pointer is on the list, not the combo";
    ctest::Screenshot("extras-combo-chosen");

    // Open again and click outside: closed, the value stays.
    ctest::Pump(200);
    ctest::Click(combo, Button());
    ASSERT_TRUE(ctest::WaitFor([&] { return combo->IsPopupShown(); }));
    ctest::Pump(150);
    ctest::Click(pane, {380, 260});
    ASSERT_TRUE(ctest::WaitFor([&] { return !combo->IsPopupShown(); }));
    EXPECT_EQ(combo->GetValue(), "AVI Video");
}

}  // namespace
