// Driving real pop-up menus: a script of steps run by a timer while the
// menu's own loop blocks the test.
#pragma once

#include <wx/timer.h>

#include <functional>
#include <string>
#include <vector>

class RkMenuBar;
class RkMenuButton;

namespace menutest {

class Script : public wxTimer {
public:
    // Each step runs `delayMs` after the one before it.
    void Then(int delayMs, std::function<void()> step);
    void Run();
    bool Done() const { return m_next >= m_steps.size(); }

private:
    void Notify() override;

    struct Step {
        int delayMs;
        std::function<void()> action;
    };
    std::vector<Step> m_steps;
    size_t m_next = 0;
};

// Real input through the X server.
void MovePointerTo(wxWindow* win, const wxPoint& clientPt);
void PressKey(int keyCode);

// Saves the screen as <MV_SCREENSHOT_DIR>/<name>.png from another process,
// so that the toolkit goes on drawing the open menu meanwhile (a screenshot
// taken while the GUI thread waits shows the menu undrawn).
void ScreenshotLater(const std::string& name);
void WaitForScreenshots();

RkMenuButton* TitleOf(RkMenuBar* bar, int id);
// Clicks a title for real; returns once the menus it opened have closed
// (the script must close them) or after timeoutMs.
bool ClickTitle(RkMenuBar* bar, int id, Script& script, int timeoutMs = 8000);

}  // namespace menutest
