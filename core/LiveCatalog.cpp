#include "LiveCatalog.h"

#include "AppSettings.h"
#include "CatalogLock.h"
#include "CatalogWriter.h"
#include "FormatCatalog.h"

#include <wx/log.h>

wxString LiveCatalog::Path()
{
    return GetCatalogFilePath("format_catalog.bin");
}

namespace {

// Writes under a lock the caller holds.
bool Write(const wxXmlDocument& document, int indent, wxString* reason)
{
    int error = 0;
    if (CatalogWriter::Save(document, LiveCatalog::Path(), indent, &error))
        return true;
    if (reason)
        *reason = wxSysErrorMsgStr(error);
    return false;
}

}  // namespace

bool LiveCatalog::Save(const wxXmlDocument& document, int indent, wxString* reason)
{
    {
        const CatalogLock lock(Path());
        if (!Write(document, indent, reason))
            return false;
    }
    Reload();
    return true;
}

bool LiveCatalog::Update(wxXmlDocument& document, const Edit& edit, int indent, wxString* reason)
{
    wxString why;
    bool saved = false;
    {
        const CatalogLock lock(Path());
        if (!LoadCatalogFile(document, Path()))
            why = UnreadableReason();
        else if (edit(document, why))
            saved = Write(document, indent, &why);
    }
    if (!saved) {
        if (reason)
            *reason = why;
        return false;
    }
    Reload();
    return true;
}

bool LiveCatalog::Reload()
{
    // GUI thread only. No worker reads the catalog meanwhile: the import
    // job runs under its modal loading dialog, so no editor can save then.
    AppSettings* settings = AppSettings::Get();
    if (!settings || !settings->catalog)
        return false;
    wxXmlDocument fresh;
    if (!LoadCatalogFile(fresh, Path()))
        return false;
    settings->catalog->SetRoot(fresh.DetachRoot());
    settings->catalogChanged = false;
    ++settings->catalogGeneration;
    return true;
}

wxString LiveCatalog::FailureMessage(const wxString& reason)
{
    return "The profile catalog could not be saved:\n" + Path() + "\n\n" + reason +
           "\n\nNothing was changed.";
}

wxString LiveCatalog::UnreadableReason()
{
    return "The catalog file cannot be read.";
}
