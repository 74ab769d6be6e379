// Unique output names for a whole run of rows: each folder spelling is
// resolved once and the names taken so far are kept per folder, so a run of
// N names costs O(N log N) however many of them collide.
#pragma once

#include <wx/string.h>

#include <map>
#include <set>
#include <string>
#include <utility>

class UniqueNameRun {
public:
    // A path that no name of this run may take: a source, or a destination
    // given out before.
    void Reserve(const wxString& path);
    // A free name for `fileName` in `folder`, by the rules of
    // OutputFileHelper::MakeUniqueFileName with every reserved path in use;
    // empty when the folder is not a readable folder, the name is empty, or
    // no name of its base fits the folder's name limit.
    wxString Find(const wxString& folder, const wxString& fileName);
    // Find, and the name found is reserved in the folder.
    wxString Take(const wxString& folder, const wxString& fileName);

private:
    // The folder as one spelling: absolute, without "." and "..", links
    // resolved where it exists. Resolved once per spelling.
    const std::string& FolderKey(const std::string& nativeFolder);

    std::map<std::string, std::string> keys_;                 // spelling -> key
    std::map<std::string, std::set<std::string>> reserved_;   // key -> names
    // (key, name) -> the smallest k whose candidate was free when last
    // looked at; every smaller one was taken, and a run only adds names.
    std::map<std::pair<std::string, std::string>, unsigned long> firstFree_;
};
