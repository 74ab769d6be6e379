// Helpers for the preview dialog tests: the staged program folder and the
// real player, a generated clip in a play job, and a dialog's modal loop
// with the test's steps run inside it.
#pragma once

#include "ControlsTestUtil.h"
#include "MediaInfo.h"
#include "PlayJob.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>

#include <functional>
#include <memory>
#include <string>

namespace edtest {

// The staged skin and the real player, for the whole test program.
class Environment : public testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

// A play job over a clip of the given seconds (made once per length).
struct ClipJob {
    explicit ClipJob(int seconds);
    MediaInfo media;
    PlayJob job;
};

// Runs steps inside dialog's modal loop, then ends the loop if the steps did
// not; returns ShowModal's result.
int RunModal(wxDialog& dialog, const std::function<void()>& steps);

// The colour of a point of a shown window, read from the screen.
wxColour ScreenPixel(wxWindow* win, const wxPoint& clientPt);

using ctest::Drag;

}  // namespace edtest
