// Settings shared by every pane, owned by the application object and installed
// as its client data.
#pragma once

#include <wx/string.h>

class wxXmlDocument;

struct AppSettings {
    int reserved = 0;
    wxString profileId;            // id of the current output profile
    wxString idExtension;          // "(*.ext)" part of profileId: ".ext"
    wxXmlDocument* catalog = nullptr;  // the catalog loaded at start-up; owned
    wxString outputExtension;      // "." + extension of profileId
    wxString defaultOutputFolder;  // the per-user data folder
    // Set by code that edits `catalog` in memory, so that the exit writes it back.
    bool catalogChanged = false;
    // Counts the times `catalog` was read again after a save (LiveCatalog),
    // so that lists built from it can tell that they are out of date.
    unsigned long catalogGeneration = 0;

    // The record installed as the application's client data; null before
    // start-up (or without an application object).
    static AppSettings* Get();
};
