#include "AppMain.h"

#include "AppServices.h"
#include "AssertLog.h"
#include "AppUtil.h"
#include "CatalogLock.h"
#include "CatalogWriter.h"
#include "FormatCatalog.h"
#include "FrameTESSALINE.h"
#include "ImageUtil.h"
#include "ScreenFitText.h"
#include "ZR_Ct.h"
#include "ZR_Dvd.h"
#include "ZR_Image.h"
#include "ZR_Py.h"

#include <wx/filesys.h>
#include <wx/fs_arc.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/xml/xml.h>

#include <cstdio>

namespace {


wxString CatalogPath()
{
    return GetCatalogFilePath("format_catalog.bin");
}

// Tells the user (and the terminal) why the program cannot start without its skin.
void ReportUnusableSkin(const wxString& problem)
{
    const wxString text = "The skin file\n" + ImageUtil::GetThemeArchivePath() + "\n" + problem +
                          "\n\n" + GetAppDisplayName() + " cannot start without it. Please reinstall the program.";
    fprintf(stderr, "%s\n", static_cast<const char*>(text.utf8_str()));
    wxMessageBox(ScreenFitText::ForMessageBox(text), GetAppTitle(), wxOK | wxICON_ERROR | wxCENTRE,
                 nullptr);
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

    // Without its skin the frame has no size: end here, but still free what
    // was made (the toolkit calls OnExit only after a true OnInit).
    const wxString skinProblem = ImageUtil::DescribeThemeArchiveProblem();
    if (!skinProblem.empty()) {
        ReportUnusableSkin(skinProblem);
        ReleaseAll();
        return false;
    }
    const wxString title = GetAppDisplayName();
    auto* frame = new FrameTESSALINE;
    SetTopWindow(frame);
    if (!frame->Create(FrameTESSALINE::ID_MAIN_FRAME, title, wxDefaultSize)) {
        // Without its skin the frame has no size: end here, but still free
        // what was made (the toolkit calls OnExit only after a true OnInit).
        SetTopWindow(nullptr);
        delete frame;
        ReportUnusableSkin("lacks the main window's picture.");
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
    const CatalogLock lock(path);
    if (CatalogWriter::GetSaveCount() != origin.saveCount || FileStamp::Of(path) != origin.stamp)
        return false;
    return CatalogWriter::Save(*settings.catalog, path, 1);
}
