// The one seam through which the program acts on the system: power-off and
// opening a folder or a web page with the desktop's handler.
//
// Every action is carried out by starting a program with an argument vector
// (never through a shell). Instead of acting:
//  - when a recorder is installed, the recorder receives the action;
//  - else when the environment variable MEROVANT_ACTION_LOG names a file, one
//    line ("poweroff", "open-folder <path>", "open-url <url>") is appended to it;
//    control characters in the path or address are written escaped (\n, \t,
//    \x01), so that every action stays one line.
#pragma once

#include <functional>
#include <string>
#include <vector>

class SystemActions {
public:
    enum class Kind { PowerOff, OpenFolder, OpenUrl };

    struct Action {
        Kind kind = Kind::PowerOff;
        std::string target;             // the folder or address; empty for power-off
        std::vector<std::string> argv;  // the program and its arguments

        // "poweroff", "open-folder <path>" or "open-url <url>", with the
        // target's control characters escaped.
        std::string LogLine() const;
    };

    // The text with each control character written as \n, \r, \t or \xHH.
    static std::string EscapeControls(const std::string& text);

    using Recorder = std::function<void(const Action&)>;

    // Asks logind to power the machine off: systemctl poweroff.
    static bool PowerOff();
    // Shows a folder in the file manager: xdg-open <folder>.
    static bool OpenFolder(const std::string& folder);
    // Opens a web page in the browser: xdg-open <url>.
    static bool OpenUrl(const std::string& url);

    // The action each call above would carry out, without acting.
    static Action MakeAction(Kind kind, const std::string& target);

    // Installs a recorder that receives every action instead of the system
    // (an empty one removes it). Returns the recorder it replaces.
    static Recorder SetRecorder(Recorder recorder);

    // Starts argv[0], found on PATH, with the arguments as given and does not
    // wait for it. True when the program was started.
    static bool Spawn(const std::vector<std::string>& argv);

private:
    static bool Perform(const Action& action);
    static bool AppendToLog(const std::string& logPath, const std::string& line);
};
