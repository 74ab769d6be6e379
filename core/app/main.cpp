// Program entry: the toolkit creates the application object through CreateApp.
#include "AppMain.h"

#include <wx/build.h>
#include <wx/init.h>

namespace {

wxAppConsole* CreateApp()
{
    // Ends the program inside the toolkit when it was built with other options.
    wxAppConsoleBase::CheckBuildOptions(WX_BUILD_OPTIONS_SIGNATURE, "your program");
    return new AppMain;
}

const wxAppInitializer appInitializer(CreateApp);

}  // namespace

AppMain& wxGetApp()
{
    return *static_cast<AppMain*>(wxApp::GetInstance());
}

int main(int argc, char** argv)
{
    return wxEntry(argc, argv);
}
