#include "ExtrasTestUtil.h"

#include <wx/dcmemory.h>

namespace etest {

void ShownPane::SetUp()
{
    frame = new wxFrame(nullptr, wxID_ANY, "extras", wxPoint(60, 60), wxSize(420, 300),
                        wxBORDER_NONE);
    pane = new BaseWindow(frame, wxID_ANY, new wxBitmap(ctest::MakeGradient({420, 300})),
                          wxPoint(0, 0), wxSize(420, 300));
    pane->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(pane);
        dc.DrawBitmap(*pane->GetShape(), 0, 0, false);
    });
    ASSERT_TRUE(ctest::ShowAndWait(frame));
}

void ShownPane::TearDown()
{
    frame->Destroy();
    ctest::Pump(50);
}

bool SendKey(wxWindow* win, int keyCode)
{
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = keyCode;
    event.SetEventObject(win);
    event.SetId(win->GetId());
    return win->GetEventHandler()->ProcessEvent(event);
}

}  // namespace etest
