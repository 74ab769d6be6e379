// Window base: skin ownership, the title strip's erase and drag, shapes.
#include "BaseWindow.h"
#include "ControlsTestUtil.h"
#include "MyTitle.h"
#include "PvWindowMove.h"
#include "ShapeWindow.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/settings.h>

#include <memory>

namespace {


// A borderless frame at a known place with a skinned pane filling it and a
// title strip at (20, 10) on the pane.
class DragFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "drag", wxPoint(100, 100), wxSize(300, 200),
                            wxBORDER_NONE | wxFRAME_SHAPED);
        pane = new BaseWindow(frame, wxID_ANY, new wxBitmap(ctest::MakeGradient(wxSize(300, 200))),
                              wxPoint(0, 0), wxSize(300, 200));
        title = new MyTitle(pane, wxID_ANY, new wxBitmap(ctest::MakeBitmap({200, 20}, *wxRED)),
                            frame, wxPoint(20, 10), wxSize(200, 20));
        ASSERT_TRUE(ctest::ShowAndWait(frame));
    }
    void TearDown() override
    {
        if (title->HasCapture())
            title->ReleaseMouse();
        frame->Destroy();
        ctest::Pump(50);
    }
    wxFrame* frame = nullptr;
    BaseWindow* pane = nullptr;
    MyTitle* title = nullptr;
};

TEST_F(DragFixture, RealDragKeepsThePressedPointUnderThePointer)
{
    const wxPoint start = frame->GetPosition();
    ctest::MoveTo(title, wxPoint(10, 5));
    ctest::Press();
    EXPECT_TRUE(title->HasCapture());
    for (int dx = 10; dx <= 50; dx += 10)
        ctest::MoveTo(title, wxPoint(10 + dx, 5 + dx / 5) - (frame->GetPosition() - start));
    ctest::Release();
    EXPECT_FALSE(title->HasCapture());
    EXPECT_EQ(frame->GetPosition(), start + wxPoint(50, 10));

    // A motion with the button up after the release moves nothing.
    ctest::MoveTo(title, wxPoint(100, 5));
    EXPECT_EQ(frame->GetPosition(), start + wxPoint(50, 10));
}

TEST_F(DragFixture, MotionMovesOnlyWithLeftButtonAndCapture)
{
    const wxPoint start = frame->GetPosition();
    struct Case {
        const char* what;
        bool press;     // left-down on the strip first
        bool leftDown;  // button state in the motion event
        wxPoint expectMove;
    };
    const Case cases[] = {
        {"drag after press", true, true, {30, 0}},
        {"motion without the button", true, false, {0, 0}},
        {"motion without a press (no capture)", false, true, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        frame->Move(start);
        if (c.press)
            ctest::SendMouse(title, wxEVT_LEFT_DOWN, {10, 5}, true);
        ctest::SendMouse(title, wxEVT_MOTION, {40, 5}, c.leftDown);
        EXPECT_EQ(frame->GetPosition(), start + c.expectMove);
        ctest::SendMouse(title, wxEVT_LEFT_UP, {40, 5}, false);
        EXPECT_FALSE(title->HasCapture());
    }
}

TEST_F(DragFixture, LosingTheCaptureEndsTheDragWithoutAssert)
{
    const wxPoint start = frame->GetPosition();
    ctest::SendMouse(title, wxEVT_LEFT_DOWN, {10, 5}, true);
    ctest::SendMouse(title, wxEVT_MOTION, {20, 5}, true);
    ASSERT_EQ(frame->GetPosition(), start + wxPoint(10, 0));
    ASSERT_TRUE(title->HasCapture());
    // The toolkit's own path when GTK breaks the grab (a popup, another grab).
    title->GTKReleaseMouseAndNotify();
    EXPECT_FALSE(title->HasCapture());
    ctest::SendMouse(title, wxEVT_MOTION, {60, 5}, true);
    ctest::SendMouse(title, wxEVT_LEFT_UP, {60, 5}, false);
    EXPECT_EQ(frame->GetPosition(), start + wxPoint(10, 0));
}

TEST_F(DragFixture, StripWithoutTargetIgnoresTheMouse)
{
    auto* idle = new MyTitle(pane, wxID_ANY, new wxBitmap(ctest::MakeBitmap({50, 20}, *wxBLUE)),
                             nullptr, wxPoint(20, 100), wxSize(50, 20));
    const wxPoint start = frame->GetPosition();
    ctest::SendMouse(idle, wxEVT_LEFT_DOWN, {5, 5}, true);
    EXPECT_FALSE(idle->HasCapture());
    ctest::SendMouse(idle, wxEVT_MOTION, {45, 5}, true);
    ctest::SendMouse(idle, wxEVT_LEFT_UP, {45, 5}, false);
    EXPECT_EQ(frame->GetPosition(), start);
    EXPECT_EQ(idle->GetBestSize(), wxSize(50, 20));
}

// What the strip's erase step leaves in a memory DC.
wxBitmap EraseInto(MyTitle* strip)
{
    wxBitmap target(strip->GetSize());
    wxMemoryDC dc(target);
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
    wxEraseEvent erase(strip->GetId(), &dc);
    erase.SetEventObject(strip);
    strip->GetEventHandler()->ProcessEvent(erase);
    dc.SelectObject(wxNullBitmap);
    return target;
}

TEST_F(DragFixture, EraseShowsTheParentSkinPieceOrTheWindowColour)
{
    const wxBitmap onSkin = EraseInto(title);
    for (const wxPoint p : {wxPoint(0, 0), wxPoint(13, 7), wxPoint(199, 19)})
        EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(onSkin, p.x, p.y), ctest::GradientAt(20 + p.x, 10 + p.y)))
            << p.x << "," << p.y;

    auto* plain = new wxPanel(frame, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
    auto* strip = new MyTitle(plain, wxID_ANY, new wxBitmap(ctest::MakeBitmap({40, 10}, *wxRED)),
                              nullptr, wxPoint(5, 5), wxSize(40, 10));
    const wxBitmap onPlain = EraseInto(strip);
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(onPlain, 20, 5),
                                  wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
}

TEST(ShapeWindowTest, PaneDeletesItsSkinExactlyOnce)
{
    auto frame = new wxFrame(nullptr, wxID_ANY, "skin");
    int deleted = 0;
    auto* skin = new ctest::CountedBitmap(ctest::MakeBitmap({10, 10}, *wxGREEN), deleted);
    auto* pane = new BaseWindow();
    ASSERT_TRUE(pane->Create(frame, wxID_ANY, skin));
    EXPECT_EQ(pane->GetShape(), skin);
    EXPECT_TRUE(pane->SetShape(skin));  // the same skin again is kept
    EXPECT_EQ(deleted, 0);
    frame->Destroy();
    ctest::Pump(50);
    EXPECT_EQ(deleted, 1);
}

TEST(ShapeWindowTest, CopyPieceTakesThePixelsUnderTheRectangle)
{
    const wxBitmap skin = ctest::MakeGradient({100, 50});
    const wxBitmap piece = ShapeWindow::CopyPiece(skin, wxRect(90, 40, 20, 20));
    EXPECT_EQ(piece.GetSize(), wxSize(20, 20));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(piece, 0, 0), ctest::GradientAt(90, 40)));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(piece, 9, 9), ctest::GradientAt(99, 49)));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(piece, 15, 15), *wxBLACK));  // outside the skin
}

TEST(ShapeWindowTest, RoundedRegionCutsWholePixelsAtTheCorners)
{
    const wxRegion region = ShapeWindow::MakeRoundedRegion({200, 100}, 9.0);
    EXPECT_EQ(region.GetBox(), wxRect(0, 0, 200, 100));
    // Row 0 loses 6 pixels on each side, the middle rows none.
    for (const wxPoint p : {wxPoint(5, 0), wxPoint(194, 0), wxPoint(5, 99), wxPoint(194, 99), wxPoint(0, 0)})
        EXPECT_EQ(region.Contains(p), wxOutRegion) << p.x << "," << p.y;
    for (const wxPoint p : {wxPoint(6, 0), wxPoint(193, 0), wxPoint(0, 9), wxPoint(199, 50), wxPoint(100, 50)})
        EXPECT_EQ(region.Contains(p), wxInRegion) << p.x << "," << p.y;
    EXPECT_TRUE(ShapeWindow::MakeRoundedRegion({0, 10}, 9.0).IsEmpty());
}

TEST(ShapeWindowTest, RoundedShapeNeedsAShapedFrame)
{
    auto* shaped = new wxFrame(nullptr, wxID_ANY, "shaped", wxPoint(50, 50), wxSize(240, 120),
                               wxBORDER_NONE | wxFRAME_SHAPED);
    new BaseWindow(shaped, wxID_ANY, new wxBitmap(ctest::MakeBitmap({240, 120}, *wxBLUE)),
                   wxPoint(0, 0), wxSize(240, 120));
    EXPECT_TRUE(ShapeWindow::SetRoundedShape(shaped, {240, 120}, 9.0));
    ASSERT_TRUE(ctest::ShowAndWait(shaped));
    ctest::Screenshot("rounded-frame");

    auto* plain = new wxFrame(nullptr, wxID_ANY, "plain");
    EXPECT_FALSE(ShapeWindow::SetRoundedShape(plain, {240, 120}, 9.0));
    shaped->Destroy();
    plain->Destroy();
    ctest::Pump(50);
}

TEST(PvWindowMoveTest, DottedRectPutsPointsEveryTwoPixels)
{
    wxBitmap bmp(20, 20);
    wxMemoryDC dc(bmp);
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
    dc.SetPen(*wxWHITE_PEN);
    PvWindowMove::DrawDottedRect(dc, wxRect(2, 2, 10, 6));
    dc.SelectObject(wxNullBitmap);
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(bmp, 2, 2), *wxWHITE, 60));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(bmp, 4, 8), *wxWHITE, 60));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(bmp, 3, 2), *wxBLACK, 60));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(bmp, 6, 5), *wxBLACK, 60));
}

}  // namespace
