#include "OptionDomain.h"

#include <memory>

#include <wx/app.h>
#include <wx/file.h>
#include <wx/log.h>
#include <wx/filename.h>
#include <wx/mstream.h>
#include <wx/window.h>

#include "AppUtil.h"
#include "EventTypes.h"
#include "UrlFetch.h"

OptionDomain::OptionDomain() : fetch(std::make_unique<UrlFetch>()) {}

OptionDomain::OptionDomain(const wxString& path) : path(path), fetch(std::make_unique<UrlFetch>()) {}

OptionDomain::~OptionDomain() = default;

void OptionDomain::SetPath(const wxString& newPath)
{
    path = newPath;
}

bool OptionDomain::Load()
{
    if (!wxFile::Exists(path))
        return false;
    wxLogNull quiet;
    const wxULongLong size = wxFileName::GetSize(path);
    if (size == wxInvalidSize || size > kMaxFileBytes)
        return false;
    if (!document.Load(path, "UTF-8") || !document.GetRoot())
        return false;
    const wxXmlNode* list = document.GetRoot()->GetChildren();
    wxString* values[] = {&helpUrl, &value2, &supportUrl, &value4, &updateUrl, &productPageUrl};
    size_t taken = 0;
    for (const wxXmlNode* node = list ? list->GetChildren() : nullptr; node && taken < 6;
         node = node->GetNext())
        *values[taken++] = node->GetNodeContent();
    if (taken >= 5)
        updateUrl += "-update.xml";
    return taken == 6;
}

void OptionDomain::CheckForUpdate()
{
    if (fetch->Running())
        return;
    const UrlFetch::Limits limits{kFetchTimeoutSeconds, kMaxReplyBytes, kMaxRedirects};
    fetch->Start(updateUrl, limits, [](bool ok, const std::string& body) {
        auto* event = new wxCommandEvent(EVT_UPDATE_CHECK_RESULT, 0);
        if (ok) {
            wxMemoryInputStream reply(body.data(), body.size());
            event->SetString(ParseUpdateReply(reply, GetAppTitle()));
        }
        wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
        if (top)
            wxQueueEvent(top, event);
        else
            delete event;
    });
}

bool OptionDomain::IsCheckingForUpdate() const
{
    return fetch->Running();
}

wxString OptionDomain::ParseUpdateReply(wxInputStream& reply, const wxString& productName)
{
    wxLogNull quiet;
    wxXmlDocument answer;
    if (!reply.IsOk() || !answer.Load(reply, "UTF-8") || !answer.GetRoot())
        return wxString();
    wxString latest;
    for (const wxXmlNode* node = answer.GetRoot()->GetChildren(); node; node = node->GetNext()) {
        if (node->GetType() != wxXML_ELEMENT_NODE)
            continue;
        for (const wxXmlAttribute* a = node->GetAttributes(); a; a = a->GetNext()) {
            if (a->GetValue() == productName && a->GetNext()) {
                latest = a->GetNext()->GetValue();
                break;
            }
        }
    }
    return latest;
}
