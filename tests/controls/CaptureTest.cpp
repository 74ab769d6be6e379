// Every control that takes the pointer gives it back however its drag ends:
// a dialog ended by code under a held button, a control destroyed or hidden
// in the middle of a drag. Driven by the real pointer (XTest); a toolkit
// assert fails the test, a dangling capture crashes the next drag.
#include "ControlsTestUtil.h"
#include "EventTypes.h"
#include "ImageUtil.h"
#include "ImportJob.h"
#include "MyTitle.h"
#include "PvClipSlider.h"
#include "PvInfoDialog.h"
#include "PvLoadingDialog.h"
#include "PvSlider.h"
#include "PvStaticText.h"
#include "TaskThread.h"

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/settings.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using ctest::PlainDialog;

// A plain white dialog at (100, 100).
void CreatePlain(PlainDialog& dialog)
{
    EXPECT_TRUE(dialog.Create(nullptr, wxID_ANY, "", nullptr,
                              new wxBitmap(ctest::MakeBitmap({300, 150}, *wxWHITE)),
                              wxDefaultPosition, wxSize(300, 150)));
    dialog.Move(100, 100);
}

// A frame with a slider that a test drags after the fault, to prove the
// capture stack is sound again.
class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "capture", wxPoint(500, 40), wxSize(300, 200),
                            wxBORDER_NONE);
        panel = new wxPanel(frame, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
        slider = MakeSlider(wxPoint(20, 20));
        panel->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) {
            if (e.GetEventObject() == nullptr && e.GetId() == 2142)
                phases.push_back(e.GetInt());
        });
        ASSERT_TRUE(ctest::ShowAndWait(frame));
    }
    void TearDown() override
    {
        ctest::Release();
        frame->Destroy();
        ctest::Pump(50);
    }

    PvSlider* MakeSlider(const wxPoint& at)
    {
        // Track 200 x 6, thumb 10 x 16.
        auto* s = new PvSlider(ctest::MakeBitmap({200, 6}, wxColour(90, 90, 90)),
                               ctest::MakeBitmap({10, 16}, wxColour(250, 250, 0)), panel, 2142, at,
                               wxDefaultSize, wxBORDER_NONE);
        s->SetBackgroundBitmap(ctest::MakeBitmap(s->GetSize(), *wxWHITE));
        return s;
    }

    // A real drag of the frame's slider thumb by 30 pixels.
    void DragSlider()
    {
        phases.clear();
        slider->SetThumbPos(0);
        ctest::MoveTo(slider, {5, 8});
        ctest::Press();
        EXPECT_TRUE(slider->HasCapture());
        for (int x = 10; x <= 35; x += 5)
            ctest::MoveTo(slider, {x, 8});
        ctest::Release();
        EXPECT_FALSE(slider->HasCapture());
        EXPECT_EQ(slider->GetThumbPos(), 30);
        ASSERT_FALSE(phases.empty());
        EXPECT_EQ(phases.front(), PvSlider::PHASE_PRESSED);
        EXPECT_EQ(phases.back(), PvSlider::PHASE_RELEASED);
        EXPECT_EQ(wxWindow::GetCapture(), nullptr);
    }

    ctest::SkinArchive skin{ctest::StandardSkin()};
    wxFrame* frame = nullptr;
    wxPanel* panel = nullptr;
    PvSlider* slider = nullptr;
    std::vector<int> phases;
};

TEST_F(CaptureTest, ADialogEndedByCodeUnderAHeldButtonLetsThePointerGo)
{
    ASSERT_TRUE(skin.ok());
    struct Case {
        const char* what;
        std::function<int()> run;
    };
    // Each case holds the button on the dialog's face, then the dialog ends
    // itself; it is destroyed while the button is still down.
    auto holdThen = [](wxDialog& dialog, std::function<void()> end) {
        bool captured = false;
        dialog.CallAfter([&dialog, &captured, end] {
            ctest::MoveTo(&dialog, {60, 30});
            ctest::Press();
            captured = dialog.HasCapture();
            end();
        });
        const int code = dialog.ShowModal();
        EXPECT_TRUE(captured) << "the press on the face started a drag";
        EXPECT_FALSE(dialog.HasCapture());
        return code;
    };
    const Case cases[] = {
        {"EndModal by code",
         [&] {
             PlainDialog dialog;
             CreatePlain(dialog);
             return holdThen(dialog, [&] { dialog.EndModal(3); });
         }},
        {"loading dialog finishing",
         [&] {
             PvLoadingDialog dialog;
             wxBitmap* bg = ImageUtil::LoadThemeBitmap("surface/base/loading.png", wxBITMAP_TYPE_PNG);
             EXPECT_TRUE(dialog.Create(nullptr, ImportJob::kDialogId, "", nullptr, bg, wxDefaultPosition,
                                       bg->GetSize()));
             dialog.Move(100, 100);
             dialog.SetRange(1);
             dialog.SetThread(new TaskThread);  // stays open until the event below
             return holdThen(dialog, [&] {
                 ctest::WaitFor([&] { return dialog.IsStarted(); });
                 auto* last = new wxCommandEvent(EVT_MEDIA_IMPORT_PROGRESS, ImportJob::kDialogId);
                 last->SetInt(1);
                 dialog.GetEventHandler()->QueueEvent(last);
                 ctest::WaitFor([&] { return !dialog.IsModal(); });
             });
         }},
        {"hidden by code",
         [&] {
             PlainDialog dialog;
             CreatePlain(dialog);
             return holdThen(dialog, [&] {
                 dialog.Hide();  // a modal dialog hidden ends its loop
                 EXPECT_EQ(wxWindow::GetCapture(), nullptr);
             });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.run();
        EXPECT_EQ(wxWindow::GetCapture(), nullptr);
        ctest::Release();
        DragSlider();
    }
}

TEST_F(CaptureTest, AControlDestroyedOrHiddenMidDragLetsThePointerGo)
{
    // Each maker puts a capturing control on the panel and says where to press.
    struct Maker {
        const char* what;
        std::function<wxWindow*(wxPoint& press)> make;
    };
    const Maker makers[] = {
        {"slider", [&](wxPoint& press) { press = {5, 8}; return MakeSlider({20, 80}); }},
        {"clip slider",
         [&](wxPoint& press) {
             auto* clip = new PvClipSlider;
             clip->Create(new wxBitmap(ctest::MakeBitmap({8, 14}, *wxGREEN)),
                          new wxBitmap(ctest::MakeBitmap({8, 14}, *wxRED)), panel, 2150,
                          wxPoint(20, 80), wxSize(260, 14), wxBORDER_NONE);
             press = {3, 7};
             return static_cast<wxWindow*>(clip);
         }},
        {"dragging label",
         [&](wxPoint& press) {
             auto* label = new PvStaticText(panel, wxID_ANY, "Drag me",
                                            wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT),
                                            frame, wxPoint(20, 80));
             label->SetBackground(nullptr);
             press = {4, 4};
             return static_cast<wxWindow*>(label);
         }},
        {"title strip",
         [&](wxPoint& press) {
             press = {6, 6};
             return static_cast<wxWindow*>(
                 new MyTitle(panel, wxID_ANY,
                             new wxBitmap(ctest::MakeBitmap({60, 20}, *wxLIGHT_GREY)), frame,
                             wxPoint(20, 80), wxSize(60, 20)));
         }},
    };
    const wxPoint home = frame->GetPosition();
    for (const Maker& m : makers) {
        for (bool destroy : {true, false}) {
            SCOPED_TRACE(std::string(m.what) + (destroy ? " destroyed" : " hidden"));
            wxPoint press;
            wxWindow* control = m.make(press);
            ctest::Pump(100);
            ctest::MoveTo(control, press);
            ctest::Press();
            ASSERT_TRUE(control->HasCapture());
            if (destroy)
                control->Destroy();
            else
                control->Hide();
            ctest::Pump(50);
            EXPECT_EQ(wxWindow::GetCapture(), nullptr);
            ctest::Release();
            if (!destroy)
                control->Destroy();
            frame->Move(home);
            DragSlider();
        }
    }
}

}  // namespace
