#include "OptionDomain.h"

#include <memory>

#include <wx/app.h>
#include <wx/file.h>
#include <wx/log.h>
#include <wx/url.h>
#include <wx/window.h>

#include "AppUtil.h"
#include "EventTypes.h"

OptionDomain::OptionDomain() = default;

OptionDomain::OptionDomain(const wxString& path) : path(path) {}

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
    wxLogNull quiet;
    wxURL url(updateUrl);
    if (url.GetError() != wxURL_NOERR)
        return;
    url.GetProtocol().SetTimeout(kFetchTimeoutSeconds);

    auto* event = new wxCommandEvent(EVT_UPDATE_CHECK_RESULT, 0);
    std::unique_ptr<wxInputStream> reply(url.GetInputStream());
    if (reply)
        event->SetString(ParseUpdateReply(*reply, GetAppTitle()));

    wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    if (top)
        wxQueueEvent(top, event);
    else
        delete event;
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
