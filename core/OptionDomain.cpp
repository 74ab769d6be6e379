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

namespace {

// `node` or the first element among its following siblings; null when none.
const wxXmlNode* FirstElement(const wxXmlNode* node)
{
    while (node && node->GetType() != wxXML_ELEMENT_NODE)
        node = node->GetNext();
    return node;
}

// The element's own text: its text and CDATA children joined, so that a
// comment inside a value does not end it.
wxString TextOf(const wxXmlNode* element)
{
    wxString text;
    for (const wxXmlNode* node = element->GetChildren(); node; node = node->GetNext())
        if (node->GetType() == wxXML_TEXT_NODE || node->GetType() == wxXML_CDATA_SECTION_NODE)
            text += node->GetContent();
    return text;
}

void QueueAnswer(wxCommandEvent* event)
{
    wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    if (top)
        wxQueueEvent(top, event);
    else
        delete event;
}

}  // namespace

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
    const wxXmlNode* list = FirstElement(document.GetRoot()->GetChildren());
    wxString* values[] = {&helpUrl, &value2, &supportUrl, &value4, &updateUrl, &productPageUrl};
    size_t taken = 0;
    for (const wxXmlNode* node = FirstElement(list ? list->GetChildren() : nullptr); node && taken < 6;
         node = FirstElement(node->GetNext()))
        *values[taken++] = TextOf(node).Strip(wxString::both);
    if (taken >= 5)
        updateUrl += "-update.xml";
    return taken == 6;
}

void OptionDomain::CheckForUpdate()
{
    if (fetch->Running())
        return;
    const UrlFetch::Limits limits{kFetchTimeoutSeconds, kMaxReplyBytes, kMaxRedirects};
    const bool started = fetch->Start(updateUrl, limits, [](bool ok, const std::string& body) {
        auto* event = new wxCommandEvent(EVT_UPDATE_CHECK_RESULT, 0);
        if (ok) {
            wxMemoryInputStream reply(body.data(), body.size());
            event->SetString(ParseUpdateReply(reply, GetAppTitle()));
        }
        QueueAnswer(event);
    });
    // No address to ask: the same answer as a failed fetch.
    if (!started)
        QueueAnswer(new wxCommandEvent(EVT_UPDATE_CHECK_RESULT, 0));
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
    return IsPlainVersion(latest) ? latest : wxString();
}

bool OptionDomain::IsPlainVersion(const wxString& text)
{
    if (text.empty() || text.length() > kMaxVersionChars)
        return false;
    bool digitBefore = false;
    for (const wxUniChar c : text) {
        if (c == '.') {
            if (!digitBefore)
                return false;
            digitBefore = false;
        } else if (c >= '0' && c <= '9') {
            digitBefore = true;
        } else {
            return false;
        }
    }
    return digitBefore;
}
