#include "AppMain.h"

#include "AppServices.h"
#include "AssertLog.h"
#include "AppUtil.h"
#include "CatalogWriter.h"
#include "FormatCatalog.h"
#include "FrameTESSALINE.h"
#include "ZR_Ct.h"
#include "ZR_Dvd.h"
#include "ZR_Image.h"
#include "ZR_Py.h"

#include <wx/filesys.h>
#include <wx/fs_arc.h>
#include <wx/image.h>
#include <wx/xml/xml.h>

namespace {

constexpr int ID_MAIN_FRAME = 2000;

wxString CatalogPath()
{
    return GetCatalogFilePath("format_catalog.bin");
}

}  // namespace

AppMain::AppMain() = default;

const ServiceExports& AppMain::LinkedServices()
{
    static const ServiceExports exports = {
        ZRCreateDriverService, ZRFreeDriverService, ZRCreateDvdService, ZRFreeDvdService,
        ZRCreateImageService,  ZRFreeImageService,  ZRCreatePyService,  ZRFreePyService,
        ZRCreateCtService,     ZRFreeCtService,
    };
    return exports;
}

bool AppMain::OnInit()
{
    AssertLog::Install();
    AppServices::Create(LinkedServices());
    catalogOrigin = LoadFormatCatalog(settings, CatalogPath());
    SetClientData(&settings);

    wxFileSystem::AddHandler(new wxArchiveFSHandler);
    wxInitAllImageHandlers();

    const wxString title = GetAppDisplayName();
    auto* frame = new FrameTESSALINE;
    SetTopWindow(frame);
    if (!frame->Create(ID_MAIN_FRAME, title, wxDefaultSize)) {
        // Without its skin the frame has no size: end here, but still free
        // what was made (the toolkit calls OnExit only after a true OnInit).
        SetTopWindow(nullptr);
        delete frame;
        ReleaseAll();
        return false;
    }
    frame->Show(true);
    return true;
}

int AppMain::OnExit()
{
    WriteBackCatalog(settings, CatalogPath(), catalogOrigin);
    ReleaseAll();
    return 0;
}

void AppMain::ReleaseAll()
{
    SetClientData(nullptr);
    delete settings.catalog;
    settings.catalog = nullptr;
    AppServices::Free(LinkedServices());
}

AppMain::CatalogOrigin AppMain::LoadFormatCatalog(AppSettings& settings, const wxString& path)
{
    CatalogOrigin origin;
    origin.saveCount = CatalogWriter::GetSaveCount();
    origin.stamp = FileStamp::Of(path);

    settings.reserved = 0;
    delete settings.catalog;
    settings.catalog = new wxXmlDocument;
    settings.catalogChanged = false;
    if (LoadCatalogFile(*settings.catalog, path)) {
        FormatEntry entry;
        FindProfile(*settings.catalog, wxString(), entry);
        settings.profileId = entry.id;
        settings.outputExtension = "." + ExtensionFromLabel(entry.id);
        settings.defaultOutputFolder = GetUserDataDir();
    }
    return origin;
}

bool AppMain::WriteBackCatalog(const AppSettings& settings, const wxString& path,
                               const CatalogOrigin& origin)
{
    if (!settings.catalog || !settings.catalog->GetRoot() || !settings.catalogChanged)
        return false;
    // An editor's save (in this process or another) wins over the start-up copy.
    if (CatalogWriter::GetSaveCount() != origin.saveCount || FileStamp::Of(path) != origin.stamp)
        return false;
    return CatalogWriter::Save(*settings.catalog, path, 1);
}
