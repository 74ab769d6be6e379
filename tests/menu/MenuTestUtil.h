// Driving real pop-up menus: a script of steps run by a timer while the
// menu's own loop blocks the test. Steps wait for what reached the screen
// (the menu's X window mapped, the wanted item lit), not for the clock; a
// step that waits in vain fails the script, which then closes any menu
// still open, so no menu loop outlives its test.
#pragma once

#include <gtest/gtest.h>
#include <wx/timer.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class RkMenuBar;
class RkMenuButton;
class wxMenu;
class wxWindow;
typedef struct _GtkWidget GtkWidget;

namespace menutest {

// How long a step waits for its condition before the script fails: a hang,
// not a loaded machine.
constexpr int kStepTimeoutMs = 20000;

class Script : public wxTimer {
public:
    // A step that runs `delayMs` after the one before it.
    void Then(int delayMs, std::function<void()> step);
    // A step that runs as soon as ready() holds; when it does not within
    // timeoutMs the script fails, saying it waited for `what`.
    void When(const std::string& what, std::function<bool()> ready,
              std::function<void()> step = {}, int timeoutMs = kStepTimeoutMs);
    void Run();
    // Every step ran, or the script failed.
    bool Done() const { return m_next >= m_steps.size(); }
    bool Failed() const { return !m_failure.empty(); }
    const std::string& Failure() const { return m_failure; }

private:
    void Notify() override;
    void Arm();

    struct Step {
        int delayMs;
        std::function<bool()> ready;
        std::function<void()> action;
        std::string what;
        int timeoutMs;
    };
    std::vector<Step> m_steps;
    size_t m_next = 0;
    std::chrono::steady_clock::time_point m_since;
    std::string m_failure;
};

// Real input through the X server, each after ctest::SyncWithServer.
void MovePointerTo(wxWindow* win, const wxPoint& clientPt);
void PressKey(int keyCode);

// Saves the screen as <MV_SCREENSHOT_DIR>/<name>.png from another process,
// so that the toolkit goes on drawing the open menu meanwhile (a screenshot
// taken while the GUI thread waits shows the menu undrawn).
void ScreenshotLater(const std::string& name);
void WaitForScreenshots();

RkMenuButton* TitleOf(RkMenuBar* bar, int id);

// The title's menu is the one the bar tracks and the server shows it.
std::function<bool()> MenuShown(RkMenuBar* bar, int titleId);
// The n-th item (1-based; separators and disabled items, which the keys
// pass over, not counted) of the title's open menu is lit.
std::function<bool()> ItemLit(RkMenuBar* bar, int titleId, int n);
// The toolkit's pop-up menu the X server shows (one a window opened with
// PopupMenu, or a title's); null when none is. Its n-th item (counted as
// for ItemLit) is lit.
GtkWidget* ShownPopupMenu();
std::function<bool()> PopupItemLit(int n);
// No menu is open: no bar tracks one and the server shows none.
bool MenusClosed();
// Closes the open menus, if any (their loops end once the caller returns
// to them).
void CloseOpenMenus();

// Adds the steps that take the title's shown menu to its n-th item with
// Down, each press once the item before it is lit, and run it with Return.
void AddPick(Script& script, RkMenuBar* bar, int titleId, int n);

// The same for the shown pop-up menu (ShownPopupMenu, PopupItemLit).
void AddPopupPick(Script& script, int n);

// Clicks a title for real and runs the script, which must close the menus;
// succeeds once every step ran and the menus are closed.
testing::AssertionResult ClickTitle(RkMenuBar* bar, int id, Script& script,
                                    int timeoutMs = 60000);
// Opens the title's menu and runs its n-th item with the keys, then
// `afterwards` once `ready` holds (a dialog the item opens is on screen).
testing::AssertionResult Choose(RkMenuBar* bar, int titleId, int n,
                                const std::string& what = {}, std::function<bool()> ready = {},
                                std::function<void()> afterwards = {});
// Returns once the commands the closed menus queued on the bar were handled.
void WaitForQueuedCommands(RkMenuBar* bar);

}  // namespace menutest
