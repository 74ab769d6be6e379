// The time field typed over by keys and mouse, and the read-only text box.
#include "ExtrasTestUtil.h"
#include "MyTimeTextCtrl.h"
#include "PvReadonlyTextctrl.h"

#include <wx/tooltip.h>
#include <wx/uiaction.h>

#include <string>
#include <vector>

namespace {

using etest::ShownPane;

class TimeFieldTest : public ShownPane {
protected:
    MyTimeTextCtrl* NewField(const wxString& text = "12:34:56")
    {
        if (field)
            field->Destroy();
        field = new MyTimeTextCtrl;
        EXPECT_TRUE(field->Create(pane, wxID_ANY, text, wxPoint(20, 20), wxSize(120, -1)));
        return field;
    }
    void ExpectCursor(long start, long end)
    {
        EXPECT_EQ(field->GetCursorStart(), start);
        EXPECT_EQ(field->GetCursorEnd(), end);
    }
    MyTimeTextCtrl* field = nullptr;
};

struct KeyCase {
    const char* name;
    std::vector<int> keys;
    const char* text;
    long start;
    long end;
};

TEST_F(TimeFieldTest, KeysTypeOverDigitsAndStepOverSeparators)
{
    const std::vector<KeyCase> cases = {
        {"nothing", {}, "12:34:56", 0, 1},
        {"right", {WXK_RIGHT}, "12:34:56", 1, 2},
        {"right jumps the colon", {WXK_RIGHT, WXK_RIGHT}, "12:34:56", 3, 4},
        {"back from 3 zeroes the 2", {WXK_RIGHT, WXK_RIGHT, WXK_BACK}, "10:34:56", 1, 2},
        {"left at the start stays", {WXK_LEFT}, "12:34:56", 0, 1},
        {"left jumps the colon", {WXK_RIGHT, WXK_RIGHT, WXK_LEFT}, "12:34:56", 1, 2},
        {"back at the start zeroes it", {WXK_BACK}, "02:34:56", 0, 1},
        {"delete stays", {WXK_DELETE}, "02:34:56", 0, 1},
        {"digits move on", {'9', '8', '7'}, "98:74:56", 4, 5},
        {"numpad digits", {WXK_NUMPAD2, WXK_NUMPAD3, WXK_NUMPAD5}, "23:54:56", 4, 5},
        {"a whole time", {'2', '3', '5', '9', '0', '1'}, "23:59:01", 9, 10},
        {"digits past the end are dropped", {'1', '1', '1', '1', '1', '1', '7', '7'}, "11:11:11",
         9, 10},
        {"right stops at the end", std::vector<int>(12, WXK_RIGHT), "12:34:56", 9, 10},
        {"left from the end", {'0', '0', '0', '0', '0', '0', WXK_LEFT}, "00:00:00", 7, 8},
        {"delete in the middle", {WXK_RIGHT, WXK_RIGHT, WXK_RIGHT, WXK_DELETE}, "12:30:56", 4, 5},
        {"letters and others do nothing", {'A', ':', WXK_SPACE, WXK_HOME, WXK_END, WXK_RETURN},
         "12:34:56", 0, 1},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        NewField();
        for (int key : c.keys)
            EXPECT_TRUE(etest::SendKey(field, key)) << "key " << key << " passed on";
        EXPECT_EQ(field->GetValue(), c.text);
        ExpectCursor(c.start, c.end);
        long from = -1, to = -1;
        field->GetSelection(&from, &to);
        EXPECT_EQ(from, std::min<long>(c.start, 8));
    }
}

TEST_F(TimeFieldTest, DoubleClickMakesTheWholeTextTheCursor)
{
    struct Case {
        const char* name;
        int key;
        const char* text;
    };
    const Case cases[] = {
        {"delete zeroes all", WXK_DELETE, "00:00:00"},
        {"backspace zeroes all", WXK_BACK, "00:00:00"},
        {"a digit zeroes all and writes itself first", '7', "70:00:00"},
        {"left collapses", WXK_LEFT, "12:34:56"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewField();
        etest::SendKey(field, WXK_RIGHT);
        ctest::SendMouse(field, wxEVT_LEFT_DCLICK, {10, 5}, true);
        ExpectCursor(0, 8);
        etest::SendKey(field, c.key);
        EXPECT_EQ(field->GetValue(), c.text);
        ExpectCursor(0, 1);
    }
    NewField();
    ctest::SendMouse(field, wxEVT_LEFT_DCLICK, {10, 5}, true);
    etest::SendKey(field, WXK_RIGHT);
    ExpectCursor(7, 8);
}

TEST_F(TimeFieldTest, RealKeysReachTheFieldOnceAndClicksKeepTheCursor)
{
    NewField();
    ctest::Pump(50);
    ctest::Click(field, {field->GetSize().x - 10, field->GetSize().y / 2});
    field->SetFocus();
    ctest::Pump(100);
    ExpectCursor(0, 1);  // a click does not move the cursor
    long from = -1, to = -1;
    field->GetSelection(&from, &to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 1);

    wxUIActionSimulator sim;
    for (char key : std::string("0945"))
        sim.Char(key);
    sim.Char(WXK_BACK);
    sim.Char('x');
    ctest::Pump(200);
    EXPECT_EQ(field->GetValue(), "09:40:56");
    ExpectCursor(4, 5);
    field->GetSelection(&from, &to);
    EXPECT_EQ(from, 4);
    EXPECT_EQ(to, 5);
    ctest::Screenshot("extras-time-field");
}

TEST_F(TimeFieldTest, OnlyATimeGetsInByPasteMiddleClickOrInsertion)
{
    NewField();
    // Selected text in another field is the primary selection a middle
    // click would paste.
    auto* other = new wxTextCtrl(pane, wxID_ANY, "hello", wxPoint(20, 70), wxSize(120, -1));
    ctest::Pump(100);
    other->SetFocus();
    other->SelectAll();
    ctest::Pump(100);
    ctest::MoveTo(field, {field->GetSize().x - 10, field->GetSize().y / 2});
    wxUIActionSimulator sim;
    sim.MouseClick(wxMOUSE_BTN_MIDDLE);
    ctest::Pump(200);
    EXPECT_EQ(field->GetValue(), "12:34:56") << "middle-click paste";

    // What a paste by keys or a drop does underneath: the native field
    // inserts the text. A whole time is taken, anything else is undone.
    struct Case {
        const char* inserted;
        const char* text;
    };
    for (const Case c : {Case{"hello", "12:34:56"}, Case{"7", "12:34:56"},
                         Case{"12:34:5x", "12:34:56"}, Case{"01:02:03", "01:02:03"}}) {
        SCOPED_TRACE(c.inserted);
        field->SetInsertionPointEnd();
        field->WriteText(c.inserted);
        ctest::Pump(50);
        EXPECT_EQ(field->GetValue(), c.text);
    }
    field->SetValue("01:02:03");
    EXPECT_EQ(field->GetValue(), "01:02:03");
    field->SelectAll();
    field->WriteText("bad");
    ctest::Pump(50);
    EXPECT_EQ(field->GetValue(), "01:02:03");
    // Its own editing still works after all that.
    field->SetFocus();
    ctest::Pump(100);
    sim.Char('9');
    ctest::Pump(100);
    EXPECT_TRUE(field->GetValue().Contains("9")) << field->GetValue();
}

// A real drag and drop through the X server: text dragged out of another
// field with the pointer and dropped on the time field, where the native
// field puts it in beside the cursor. Only a time gets in, as the new time.
TEST_F(TimeFieldTest, ADroppedTextIsTakenOnlyWhenItIsATime)
{
    NewField();
    auto* source = new wxTextCtrl(pane, wxID_ANY, "", wxPoint(20, 90), wxSize(160, -1));
    const struct {
        const char* dragged;
        const char* text;
    } cases[] = {{"hello", "12:34:56"}, {"01:02:03", "01:02:03"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dragged);
        ctest::Pump(100);
        source->ChangeValue(c.dragged);
        source->SetFocus();
        source->SelectAll();
        ctest::Pump(150);
        // Pressed on the selected text, moved past the drag threshold and
        // over the field in steps, released there.
        const wxPoint from(12, source->GetSize().y / 2);
        ctest::MoveTo(source, from);
        ctest::Press();
        const wxPoint to = source->ScreenToClient(field->ClientToScreen({40, field->GetSize().y / 2}));
        for (int i = 1; i <= 8; ++i)
            ctest::MoveTo(source, from + wxPoint((to.x - from.x) * i / 8, (to.y - from.y) * i / 8));
        ctest::Pump(200);
        ctest::Release();
        ctest::Pump(400);
        EXPECT_EQ(field->GetValue(), c.text);
        EXPECT_EQ(source->GetValue(), c.dragged) << "a copy, not a move";
    }
}

TEST_F(TimeFieldTest, RealDoubleClickSelectsAllAndADigitRestartsTheTime)
{
    NewField();
    ctest::Pump(50);
    ctest::MoveTo(field, {30, field->GetSize().y / 2});
    wxUIActionSimulator sim;
    sim.MouseDblClick();
    ctest::Pump(200);
    ExpectCursor(0, 8);
    long from = -1, to = -1;
    field->GetSelection(&from, &to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 8);
    sim.Char('5');
    ctest::Pump(150);
    EXPECT_EQ(field->GetValue(), "50:00:00");
    ExpectCursor(0, 1);
}

class ReadonlyTextTest : public ShownPane {
protected:
    void SetUp() override
    {
        ShownPane::SetUp();
        box = new PvReadonlyTextctrl;
        ASSERT_TRUE(box->Create(pane, wxID_ANY, wxPoint(20, 80), wxSize(200, 24)));
        box->Bind(wxEVT_PAINT, [this](wxPaintEvent& e) {
            ++paints;
            e.Skip();
        });
        ctest::Pump(100);
    }
    PvReadonlyTextctrl* box = nullptr;
    int paints = 0;
};

TEST_F(ReadonlyTextTest, EmptyTextDrawsOnlyTheBorderedBox)
{
    const wxBitmap face = etest::Face(box, {200, 24});
    const wxColour grey(124, 124, 124);
    for (const wxPoint& p : {wxPoint(3, 0), wxPoint(196, 0), wxPoint(3, 23), wxPoint(196, 23),
                             wxPoint(100, 0), wxPoint(100, 23), wxPoint(0, 12), wxPoint(199, 12)})
        EXPECT_TRUE(ctest::SameColour(ctest::PixelAt(face, p.x, p.y), grey))
            << p.x << "," << p.y << " " << ctest::PixelAt(face, p.x, p.y).GetAsString();
    const wxImage inner = face.ConvertToImage().GetSubImage(wxRect(1, 1, 198, 22));
    for (int y = 0; y < inner.GetHeight(); ++y)
        for (int x = 0; x < inner.GetWidth(); ++x)
            ASSERT_EQ(inner.GetRed(x, y) + inner.GetGreen(x, y) + inner.GetBlue(x, y), 765)
                << x << "," << y;
}

TEST_F(ReadonlyTextTest, TextIsDrawnAtTheLeftCentredAndShownAsTooltip)
{
    box->SetText("Merovant");
    EXPECT_EQ(box->GetText(), "Merovant");
    ASSERT_TRUE(box->GetToolTip());
    EXPECT_EQ(box->GetToolTip()->GetTip(), "Merovant");

    int tw = 0, th = 0;
    box->GetTextExtent("Merovant", &tw, &th);
    const wxImage face = etest::Face(box, {200, 24}).ConvertToImage();
    int minX = 200, maxX = -1, minY = 24, maxY = -1;
    for (int y = 1; y < 23; ++y)
        for (int x = 1; x < 199; ++x)
            if (face.GetRed(x, y) < 128) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0) << "no text drawn";
    EXPECT_GE(minX, 2);
    EXPECT_LE(minX, 4);
    EXPECT_LE(maxX, 2 + tw);
    const int top = (24 - th) / 2;
    EXPECT_GE(minY, top);
    EXPECT_LE(maxY, top + th);
}

TEST_F(ReadonlyTextTest, IdleBoxDoesNotRepaintAndKeysChangeNothing)
{
    box->SetText("C:/videos/holiday.mp4");
    ctest::Pump(300);
    const int before = paints;
    ctest::Pump(500);
    EXPECT_EQ(paints, before) << "an idle box keeps repainting";

    ctest::MoveTo(box, {20, 12});
    ctest::Pump(150);
    EXPECT_GT(paints, before) << "entering repaints";
    const int entered = paints;
    ctest::Pump(400);
    EXPECT_LE(paints - entered, 1);

    box->SetFocus();
    wxUIActionSimulator sim;
    sim.Text("abc");
    sim.Char(WXK_BACK);
    sim.Char(WXK_DELETE);
    ctest::Pump(150);
    EXPECT_EQ(box->GetText(), "C:/videos/holiday.mp4");
    ctest::Screenshot("extras-readonly-text");
}

}  // namespace
