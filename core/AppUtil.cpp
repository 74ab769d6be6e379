#include "AppUtil.h"

#include "FileUtil.h"
#include "SystemActions.h"
#include "UrlFetch.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>

#include <climits>
#include <unistd.h>

namespace {

// Set once at start-up (or by a test) before any worker thread runs.
wxString& RootOverride()
{
    static wxString folder;
    return folder;
}

wxString WithoutTrailingSlash(wxString path)
{
    while (path.length() > 1 && path.EndsWith("/"))
        path.RemoveLast();
    return path;
}

// The text before the last "/", or the text itself when it has none.
wxString ParentOf(const wxString& path)
{
    int slash = path.Find('/', true);
    if (slash == wxNOT_FOUND)
        return path;
    return slash == 0 ? wxString("/") : path.Left(static_cast<size_t>(slash));
}

}  // namespace

wxString GetAppId()
{
    return "Merovant";
}

wxString GetCompanyName()
{
    return "Tarvelin";
}

wxString GetAppDisplayName()
{
    wxString name("Tarvelin+Merovant");
    name.Replace("+", " ");
    return name;
}

wxString GetAppTitle()
{
    return GetAppDisplayName();
}

wxString GetAppVersion()
{
    return "2.1.9";
}

wxString GetDocumentsFolder()
{
    wxString folder = wxStandardPaths::Get().GetDocumentsDir();
    folder.Replace("\\", "/");
    return WithoutTrailingSlash(folder);
}

wxString GetOptionFilePath()
{
    return AppUtil::GetAppRootDir() + "/option.cfg";
}

wxString MakeUserDataDir(const wxString& suffix)
{
    wxString path = GetDocumentsFolder() + "/" + GetCompanyName() + suffix;
    FileUtil::MakeDir(path, 0777);
    path += "/" + GetAppDisplayName();
    FileUtil::MakeDir(path, 0777);
    return path;
}

wxString GetUserDataDir()
{
    return MakeUserDataDir(wxString());
}

wxString GetUserFilesDir()
{
    return MakeUserDataDir(" files");
}

wxString GetPropertiesFilePath()
{
    return GetUserFilesDir() + "/" + GetAppId() + ".cfg";
}

wxString AppUtil::GetExeDir()
{
    wxString exe;
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0) {
        buffer[n] = '\0';
        exe = FileUtil::FromNative(buffer);
    }
    if (exe.empty())
        exe = wxStandardPaths::Get().GetExecutablePath();
    return ParentOf(exe);
}

wxString AppUtil::GetAppRootDir()
{
    if (!RootOverride().empty())
        return RootOverride();
    return ParentOf(GetExeDir());
}

void AppUtil::SetAppRootDir(const wxString& folder)
{
    RootOverride() = WithoutTrailingSlash(folder);
}

bool AppUtil::OpenFolderInExplorer(const wxString& folder)
{
    // Callers written for backslash paths hand them in; a folder that only
    // exists with "/" in their place is opened that way.
    wxString path = folder;
    if (!wxFileName::DirExists(path) && path.Contains("\\")) {
        wxString slashed = path;
        slashed.Replace("\\", "/");
        if (wxFileName::DirExists(slashed))
            path = slashed;
    }
    return SystemActions::OpenFolder(FileUtil::ToNative(path));
}

bool AppUtil::OpenWebPage(const wxString& url)
{
    if (!UrlFetch::IsFetchable(url))
        return false;
    return SystemActions::OpenUrl(std::string(url.utf8_str()));
}

bool AppUtil::PowerOff()
{
    return SystemActions::PowerOff();
}
