// The application object: binds the services, loads the format catalog,
// opens the main frame, and at exit writes the catalog back and frees the
// services.
#pragma once

#include "AppSettings.h"
#include "FileStamp.h"

#include <wx/app.h>
#include <wx/intl.h>

struct ServiceExports;

class AppMain : public wxApp {
public:
    AppMain();

    bool OnInit() override;
    int OnExit() override;

    // The exports of the linked service libraries.
    static const ServiceExports& LinkedServices();

    // What the catalog file held when it was loaded, and how many catalog
    // saves this process had made by then.
    struct CatalogOrigin {
        FileStamp stamp;
        unsigned long saveCount = 0;
    };

    // Loads the catalog at `path` into a new document owned by `settings`, and
    // takes the current profile and the default output folder from it. A file
    // that cannot be read leaves a document without a root and empty texts.
    static CatalogOrigin LoadFormatCatalog(AppSettings& settings, const wxString& path);

    // Writes the catalog back to `path` when it holds a root, was changed in
    // memory, and nobody rewrote the file since it was loaded. True when written.
    static bool WriteBackCatalog(const AppSettings& settings, const wxString& path,
                                 const CatalogOrigin& origin);

private:
    void ReleaseAll();

    AppSettings settings;
    wxLocale locale;
    CatalogOrigin catalogOrigin;
};

wxDECLARE_APP(AppMain);
