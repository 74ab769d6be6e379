#include "EditorsEnv.h"

#include "AppUtil.h"
#include "JobServices.h"

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/timer.h>

#include <map>

namespace edtest {

namespace {

mvtest::TempDir* g_clips = nullptr;

std::string ClipPath(int seconds)
{
    static std::map<int, std::string> made;
    auto it = made.find(seconds);
    if (it != made.end())
        return it->second;
    const std::string path = *g_clips / ("clip" + std::to_string(seconds) + ".mp4");
    EXPECT_TRUE(mvtest::MakeClip(path, seconds, {"-c:v", "libx264", "-preset", "ultrafast"}));
    made[seconds] = path;
    return path;
}

// Runs the steps once the X server shows the dialog (real input sent
// before would land elsewhere), looking every 20 ms.
class StepTimer : public wxTimer {
public:
    StepTimer(wxDialog& dialog, const std::function<void()>& steps) : m_dialog(dialog), m_steps(steps) {}
    void Notify() override
    {
        if (!ctest::OnScreen(&m_dialog)) {
            if (++m_looks < kHangLooks) {
                StartOnce(20);
                return;
            }
            ADD_FAILURE() << "the dialog did not reach the screen";
        } else {
            m_steps();
        }
        if (m_dialog.IsModal()) {
            ADD_FAILURE() << "the steps left the dialog open";
            m_dialog.EndModal(-1);
        }
    }

private:
    static constexpr int kHangLooks = 60000 / 20;
    wxDialog& m_dialog;
    std::function<void()> m_steps;
    int m_looks = 0;
};

}  // namespace

void Environment::SetUp()
{
    g_clips = new mvtest::TempDir();
    AppUtil::SetAppRootDir(wxString::FromUTF8(mvtest::StageDir()));
    mvtest::InstallRealServices();
}

void Environment::TearDown()
{
    mvtest::UninstallServices();
    AppUtil::SetAppRootDir(wxString());
    delete g_clips;
    g_clips = nullptr;
}

ClipJob::ClipJob(int seconds)
{
    media.path = wxString::FromUTF8(ClipPath(seconds));
    media.duration = wxString::Format("00:00:%02d", seconds);
    job.media = &media;
    job.durationSeconds = seconds;
}

int RunModal(wxDialog& dialog, const std::function<void()>& steps)
{
    StepTimer timer(dialog, steps);
    timer.StartOnce(20);
    return dialog.ShowModal();
}

wxColour ScreenPixel(wxWindow* win, const wxPoint& clientPt)
{
    const wxPoint at = win->ClientToScreen(clientPt);
    wxScreenDC screen;
    wxBitmap bitmap(1, 1);
    wxMemoryDC memory(bitmap);
    memory.Blit(0, 0, 1, 1, &screen, at.x, at.y);
    memory.SelectObject(wxNullBitmap);
    return ctest::PixelAt(bitmap, 0, 0);
}

}  // namespace edtest
