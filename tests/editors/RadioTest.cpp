// Radio buttons in a group and the button combo box, clicked with the real
// pointer on a shown frame.
#include "ControlsTestUtil.h"
#include "PvButtonComboBox.h"
#include "PvRadioButton.h"
#include "PvRadioGroup.h"

#include <gtest/gtest.h>

#include <wx/arrstr.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

namespace {

using ctest::Click;
using ctest::Pump;

class RadioTest : public testing::Test {
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "radio", wxPoint(60, 60), wxSize(360, 200),
                            wxBORDER_NONE);
        image = new PvRadioButton(frame, 41, "Image Watermark", wxPoint(20, 20));
        text = new PvRadioButton(frame, 42, "Text Watermark", wxPoint(20, 60));
        image->SetValue(true);
        text->SetValue(false);
        group.Add(image)->Add(text);
        group.InitSelection();
        frame->Bind(wxEVT_COMMAND_PVRADIOBUTTON_SELECTED,
                    [this](wxCommandEvent& e) { selected.push_back(e.GetId()); });
        ASSERT_TRUE(ctest::ShowAndWait(frame));
    }
    void TearDown() override
    {
        frame->Destroy();
        Pump(50);
    }
    void ClickOn(PvRadioButton* button)
    {
        Click(button, wxPoint(button->GetIndicatorSize().x / 2, button->GetSize().y / 2));
        Pump(80);
    }

    wxFrame* frame = nullptr;
    PvRadioButton* image = nullptr;
    PvRadioButton* text = nullptr;
    PvRadioGroup group;
    std::vector<int> selected;
};

TEST_F(RadioTest, ClicksSelectWithOneEventEachAndNoneForTheCheckedButton)
{
    EXPECT_EQ(group.GetSelection(), 0);
    EXPECT_EQ(group.GetSelectedButton(), image);
    struct Step {
        PvRadioButton* clicked;
        bool imageChecked;
        std::vector<int> events;
    };
    const Step steps[] = {
        {image, true, {}},         // already checked: nothing
        {text, false, {42}},       // the other one: one event
        {text, false, {42}},       // again: nothing more
        {image, true, {42, 41}},   // and back
    };
    for (const Step& s : steps) {
        ClickOn(s.clicked);
        EXPECT_EQ(image->IsChecked(), s.imageChecked);
        EXPECT_EQ(text->IsChecked(), !s.imageChecked);
        EXPECT_EQ(selected, s.events);
        EXPECT_EQ(group.GetSelectedButton(), s.imageChecked ? image : text);
    }
}

TEST_F(RadioTest, APressLetGoOffTheButtonSelectsNothing)
{
    const wxPoint on(text->GetIndicatorSize().x / 2, text->GetSize().y / 2);
    struct Case {
        const char* what;
        std::vector<wxPoint> path;  // after the press on the text radio, then the release
        bool selects;
    };
    const Case cases[] = {
        {"released off the button", {wxPoint(text->GetSize().x + 40, on.y + 30)}, false},
        {"off and back", {wxPoint(text->GetSize().x + 40, on.y + 30), on}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        image->SetValue(true);
        selected.clear();
        ctest::MoveTo(text, on);
        ctest::Press();
        EXPECT_TRUE(image->IsChecked()) << "the press alone chooses nothing";
        for (const wxPoint& p : c.path)
            ctest::MoveTo(text, p);
        ctest::Release();
        Pump(80);
        EXPECT_EQ(text->IsChecked(), c.selects);
        EXPECT_EQ(image->IsChecked(), !c.selects);
        EXPECT_EQ(selected.size(), c.selects ? 1u : 0u);
    }
}

TEST_F(RadioTest, SetValueSelectsThroughTheGroupWithoutAnEvent)
{
    text->SetValue(true);
    Pump(80);
    EXPECT_TRUE(text->IsChecked());
    EXPECT_FALSE(image->IsChecked());
    EXPECT_EQ(group.GetSelection(), 1);
    // Unchecking by value leaves the group's choice alone.
    text->SetValue(false);
    image->SetValue(true);
    Pump(80);
    EXPECT_EQ(group.GetSelection(), 0);
    EXPECT_TRUE(selected.empty());
}

TEST_F(RadioTest, InitSelectionTakesTheFirstCheckedButtonAndALonerIgnoresClicks)
{
    PvRadioGroup second;
    auto* a = new PvRadioButton(frame, wxID_ANY, "A", wxPoint(200, 20));
    auto* b = new PvRadioButton(frame, wxID_ANY, "B", wxPoint(200, 60));
    b->SetValue(true);
    second.Add(a)->Add(b);
    second.InitSelection();
    EXPECT_EQ(second.GetSelection(), 1);
    EXPECT_EQ(second.GetLastButton(), b);

    auto* loner = new PvRadioButton(frame, 43, "Alone", wxPoint(200, 120));
    Pump(80);
    ClickOn(loner);
    EXPECT_FALSE(loner->IsChecked());
    EXPECT_TRUE(selected.empty());
}

TEST_F(RadioTest, ATallLabelMakesTheButtonAsTallAsItsText)
{
    wxFont big = image->GetFont();
    big.SetPointSize(28);
    image->SetLabelFont(big);
    int w = 0, h = 0;
    image->GetTextExtent("Image Watermark", &w, &h);
    ASSERT_GT(h, image->GetIndicatorSize().y);
    EXPECT_EQ(image->GetSize(), wxSize(image->GetIndicatorSize().x + 6 + w, h));
}

TEST(ButtonComboTest, TheDropButtonReportsAClickAndOpensNothing)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "combo", wxPoint(60, 60), wxSize(300, 100),
                              wxBORDER_NONE);
    auto* combo = new PvButtonComboBox(frame, 77, wxEmptyString, wxPoint(20, 20), wxSize(150, 21),
                                       wxArrayString(), 0);
    std::vector<int> clicks;
    frame->Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) {
        clicks.push_back(e.GetId());
        EXPECT_EQ(e.GetEventObject(), combo);
    });
    ASSERT_TRUE(ctest::ShowAndWait(frame));
    Click(combo, wxPoint(combo->GetSize().x - 6, combo->GetSize().y / 2));
    Pump(100);
    EXPECT_EQ(clicks, std::vector<int>{77});
    EXPECT_EQ(combo->GetPopupControl(), nullptr);
    EXPECT_FALSE(combo->IsPopupShown());
    // Typing into it needs no popup either.
    Click(combo, wxPoint(20, combo->GetSize().y / 2));
    wxUIActionSimulator().Text("ab");
    Pump(100);
    EXPECT_EQ(clicks.size(), 1u);
    frame->Destroy();
    Pump(50);
}

}  // namespace
