// Static text and progress bar: what they draw, and that an idle bar stays idle.
#include "BaseWindow.h"
#include "ControlsTestUtil.h"
#include "PvControl.h"
#include "PvProgressControl.h"
#include "PvStaticText.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/uiaction.h>

#include <vector>

namespace {

class ControlFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "controls", wxPoint(80, 80), wxSize(400, 240),
                            wxBORDER_NONE);
        pane = new BaseWindow(frame, wxID_ANY, new wxBitmap(ctest::MakeGradient({400, 240})),
                              wxPoint(0, 0), wxSize(400, 240));
        ASSERT_TRUE(ctest::ShowAndWait(frame));
    }
    void TearDown() override
    {
        frame->Destroy();
        ctest::Pump(50);
    }
    // Draws into a bitmap of the given size prefilled with a marker colour.
    template <class Control>
    static wxBitmap Face(const Control* control, const wxSize& size)
    {
        wxBitmap bitmap(size);
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(wxColour(255, 0, 255)));
        dc.Clear();
        control->DrawFace(dc);
        dc.SelectObject(wxNullBitmap);
        return bitmap;
    }
    wxFrame* frame = nullptr;
    BaseWindow* pane = nullptr;
};

TEST_F(ControlFixture, LabelShowsTheSkinUnderItAndCropsToItsSize)
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    auto* label = new PvStaticText(pane, wxID_ANY, "..", font, nullptr, wxPoint(30, 20));
    label->SetBackground(pane->GetShape());
    label->SetForegroundColour(*wxWHITE);
    int tw = 0, th = 0;
    pane->GetTextExtent("..", &tw, &th, nullptr, nullptr, &font);
    ASSERT_EQ(label->GetSize(), wxSize(tw, th));

    const wxBitmap face = Face(label, {tw + 40, th});
    for (int x = 0; x < tw; ++x)  // the top row holds no glyph of ".."
        ASSERT_TRUE(ctest::SameColour(ctest::PixelAt(face, x, 0), ctest::GradientAt(30 + x, 20))) << x;

    // A longer text without layout keeps the size: nothing is drawn past it.
    label->SetTextNoLayout("..............");
    EXPECT_EQ(label->GetSize(), wxSize(tw, th));
    const wxBitmap clipped = Face(label, {tw + 40, th});
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(clipped, tw + 10, th - 3), wxColour(255, 0, 255)));

    label->SetText("..............");
    EXPECT_GT(label->GetSize().x, tw);
    label->SetText(wxEmptyString);
    EXPECT_EQ(label->GetSize().x, 0);
}

TEST_F(ControlFixture, LabelWithTargetDragsIt)
{
    auto* label = new PvStaticText(pane, wxID_ANY, "Tarvelin Merovant", *wxNORMAL_FONT, frame,
                                   wxPoint(30, 60));
    label->SetBackground(pane->GetShape());
    const wxPoint start = frame->GetPosition();
    ctest::SendMouse(label, wxEVT_LEFT_DOWN, {5, 5}, true);
    ctest::SendMouse(label, wxEVT_MOTION, {25, 15}, true);
    EXPECT_EQ(frame->GetPosition(), start + wxPoint(20, 10));
    label->GTKReleaseMouseAndNotify();  // capture lost: no assert, drag over
    ctest::SendMouse(label, wxEVT_MOTION, {65, 15}, true);
    ctest::SendMouse(label, wxEVT_LEFT_UP, {65, 15}, false);
    EXPECT_EQ(frame->GetPosition(), start + wxPoint(20, 10));
}

TEST_F(ControlFixture, ProgressBarWidthFollowsValueOverRange)
{
    auto* bar = new PvProgressControl(pane, wxID_ANY, wxPoint(20, 100), wxSize(200, 24));
    struct Case {
        int range, value, width, bar;
    };
    const Case cases[] = {
        {10, 3, 200, 60}, {3, 1, 7, 2},    {10, 0, 200, 0},   {10, 10, 200, 200},
        {0, 5, 200, 0},   {-4, 2, 200, 0}, {10, 25, 200, 200}, {10, -3, 200, 0},
        {2000000000, 1999999999, 200, 199},
    };
    for (const Case& c : cases) {
        bar->SetRange(c.range);
        bar->SetValueNoRefresh(c.value);
        EXPECT_EQ(bar->BarWidth(c.width), c.bar) << c.range << " " << c.value << " " << c.width;
    }

    const wxColour blue(14, 177, 242), grey(124, 124, 124);
    bar->SetRange(10);
    bar->SetValue(3);
    const wxBitmap face = Face(bar, {200, 24});
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 30, 12), blue));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 58, 12), blue));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 61, 12), *wxWHITE));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 199, 12), grey));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, 100, 0), grey));

    // And on the screen: the erase draws the box, the paint the bar.
    ctest::Pump(100);
    const wxImage screen = ctest::GrabScreen();
    const struct {
        wxPoint at;
        wxColour colour;
    } shown[] = {{{30, 12}, blue}, {{58, 12}, blue}, {{100, 12}, *wxWHITE}, {{190, 5}, *wxWHITE},
                 {{199, 12}, grey}, {{100, 0}, grey}, {{100, 23}, grey}};
    for (const auto& p : shown)
        EXPECT_TRUE(ctest::SameColour(ctest::ScreenColour(screen, bar, p.at), p.colour))
            << p.at.x << "," << p.at.y;

    bar->SetValue(0);
    const wxBitmap empty = Face(bar, {200, 24});
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(empty, 30, 12), *wxWHITE));
    EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(empty, 0, 12), grey));
    bar->SetValue(7);
    ctest::Screenshot("progress");
}

TEST_F(ControlFixture, IdleProgressBarDoesNotRepaint)
{
    auto* bar = new PvProgressControl(pane, wxID_ANY, wxPoint(20, 100), wxSize(200, 24));
    bar->SetRange(10);
    int paints = 0;
    bar->Bind(wxEVT_PAINT, [&](wxPaintEvent& e) {
        ++paints;
        e.Skip();
    });
    bar->SetValue(4);
    ctest::Pump(300);
    EXPECT_GE(paints, 1);
    paints = 0;
    ctest::Pump(600);
    EXPECT_EQ(paints, 0);
}

// A control that only paints swallows the mouse.
class PaintOnly : public PvControl {
public:
    PaintOnly(wxWindow* parent) { Create(parent, wxID_ANY, wxPoint(250, 100), wxSize(40, 40)); }

protected:
    void OnPaint(wxPaintEvent&) override { wxPaintDC dc(this); }
    void OnEraseBackground(wxEraseEvent&) override {}
};

// Counts the presses the toolkit hands on to a widget's parent: those the
// widget's own handler left unhandled. (Releases go on whatever the handler
// did.)
gboolean CountHandedOn(GtkWidget*, GdkEvent*, gpointer counter)
{
    ++*static_cast<int*>(counter);
    return FALSE;
}

// Real presses and releases on a control go no further: neither to the pane
// under it (a skinned pane drags its window on a press) nor to the toolkit's
// own handling. Beside the control the pane hears the same click.
TEST_F(ControlFixture, ControlBaseSwallowsMouseEvents)
{
    auto* control = new PaintOnly(pane);
    std::vector<wxEventType> reachedParent;
    const auto heard = [&](wxMouseEvent& e) { reachedParent.push_back(e.GetEventType()); };
    for (const auto& type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK})
        pane->Bind(type, heard);
    int handedOn = 0;
    auto* paneWidget = static_cast<GtkWidget*>(pane->GetHandle());
    g_signal_connect(paneWidget, "button-press-event", G_CALLBACK(CountHandedOn), &handedOn);
    ctest::Pump(100);
    ctest::Click(control, {20, 20});
    wxUIActionSimulator().MouseDblClick();
    ctest::Pump(150);
    EXPECT_EQ(handedOn, 0);
    EXPECT_TRUE(reachedParent.empty()) << reachedParent.size() << " events";
    ctest::Click(pane, {control->GetRect().GetRight() + 30, 120});
    EXPECT_EQ(reachedParent, (std::vector<wxEventType>{wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}));
    g_signal_handlers_disconnect_by_data(paneWidget, &handedOn);
    for (wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_ENTER_WINDOW,
                             wxEVT_LEAVE_WINDOW})
        EXPECT_TRUE(ctest::SendMouse(control, type, {5, 5}, false));
    EXPECT_EQ(control->GetBackgroundStyle(), wxBG_STYLE_ERASE);
}

}  // namespace
