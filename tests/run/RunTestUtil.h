// Helpers of the run tests: the staged skin, event pumping and real clicks.
#pragma once

#include <wx/string.h>

#include <functional>

class wxWindow;

namespace runtest {

// HOME in a temporary folder, the staged program folder, zip and image handlers.
void UseStagedProgramFolder();
// Handles events for ms milliseconds.
void Pump(int ms);
// Handles events until the condition holds; false when ms pass first.
bool WaitFor(const std::function<bool()>& condition, int ms = 60000);
// A real left click (XTEST) in the middle of the window.
void Click(wxWindow* window);


}  // namespace runtest
