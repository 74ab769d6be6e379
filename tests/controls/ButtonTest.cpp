// Image button and check box driven by the real pointer (XTest).
#include "ControlsTestUtil.h"
#include "PvBitmapButton.h"
#include "PvCheckBox.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const wxColour kNormal(200, 0, 0), kCurrent(0, 200, 0), kPressed(0, 0, 200), kDisabled(90, 90, 90);

class ButtonFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "buttons", wxPoint(60, 60), wxSize(320, 200),
                            wxBORDER_NONE);
        panel = new wxPanel(frame, wxID_ANY, wxPoint(0, 0), wxSize(320, 200));
        button = new PvBitmapButton(panel, 3001, wxPoint(40, 40), wxSize(60, 30));
        button->SetBitmapNormal(new wxBitmap(ctest::MakeBitmap({60, 30}, kNormal)))
            ->SetBitmapCurrent(new wxBitmap(ctest::MakeBitmap({60, 30}, kCurrent)))
            ->SetBitmapPressed(new wxBitmap(ctest::MakeBitmap({60, 30}, kPressed)))
            ->SetBitmapDisable(new wxBitmap(ctest::MakeBitmap({60, 30}, kDisabled)));
        button->SetBackgroundBitmap(ctest::MakeBitmap({60, 30}, *wxWHITE));
        panel->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) {
            if (e.GetId() == 3001 && e.GetEventObject() == button)
                ++clicks;
        });
        check = new PvCheckBox(panel, 3002, "Apply to All", wxPoint(40, 120));
        check->FitToLabel();
        check->SetBackgroundBitmap(ctest::MakeBitmap(check->GetSize(), *wxWHITE));
        panel->Bind(wxEVT_COMMAND_PVCHECKBOX_CLICKED, [this](wxCommandEvent& e) {
            if (e.GetId() == 3002)
                checkEvents.push_back(e.GetInt());
        });
        ASSERT_TRUE(ctest::ShowAndWait(frame));
    }
    void TearDown() override
    {
        frame->Destroy();
        ctest::Pump(50);
    }
    wxColour FaceColour() const
    {
        wxBitmap face(60, 30);
        wxMemoryDC dc(face);
        button->DrawFace(dc);
        dc.SelectObject(wxNullBitmap);
        return ctest::PixelAt(face, 30, 15);
    }

    wxFrame* frame = nullptr;
    wxPanel* panel = nullptr;
    PvBitmapButton* button = nullptr;
    PvCheckBox* check = nullptr;
    int clicks = 0;
    std::vector<int> checkEvents;
};

TEST_F(ButtonFixture, StatesAndClickReportsFollowThePointer)
{
    const wxPoint inside(30, 15), outside(150, 15);
    struct Case {
        const char* what;
        std::string steps;  // i = move inside, o = move outside, d = press, u = release, 2 = double click
        int state;
        int clicks;
        wxColour face;
    };
    const Case cases[] = {
        {"hover", "i", PvBitmapButton::STATE_CURRENT, 0, kCurrent},
        {"press", "id", PvBitmapButton::STATE_PRESSED, 0, kPressed},
        {"click", "idu", PvBitmapButton::STATE_RELEASED, 1, kNormal},
        {"click then leave", "iduo", PvBitmapButton::STATE_LEFT, 1, kNormal},
        {"press, leave, release outside", "idou", PvBitmapButton::STATE_LEFT, 0, kNormal},
        {"press, leave, come back, release", "idoiu", PvBitmapButton::STATE_CURRENT, 0, kCurrent},
        {"double click reports two clicks", "i2", PvBitmapButton::STATE_RELEASED, 2, kNormal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ctest::MoveTo(panel, outside);
        button->Enable(true);
        clicks = 0;
        for (char step : c.steps) {
            switch (step) {
            case 'i': ctest::MoveTo(button, inside); break;
            case 'o': ctest::MoveTo(button, outside); break;
            case 'd': ctest::Press(); break;
            case 'u': ctest::Release(); break;
            case '2': {
                wxUIActionSimulator sim;
                sim.MouseDblClick();
                ctest::Pump(150);
                break;
            }
            }
        }
        EXPECT_EQ(button->GetState(), c.state);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_TRUE(ctest::SameColour(FaceColour(), c.face));
        ctest::Release();
    }
}

TEST_F(ButtonFixture, DisabledButtonShowsItsImageAndReportsNothing)
{
    button->Enable(false);
    EXPECT_EQ(button->GetState(), PvBitmapButton::STATE_DISABLED);
    EXPECT_TRUE(ctest::SameColour(FaceColour(), kDisabled));
    ctest::Click(button, wxPoint(30, 15));
    EXPECT_EQ(clicks, 0);
    button->Enable(true);
    EXPECT_EQ(button->GetState(), PvBitmapButton::STATE_NORMAL);
    ctest::Screenshot("buttons");
}

TEST_F(ButtonFixture, OnlyANormalImageIsShownInEveryState)
{
    auto* plain = new PvBitmapButton(panel, wxID_ANY, wxPoint(150, 40), wxSize(20, 20));
    plain->SetBitmapNormal(new wxBitmap(ctest::MakeBitmap({20, 20}, kNormal)));
    for (const char* how : {"hover", "press", "disable"}) {
        SCOPED_TRACE(how);
        if (std::string(how) == "hover")
            ctest::MoveTo(plain, {10, 10});
        else if (std::string(how) == "press")
            ctest::Press();
        else
            plain->Enable(false);
        wxBitmap face(20, 20);
        wxMemoryDC dc(face);
        plain->DrawFace(dc);
        dc.SelectObject(wxNullBitmap);
        EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 10, 10), kNormal));
    }
    ctest::Release();
    plain->Enable(true);
}

TEST_F(ButtonFixture, FlatColourReplacesTheSnapshot)
{
    auto* framed = new PvBitmapButton(panel, wxID_ANY, wxPoint(150, 80), wxSize(30, 30));
    framed->SetBitmapNormal(new wxBitmap(ctest::MakeBitmap({10, 10}, kNormal)));
    framed->SetBackgroundBitmap(ctest::MakeBitmap({30, 30}, *wxWHITE));
    framed->SetBackgroundColour(wxColour(10, 120, 10));
    wxBitmap face(30, 30);
    wxMemoryDC dc(face);
    framed->DrawFace(dc);
    dc.SelectObject(wxNullBitmap);
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 25, 25), wxColour(10, 120, 10)));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 5, 5), kNormal));
}

// What reaches the screen around a small picture: the snapshot of the
// parent's skin, or the flat colour that replaces it.
TEST_F(ButtonFixture, BackgroundShowsAroundTheImageOnTheScreen)
{
    const wxColour skin(250, 200, 0), flat(10, 120, 10);
    auto* snapshot = new PvBitmapButton(panel, wxID_ANY, wxPoint(150, 40), wxSize(30, 30));
    snapshot->SetBitmapNormal(new wxBitmap(ctest::MakeBitmap({10, 10}, kNormal)));
    snapshot->SetBackgroundBitmap(ctest::MakeBitmap({30, 30}, skin));
    auto* framed = new PvBitmapButton(panel, wxID_ANY, wxPoint(200, 40), wxSize(30, 30));
    framed->SetBitmapNormal(new wxBitmap(ctest::MakeBitmap({10, 10}, kNormal)));
    framed->SetBackgroundBitmap(ctest::MakeBitmap({30, 30}, skin));
    framed->SetBackgroundColour(flat);
    ctest::Pump(150);
    const wxImage screen = ctest::GrabScreen();
    for (const auto& [button, colour] : {std::pair{snapshot, skin}, std::pair{framed, flat}}) {
        for (const wxPoint& p : {wxPoint(25, 25), wxPoint(15, 2), wxPoint(2, 28)})
            EXPECT_TRUE(ctest::SameColour(ctest::ScreenColour(screen, button, p), colour))
                << p.x << "," << p.y;
        EXPECT_TRUE(ctest::SameColour(ctest::ScreenColour(screen, button, {5, 5}), kNormal));
    }
}

TEST_F(ButtonFixture, CheckBoxQueuesOneEventPerClickAndNoneFromSetValue)
{
    const wxPoint onBox(check->GetBoxSize().x / 2, check->GetSize().y / 2);
    ctest::Click(check, onBox);
    ctest::Pump(50);
    EXPECT_EQ(checkEvents, std::vector<int>{1});
    EXPECT_TRUE(check->GetValue());

    ctest::Click(check, wxPoint(check->GetSize().x - 3, onBox.y));  // on the label
    ctest::Pump(50);
    EXPECT_EQ(checkEvents, (std::vector<int>{1, 0}));
    EXPECT_FALSE(check->GetValue());

    check->SetValue(true);
    check->SetValue(false);
    ctest::Pump(50);
    EXPECT_EQ(checkEvents.size(), 2u);

    // The event is queued, not sent: nothing arrives before the loop runs.
    ctest::SendMouse(check, wxEVT_LEFT_DOWN, onBox, true);
    ctest::SendMouse(check, wxEVT_LEFT_UP, onBox, false);
    EXPECT_EQ(checkEvents.size(), 2u);
    ctest::Pump(50);
    EXPECT_EQ(checkEvents, (std::vector<int>{1, 0, 1}));

    // A release without a press on the box changes nothing.
    ctest::SendMouse(check, wxEVT_LEFT_UP, onBox, false);
    ctest::Pump(50);
    EXPECT_EQ(checkEvents.size(), 3u);
    EXPECT_TRUE(check->GetValue());
}

TEST_F(ButtonFixture, CheckBoxTogglesOnlyOnAPressAndReleaseOnIt)
{
    // The run dialog's power-off box is such a box: a press dragged off and
    // let go elsewhere is a cancelled click, as on a native check box.
    const wxPoint onBox(check->GetBoxSize().x / 2, check->GetSize().y / 2);
    const wxPoint off(check->GetSize().x + 30, onBox.y + 40);
    struct Case {
        const char* what;
        std::vector<wxPoint> path;  // after the press on the box, then the release
        bool toggles;
    };
    const Case cases[] = {
        {"released off the box", {off}, false},
        {"released on the label", {wxPoint(check->GetSize().x - 3, onBox.y)}, true},
        {"off and back", {off, onBox}, true},
        {"just outside the right edge", {wxPoint(check->GetSize().x + 1, onBox.y)}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        checkEvents.clear();
        const bool before = check->GetValue();
        ctest::MoveTo(check, onBox);
        ctest::Press();
        for (const wxPoint& p : c.path)
            ctest::MoveTo(check, p);
        ctest::Release();
        ctest::Pump(50);
        EXPECT_EQ(check->GetValue(), before != c.toggles);
        EXPECT_EQ(checkEvents.size(), c.toggles ? 1u : 0u);
    }
    // A press elsewhere released on the box does nothing either.
    checkEvents.clear();
    const bool before = check->GetValue();
    ctest::MoveTo(check, off);
    ctest::Press();
    ctest::MoveTo(check, onBox);
    ctest::Release();
    ctest::Pump(50);
    EXPECT_EQ(check->GetValue(), before);
    EXPECT_TRUE(checkEvents.empty());
}

TEST_F(ButtonFixture, CheckBoxFitsItsLabel)
{
    const wxSize box = check->GetBoxSize();
    int tw = 0, th = 0;
    check->GetTextExtent("Apply to All", &tw, &th);
    EXPECT_EQ(check->GetSize(), wxSize(box.x + 6 + tw, std::max(box.y, th)));
    EXPECT_EQ(check->GetLabelPosition().x, box.x + 6);

    // A label taller than the box sits at the label top.
    auto* tall = new PvCheckBox(panel, wxID_ANY, "Tall", wxPoint(150, 120));
    wxFont big = tall->GetFont();
    big.SetPointSize(28);
    tall->SetFont(big);
    tall->FitToLabel();
    tall->SetLabelTop(3);
    ASSERT_GT(tall->GetSize().y, tall->GetBoxSize().y);
    EXPECT_EQ(tall->GetLabelPosition(), wxPoint(tall->GetBoxSize().x + 6, 3));
}

}  // namespace
