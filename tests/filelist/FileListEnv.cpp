#include "FileListEnv.h"

#include "AppServices.h"
#include "NoServices.h"
#include "AppUtil.h"
#include "FormatCatalog.h"
#include "ImageUtil.h"
#include "SelectWindow.h"
#include "ZR_Py.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <map>
#include <memory>

namespace fltest {

const char* const kProfileA = "mp4_h264_1080p (*.mp4)";
const char* const kProfileB = "avi_xvid_720p (*.avi)";

namespace {

ServiceExports PlayerOnly()
{
    ServiceExports e = mvtest::NoServices();
    e.createPyService = ZRCreatePyService;
    e.freePyService = ZRFreePyService;
    return e;
}

}  // namespace

Environment::Environment()
{
    AppUtil::SetAppRootDir(wxString::FromUTF8(mvtest::StageDir()));
    m_ok = LoadCatalogFile(catalog, GetCatalogFilePath("format_catalog.bin"));
    settings.catalog = &catalog;
    UseProfile(kProfileA, ".mp4");
    wxTheApp->SetClientData(&settings);
    AppServices::Create(PlayerOnly());
    m_ok = m_ok && AppServices::Player() != nullptr;
}

Environment::~Environment()
{
    AppServices::Free(PlayerOnly());
    wxTheApp->SetClientData(nullptr);
    settings.catalog = nullptr;
    AppUtil::SetAppRootDir(wxString());
}

void Environment::UseProfile(const wxString& id, const wxString& extension)
{
    settings.profileId = id;
    settings.idExtension = extension;
    settings.outputExtension = extension;
}

Host::Host()
{
    const wxRect rect(10, 108, 502, 320);
    frame = new wxFrame(nullptr, wxID_ANY, "file list", wxPoint(40, 40),
                        wxSize(rect.width + 20, rect.height + 20), wxBORDER_NONE);
    wxBitmap background = ImageUtil::LoadThemeBitmapValue("surface/base/background.png");
    wxBitmap* skin = background.IsOk()
                         ? ImageUtil::CropBitmapNew(background, rect.x, rect.y, rect.width, rect.height)
                         : new wxBitmap(rect.width, rect.height);
    pane = new SelectWindow;
    pane->Create(frame, SelectWindow::ID_SELECT_WINDOW, skin, wxPoint(10, 10), rect.GetSize(),
                 wxNO_BORDER, wxPanelNameStr);
    frame->Show();
    WaitFor([&] { return frame->IsShownOnScreen(); });
    Pump(100);
}

Host::~Host()
{
    frame->Destroy();
    Pump(50);
}

Environment* PaneTest::env = nullptr;

void PaneTest::SetUpTestSuite()
{
    env = new Environment;
}

void PaneTest::TearDownTestSuite()
{
    delete env;
    env = nullptr;
}

void PaneTest::SetUp()
{
    ASSERT_TRUE(env->ok()) << "the staged skin, catalog and player are needed";
    env->UseProfile(kProfileA, ".mp4");
    host = std::make_unique<Host>();
}

void PaneTest::TearDown()
{
    host.reset();
}

ModalCloser::ModalCloser(wxClassInfo* type, Handler handle, Opened opened)
    : m_type(type), m_handle(std::move(handle)), m_opened(std::move(opened))
{
    Register();
    Start(50);
}

ModalCloser::~ModalCloser()
{
    Stop();
    Unregister();
}

int ModalCloser::Enter(wxDialog* dialog)
{
    // A message box is a GTK dialog EndModal cannot end; a hook that answers
    // boxes takes it.
    if (dynamic_cast<wxMessageDialogBase*>(dialog))
        return wxID_NONE;
    if (!dialog->IsKindOf(m_type))
        return wxID_NONE;
    // A GTK file chooser enters twice: as itself and as a dialog.
    if (m_opened && std::find(m_open.begin(), m_open.end(), dialog) == m_open.end())
        m_opened(dialog);
    m_open.push_back(dialog);
    return wxID_NONE;
}

void ModalCloser::Exit(wxDialog* dialog)
{
    m_open.erase(std::remove(m_open.begin(), m_open.end(), dialog), m_open.end());
}

void ModalCloser::Notify()
{
    // The innermost modal dialog first: only it takes input.
    for (auto it = m_open.rbegin(); it != m_open.rend(); ++it) {
        wxDialog* dialog = *it;
        if (!dialog->IsModal())
            continue;
        Stop();
        ++m_seen;
        const int code = m_handle(dialog);
        m_open.erase(std::next(it).base());
        if (code != wxID_NONE)
            dialog->EndModal(code);
        Start(50);
        return;
    }
}

void Recorder::Update(PvSubject* subject, void* argument)
{
    codes.push_back(subject->GetState());
    arguments.push_back(argument);
}

std::string ClipFolder()
{
    static mvtest::TempDir folder;
    return folder.path();
}

std::string Clip(const std::string& name, double seconds)
{
    static std::map<std::string, std::string> made;
    auto it = made.find(name);
    if (it != made.end())
        return it->second;
    const std::string path = ClipFolder() + "/" + name;
    if (!mvtest::MakeClip(path, seconds, {"-c:v", "mpeg4", "-c:a", "aac", "-f", "mp4"}))
        return std::string();
    made[name] = path;
    return path;
}

void Click(wxWindow* win, const wxPoint& clientPt, bool ctrl)
{
    if (!ctrl) {
        ctest::Click(win, clientPt);
        return;
    }
    wxUIActionSimulator sim;
    ctest::MoveTo(win, clientPt);
    sim.KeyDown(WXK_CONTROL);
    Pump(30);
    ctest::Press();
    ctest::Release();
    sim.KeyUp(WXK_CONTROL);
    Pump(60);
}

}  // namespace fltest
