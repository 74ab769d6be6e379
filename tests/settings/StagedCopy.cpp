#include "StagedCopy.h"

#include "AppUtil.h"
#include "CatalogWriter.h"
#include "FormatCatalog.h"
#include "ProfileTestEnv.h"

#include <wx/app.h>
#include <wx/dir.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/sstream.h>
#include <wx/uiaction.h>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>

namespace stest {

StagedCopy::StagedCopy()
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxInitAllImageHandlers();
    const std::string stage = mvtest::StageDir();
    if (stage.empty() || !mvtest::FileExists(stage + "/Plugin/FormatList/format_catalog.bin") ||
        !mvtest::FileExists(stage + "/Themes/default.zip")) {
        ADD_FAILURE() << "no staged program folder in MV_STAGE_DIR";
        return;
    }
    const std::string root = m_dir.path();
    mvtest::Run({"cp", "-r", stage + "/Plugin", stage + "/Themes", root + "/"});
    AppUtil::SetAppRootDir(wxString::FromUTF8(root));
    m_catalog = std::make_unique<wxXmlDocument>();
    m_ok = LoadCatalogFile(*m_catalog, CatalogPath());
    EXPECT_TRUE(m_ok) << "the copied catalog does not load";
    m_settings.catalog = m_catalog.get();
    FormatEntry first;
    if (FindProfile(*m_catalog, wxString(), first)) {
        m_settings.profileId = first.id;
        m_settings.outputExtension = "." + ExtensionFromLabel(first.id);
        m_settings.idExtension = m_settings.outputExtension;
    }
    wxTheApp->SetClientData(&m_settings);
}

StagedCopy::~StagedCopy()
{
    wxTheApp->SetClientData(nullptr);
    AppUtil::SetAppRootDir(wxEmptyString);
}

wxString StagedCopy::CatalogPath() const
{
    return wxString::FromUTF8(m_dir.path()) + "/Plugin/FormatList/format_catalog.bin";
}

std::unique_ptr<wxXmlDocument> StagedCopy::ReadCatalog() const
{
    auto document = std::make_unique<wxXmlDocument>();
    if (!LoadCatalogFile(*document, CatalogPath()))
        return nullptr;
    return document;
}

void StagedCopy::WriteCatalog(const wxXmlDocument& document) const
{
    ASSERT_TRUE(CatalogWriter::Save(document, CatalogPath(), 1));
}

std::string StagedCopy::CatalogBytes() const
{
    return mvtest::ReadFile(CatalogPath().ToStdString());
}

std::vector<wxString> StagedCopy::FolderFiles() const
{
    std::vector<wxString> names;
    wxDir dir(wxString::FromUTF8(m_dir.path() + "/Plugin/FormatList"));
    wxString name;
    for (bool more = dir.GetFirst(&name, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN); more;
         more = dir.GetNext(&name))
        names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

wxString XmlText(const wxXmlDocument& document)
{
    wxStringOutputStream out;
    document.Save(out, 1);
    return out.GetString();
}

wxString XmlText(const wxXmlNode* node)
{
    wxXmlDocument document;
    document.SetRoot(new wxXmlNode(*node));
    return XmlText(document);
}

std::vector<wxXmlNode*> Elements(const wxXmlNode* parent)
{
    std::vector<wxXmlNode*> nodes;
    for (wxXmlNode* node = FirstElement(parent); node; node = NextElement(node))
        nodes.push_back(node);
    return nodes;
}

wxXmlNode* Group(const wxXmlDocument& document, const wxString& id)
{
    for (wxXmlNode* group : Elements(document.GetRoot()))
        if (group->GetAttribute("id") == id)
            return group;
    return nullptr;
}

namespace {

void StripShow(wxXmlNode* node)
{
    node->DeleteAttribute("isShow");
    for (wxXmlNode* child : Elements(node))
        StripShow(child);
}

}  // namespace

wxString TextWithoutShow(const wxXmlDocument& document)
{
    wxXmlDocument copy(document);
    StripShow(copy.GetRoot());
    return XmlText(copy);
}

ModalAnswer::ModalAnswer(wxClassInfo* type, Handler handle) : m_type(type), m_handle(std::move(handle))
{
    Register();
}

ModalAnswer::~ModalAnswer()
{
    Unregister();
}

int ModalAnswer::Enter(wxDialog* dialog)
{
    if (!dialog->IsKindOf(m_type))
        return wxID_NONE;
    ++m_seen;
    // Runs once the dialog's own loop is up.
    dialog->CallAfter([this, dialog] {
        const int code = m_handle(dialog);
        if (dialog->IsModal())
            dialog->EndModal(code);
    });
    return wxID_NONE;
}

int RunModal(wxDialog& dialog, const std::function<void()>& during, int limitMs)
{
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        ADD_FAILURE() << "the dialog did not end in time";
        if (dialog.IsModal())
            dialog.EndModal(-1);
    });
    guard.StartOnce(limitMs);
    if (during)
        dialog.CallAfter(during);
    return dialog.ShowModal();
}

void ClickCentre(wxWindow* window)
{
    const wxSize size = window->GetSize();
    ptest::Click(window, wxPoint(size.x / 2, size.y / 2));
}

MessageBoxAnswer::MessageBoxAnswer(const std::string& screenshot) : m_screenshot(screenshot)
{
    m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        if (!m_open)
            return;
        if (!m_screenshot.empty()) {
            ptest::Screenshot(m_screenshot);
            m_screenshot.clear();
        }
        wxUIActionSimulator sim;
        sim.Char(WXK_RETURN);
    });
    m_timer.Start(400);
    Register();
}

MessageBoxAnswer::~MessageBoxAnswer()
{
    Unregister();
}

int MessageBoxAnswer::Enter(wxDialog* dialog)
{
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
        m_messages.push_back(box->GetMessage());
        m_open = dialog;
    }
    return wxID_NONE;
}

void MessageBoxAnswer::Exit(wxDialog* dialog)
{
    if (dialog == m_open)
        m_open = nullptr;
}

struct FileSizeLimit::Saved {
    struct rlimit limit {};
    void (*handler)(int) = nullptr;
};

FileSizeLimit::FileSizeLimit(long bytes) : m_saved(std::make_unique<Saved>())
{
    ::getrlimit(RLIMIT_FSIZE, &m_saved->limit);
    m_saved->handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = m_saved->limit;
    small.rlim_cur = static_cast<rlim_t>(bytes);
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
}

FileSizeLimit::~FileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &m_saved->limit);
    std::signal(SIGXFSZ, m_saved->handler);
}

}  // namespace stest
