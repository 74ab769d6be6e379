#include "MenuTestUtil.h"

#include "ControlsTestUtil.h"
#include "RkMenuBar.h"
#include "RkMenuButton.h"

#include <wx/uiaction.h>

#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace menutest {

void Script::Then(int delayMs, std::function<void()> step)
{
    m_steps.push_back({delayMs, std::move(step)});
}

void Script::Run()
{
    m_next = 0;
    if (!m_steps.empty())
        StartOnce(m_steps.front().delayMs);
}

void Script::Notify()
{
    if (m_next >= m_steps.size())
        return;
    // Advance first: a step may block in a menu loop of its own.
    Step& step = m_steps[m_next++];
    if (m_next < m_steps.size())
        StartOnce(m_steps[m_next].delayMs);
    step.action();
}

void MovePointerTo(wxWindow* win, const wxPoint& clientPt)
{
    wxUIActionSimulator sim;
    sim.MouseMove(win->ClientToScreen(clientPt));
}

void PressKey(int keyCode)
{
    wxUIActionSimulator sim;
    sim.Char(keyCode);
}

namespace {
std::vector<pid_t> g_shots;
}

void ScreenshotLater(const std::string& name)
{
    const char* dir = std::getenv("MV_SCREENSHOT_DIR");
    if (!dir || !*dir)
        return;
    const std::string file = std::string(dir) + "/" + name + ".png";
    char* argv[] = {const_cast<char*>("import"), const_cast<char*>("-window"),
                    const_cast<char*>("root"), const_cast<char*>(file.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "import", nullptr, nullptr, argv, environ) == 0)
        g_shots.push_back(pid);
}

void WaitForScreenshots()
{
    for (pid_t pid : g_shots) {
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0)
            ctest::Pump(20);
    }
    g_shots.clear();
}

RkMenuButton* TitleOf(RkMenuBar* bar, int id)
{
    for (RkMenuButton* title : bar->GetTitles())
        if (title->GetId() == id)
            return title;
    return nullptr;
}

bool ClickTitle(RkMenuBar* bar, int id, Script& script, int timeoutMs)
{
    RkMenuButton* title = TitleOf(bar, id);
    if (!title)
        return false;
    ctest::MoveTo(title, wxPoint(5, 5));
    script.Run();
    wxUIActionSimulator sim;
    sim.MouseClick();
    return ctest::WaitFor([&] { return script.Done() && RkMenuBar::GetTrackedBar() == nullptr; },
                          timeoutMs);
}

}  // namespace menutest
