// The program's identity texts, its folders and the actions it asks of the
// desktop (through the system-action seam).
#pragma once

#include <wx/string.h>

// Identity texts.
wxString GetAppId();           // "Merovant"
wxString GetCompanyName();     // "Tarvelin"
wxString GetAppDisplayName();  // "Tarvelin Merovant": titles, folder name, update key
wxString GetAppTitle();        // the same as GetAppDisplayName
wxString GetAppVersion();      // "2.1.9"

// Folders and files; every path uses "/" and has no trailing "/".
wxString GetDocumentsFolder();     // the user's documents folder (XDG user dirs)
wxString GetOptionFilePath();      // program folder + "/option.cfg"
// documents + "/" + company + suffix, then + "/" + display name; both
// created with their parents when missing. Returns the path.
wxString MakeUserDataDir(const wxString& suffix);
wxString GetUserDataDir();         // MakeUserDataDir("")
wxString GetUserFilesDir();        // MakeUserDataDir(" files")
wxString GetPropertiesFilePath();  // files folder + "/" + GetAppId() + ".cfg"

class AppUtil {
public:
    virtual ~AppUtil() = default;

    // The folder that holds the executable (from /proc/self/exe).
    static wxString GetExeDir();
    // The program folder: the parent of the executable's folder. It holds
    // Plugin/FormatList/, Themes/default.zip and option.cfg.
    static wxString GetAppRootDir();
    // Replaces the program folder for the rest of the run (tests point it at
    // a staged tree); an empty text goes back to the executable's parent.
    static void SetAppRootDir(const wxString& folder);

    // Shows a folder in the file manager. Returns false when it could not be
    // handed over.
    static bool OpenFolderInExplorer(const wxString& folder);
    // Opens a web page in the browser. Only an http or https address is
    // handed over (never a file:, javascript: or other one): false, and
    // nothing done, for any other.
    static bool OpenWebPage(const wxString& url);
    // Asks the system to power the machine off.
    static bool PowerOff();
};
