#include "AppSettings.h"

#include <wx/app.h>

AppSettings* AppSettings::Get()
{
    wxAppConsole* app = wxAppConsole::GetInstance();
    return app ? static_cast<AppSettings*>(app->GetClientData()) : nullptr;
}
