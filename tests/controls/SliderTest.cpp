// Sliders: phases, positions and clamping under synthetic mouse events.
#include "ControlsTestUtil.h"
#include "PvClipSlider.h"
#include "PvSlider.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include <vector>

namespace {

const wxColour kFill(14, 177, 242);

class SliderFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "sliders", wxPoint(50, 50), wxSize(400, 200),
                            wxBORDER_NONE);
        panel = new wxPanel(frame, wxID_ANY, wxPoint(0, 0), wxSize(400, 200));
        // Track 200 x 6, thumb 10 x 16: the control is 210 x 16, range 200.
        slider = new PvSlider(ctest::MakeBitmap({200, 6}, wxColour(90, 90, 90)),
                              ctest::MakeBitmap({10, 16}, wxColour(250, 250, 0)), panel, 2142,
                              wxPoint(20, 20), wxDefaultSize, wxBORDER_NONE);
        slider->SetBackgroundBitmap(ctest::MakeBitmap({210, 16}, *wxWHITE));
        clip = new PvClipSlider();
        clip->Create(new wxBitmap(ctest::MakeBitmap({8, 14}, *wxGREEN)),
                     new wxBitmap(ctest::MakeBitmap({8, 14}, *wxRED)), panel, 2150, wxPoint(20, 80),
                     wxSize(300, 14), wxBORDER_NONE);
        panel->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) {
            (e.GetId() == 2142 ? phases : clipPhases).push_back(e.GetInt());
        });
        ASSERT_TRUE(ctest::ShowAndWait(frame));
    }
    void TearDown() override
    {
        frame->Destroy();
        ctest::Pump(50);
    }
    void Mouse(wxWindow* w, wxEventType type, int x, bool left = true)
    {
        ctest::SendMouse(w, type, wxPoint(x, 8), left);
    }

    wxFrame* frame = nullptr;
    wxPanel* panel = nullptr;
    PvSlider* slider = nullptr;
    PvClipSlider* clip = nullptr;
    std::vector<int> phases, clipPhases;
};

TEST_F(SliderFixture, ThumbDragSendsPhasesAndStaysInRange)
{
    EXPECT_EQ(slider->GetSize(), wxSize(210, 16));
    EXPECT_EQ(slider->GetRange(), 200);
    Mouse(slider, wxEVT_LEFT_DOWN, 5);
    EXPECT_TRUE(slider->HasCapture());
    struct Move {
        int x;
        int pos;
    };
    for (const Move m : {Move{55, 50}, Move{-100, 0}, Move{400, 200}, Move{105, 100}}) {
        Mouse(slider, wxEVT_MOTION, m.x);
        EXPECT_EQ(slider->GetThumbPos(), m.pos) << m.x;
    }
    Mouse(slider, wxEVT_LEFT_UP, 105, false);
    EXPECT_FALSE(slider->HasCapture());
    EXPECT_EQ(phases, (std::vector<int>{0, 3, 3, 3, 3, 2}));  // each sent before the handler returned

    // The committed thumb is where the drag ended: a new press there grabs it.
    phases.clear();
    Mouse(slider, wxEVT_LEFT_DOWN, 103);
    Mouse(slider, wxEVT_MOTION, 113);
    EXPECT_EQ(slider->GetThumbPos(), 110);
    Mouse(slider, wxEVT_LEFT_UP, 113, false);
    EXPECT_EQ(phases, (std::vector<int>{0, 3, 2}));
}

TEST_F(SliderFixture, TrackClickJumpsTheThumbWithoutCapture)
{
    struct Case {
        int x;
        int pos;
    };
    slider->SetThumbPos(100);
    for (const Case c : {Case{50, 45}, Case{5, 0}, Case{7, 2}, Case{204, 199}}) {
        slider->SetThumbPos(100);
        phases.clear();
        Mouse(slider, wxEVT_LEFT_DOWN, c.x);
        EXPECT_EQ(slider->GetThumbPos(), c.pos) << c.x;
        EXPECT_FALSE(slider->HasCapture());
        // A release after the jump sends nothing; so does a drag.
        Mouse(slider, wxEVT_MOTION, c.x + 30);
        Mouse(slider, wxEVT_LEFT_UP, c.x + 30, false);
        EXPECT_EQ(phases, std::vector<int>{1}) << c.x;
        EXPECT_EQ(slider->GetThumbPos(), c.pos);
    }
}

TEST_F(SliderFixture, LostCaptureEndsTheDragAsARelease)
{
    Mouse(slider, wxEVT_LEFT_DOWN, 5);
    Mouse(slider, wxEVT_MOTION, 45);
    slider->GTKReleaseMouseAndNotify();
    EXPECT_FALSE(slider->HasCapture());
    Mouse(slider, wxEVT_MOTION, 95);
    Mouse(slider, wxEVT_LEFT_UP, 95, false);
    EXPECT_EQ(slider->GetThumbPos(), 40);
    EXPECT_EQ(phases, (std::vector<int>{0, 3, 2}));
}

TEST_F(SliderFixture, FillLiesLeftOfTheThumb)
{
    auto face = [&] {
        wxBitmap bitmap(210, 16);
        wxMemoryDC dc(bitmap);
        slider->DrawFace(dc);
        dc.SelectObject(wxNullBitmap);
        return bitmap;
    };
    slider->SetThumbPos(0);
    EXPECT_FALSE(ctest::SameColour(ctest::PixelAt(face(), 2, 8), kFill));
    slider->SetThumbPos(100);
    const wxBitmap at100 = face();
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(at100, 40, 8), kFill));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(at100, 104, 8), wxColour(250, 250, 0)));  // thumb
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(at100, 150, 8), wxColour(90, 90, 90)));   // track
    slider->ShowFill(false);
    EXPECT_FALSE(ctest::SameColour(ctest::PixelAt(face(), 40, 8), kFill));
    slider->ShowFill(true);
    ctest::Screenshot("sliders");
}

TEST_F(SliderFixture, ClipMarksStayInOrder)
{
    // Control 300 wide, marks 8 wide: out starts at 292, maximum 284.
    EXPECT_EQ(clip->GetMax(), 284);
    EXPECT_EQ(clip->GetInPos(), 0);
    EXPECT_EQ(clip->GetOutPos(), 292 - 8);
    struct Case {
        const char* what;
        int pressX, moveX;
        int in, outLive;  // GetInPos, live out (GetOutPos + 8)
    };
    const Case cases[] = {
        {"in mark right", 4, 104, 100, 292},
        {"in mark past the out mark", 104, 400, 284, 292},
        {"in mark left of 0", 288, -50, 0, 292},
        {"out mark left of the in mark", 296, 0, 0, 8},
        {"out mark past the maximum", 12, 500, 0, 292},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clipPhases.clear();
        Mouse(clip, wxEVT_LEFT_DOWN, c.pressX);
        ASSERT_TRUE(clip->HasCapture());
        Mouse(clip, wxEVT_MOTION, c.moveX);
        Mouse(clip, wxEVT_LEFT_UP, c.moveX, false);
        EXPECT_EQ(clip->GetInPos(), c.in);
        EXPECT_EQ(clip->GetOutPos() + 8, c.outLive);
        EXPECT_EQ(clip->GetSpan(), c.outLive - c.in);
        EXPECT_EQ(clipPhases, (std::vector<int>{0, 2, 1}));
    }
    clip->SetOutPos(150);
    EXPECT_EQ(clip->GetOutPos(), 150);
    clip->SetInPos(20);
    EXPECT_EQ(clip->GetInPos(), 20);

    // A lost capture commits where the mark is.
    clipPhases.clear();
    Mouse(clip, wxEVT_LEFT_DOWN, 24);
    Mouse(clip, wxEVT_MOTION, 44);
    clip->GTKReleaseMouseAndNotify();
    Mouse(clip, wxEVT_MOTION, 94);
    EXPECT_EQ(clip->GetInPos(), 40);
    EXPECT_EQ(clipPhases, (std::vector<int>{0, 2, 1}));
}

}  // namespace
