// A shown frame over a gradient skin for the extra controls, and key events.
#pragma once

#include "BaseWindow.h"
#include "ControlsTestUtil.h"

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>

namespace etest {

class ShownPane : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    wxFrame* frame = nullptr;
    BaseWindow* pane = nullptr;
};

// A key-down event with the given code handed to win's handler at once;
// returns true when the handler consumed it (did not skip).
bool SendKey(wxWindow* win, int keyCode);

// Draws a control's face into a bitmap prefilled with magenta.
template <class Control>
wxBitmap Face(const Control* control, const wxSize& size)
{
    wxBitmap bitmap(size);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(wxColour(255, 0, 255)));
        dc.Clear();
        control->DrawFace(dc);
    }
    return bitmap;
}

}  // namespace etest
