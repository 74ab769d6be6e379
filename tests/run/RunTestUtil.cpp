#include "RunTestUtil.h"

#include "AppUtil.h"
#include "TestSupport.h"

#include <wx/app.h>
#include <wx/filesys.h>
#include <wx/fs_arc.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <cstdlib>

namespace runtest {

void UseStagedProgramFolder()
{
    static mvtest::TempDir home;
    setenv("HOME", home.path().c_str(), 1);
    AppUtil::SetAppRootDir(wxString::FromUTF8(mvtest::StageDir()));
    wxFileSystem::AddHandler(new wxArchiveFSHandler);
    wxInitAllImageHandlers();
}

void Pump(int ms)
{
    const wxLongLong end = wxGetLocalTimeMillis() + ms;
    while (wxGetLocalTimeMillis() < end) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        wxMilliSleep(5);
    }
}

bool WaitFor(const std::function<bool()>& condition, int ms)
{
    const wxLongLong end = wxGetLocalTimeMillis() + ms;
    while (!condition()) {
        if (wxGetLocalTimeMillis() > end)
            return false;
        Pump(10);
    }
    return true;
}

void Click(wxWindow* window)
{
    wxUIActionSimulator sim;
    const wxRect r = window->GetScreenRect();
    sim.MouseMove(r.x + r.width / 2, r.y + r.height / 2);
    Pump(60);
    sim.MouseClick();
    Pump(100);
}

}  // namespace runtest
