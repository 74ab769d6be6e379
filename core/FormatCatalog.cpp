#include "FormatCatalog.h"

#include <algorithm>

#include <wx/arrstr.h>
#include <wx/log.h>

#include "AppUtil.h"
#include "FileUtil.h"
#include "MyInputStream.h"
#include "StringUtil.h"

namespace {

// Group n of the first match as a number; 0 when there is no match.
double RegexNumber(const wxString& pattern, const wxString& text, size_t n)
{
    double value = 0;
    if (!StringUtil::RegexGroup(pattern, text, n).ToCDouble(&value))
        value = 0;
    return value;
}

wxXmlNode* SkipToElement(wxXmlNode* node)
{
    while (node && node->GetType() != wxXML_ELEMENT_NODE)
        node = node->GetNext();
    return node;
}

// The first profile that `accept` takes, of a shown group and itself shown
// unless `hiddenToo`; null when none.
template <class Accept>
const wxXmlNode* FirstProfile(const wxXmlDocument& document, bool hiddenToo, Accept accept)
{
    for (const wxXmlNode* group = FirstElement(document.GetRoot()); group; group = NextElement(group)) {
        if (!hiddenToo && !IsShownNode(group))
            continue;
        for (const wxXmlNode* profile = FirstElement(group); profile; profile = NextElement(profile))
            if ((hiddenToo || IsShownNode(profile)) && accept(profile))
                return profile;
    }
    return nullptr;
}

template <class Accept>
const wxXmlNode* FirstShownProfile(const wxXmlDocument& document, Accept accept)
{
    return FirstProfile(document, false, accept);
}

void CopyEntry(const wxXmlNode* found, FormatEntry& entry)
{
    entry.seq = found->GetAttribute("seq");
    entry.level = found->GetAttribute("level");
    entry.isShow = found->GetAttribute("isShow");
    entry.id = found->GetAttribute("id");
    entry.alias = found->GetAttribute("alias");
    entry.image = found->GetAttribute("image");
    entry.description = found->GetAttribute("description");
    entry.transfer_extra_param = found->GetAttribute("transfer_extra_param");
}

}  // namespace

wxXmlNode* FirstElement(const wxXmlNode* parent)
{
    return parent ? SkipToElement(parent->GetChildren()) : nullptr;
}

wxXmlNode* NextElement(const wxXmlNode* node)
{
    return node ? SkipToElement(node->GetNext()) : nullptr;
}

const wxXmlNode* FirstChildWithId(const wxXmlNode* parent, const wxString& id)
{
    for (const wxXmlNode* node = FirstElement(parent); node; node = NextElement(node))
        if (node->GetAttribute("id") == id)
            return node;
    return nullptr;
}

wxString GetCatalogFilePath(const wxString& name)
{
    return AppUtil::GetAppRootDir() + "/Plugin/FormatList/" + name;
}

bool LoadCatalogFile(wxXmlDocument& document, const wxString& path)
{
    wxLogNull quiet;
    MyInputStream in(path);
    if (in.IsOk() && document.Load(in, "UTF-8") && document.GetRoot())
        return true;
    document = wxXmlDocument();  // nothing of an earlier load stays
    return false;
}

bool IsShownNode(const wxXmlNode* node)
{
    long value = 0;
    return node && node->GetAttribute("isShow").ToLong(&value, 10) && value != 0;
}

bool FindProfile(const wxXmlDocument& document, const wxString& id, FormatEntry& entry)
{
    const wxXmlNode* found = FirstShownProfile(document, [&](const wxXmlNode* profile) {
        return id.empty() || profile->GetAttribute("id") == id;
    });
    if (!found)
        return false;
    CopyEntry(found, entry);
    return true;
}

bool FindProfileInUse(const wxXmlDocument& document, const wxString& id, FormatEntry& entry)
{
    if (FindProfile(document, id, entry))
        return true;
    if (id.empty())
        return false;
    const wxXmlNode* found = FirstProfile(document, true, [&](const wxXmlNode* profile) {
        return profile->GetAttribute("id") == id;
    });
    if (!found)
        return false;
    CopyEntry(found, entry);
    return true;
}

wxString GetFirstShownProfileAttribute(const wxXmlDocument& document, const wxString& name)
{
    const wxXmlNode* found = FirstShownProfile(document, [](const wxXmlNode*) { return true; });
    return found ? found->GetAttribute(name) : wxString();
}

wxString ExtensionFromLabel(const wxString& text)
{
    return text.AfterLast('.').BeforeFirst(')');
}

ProfileRates ParseProfileRates(const wxString& params)
{
    ProfileRates rates;
    rates.audioKbps = RegexNumber("(-ab) +([0-9]+)(k)", params, 2);
    rates.videoKbps = RegexNumber("(-b) +([0-9]+)(k)", params, 2);
    return rates;
}

double EstimateBytes(const wxString& params, double seconds)
{
    ProfileRates rates = ParseProfileRates(params);
    return (rates.audioKbps + rates.videoKbps) * seconds * 1000 / 8;
}

wxString EstimateOutputSize(const wxXmlDocument& document, const wxString& id, uint64_t seconds)
{
    FormatEntry entry;
    if (!FindProfile(document, id, entry))
        return wxString();
    return FileUtil::FormatByteSize(EstimateBytes(entry.transfer_extra_param, static_cast<double>(seconds)));
}

void SplitClockTime(const wxString& text, long& hours, long& minutes, long& seconds)
{
    wxArrayString parts = wxSplit(text, ':', '\\');
    long* out[] = {&hours, &minutes, &seconds};
    for (size_t i = 0; i < 3; ++i) {
        *out[i] = 0;
        if (i < parts.size() && !parts[i].ToLong(out[i], 10))
            *out[i] = 0;
    }
}

int GetCatalogPopupHeight(const wxString& path)
{
    wxXmlDocument document;
    if (!LoadCatalogFile(document, path))
        return 0;
    return std::min(28 * FileUtil::CountChildNodes(document.GetRoot()) + 25, 475);
}

wxString ReadShownFormats(const wxString& path)
{
    wxXmlDocument document;
    wxString formats;
    if (!LoadCatalogFile(document, path))
        return formats;
    for (const wxXmlNode* node = FirstElement(document.GetRoot()); node; node = NextElement(node))
        if (IsShownNode(node))
            formats << node->GetAttribute("format") << "|";
    return formats;
}

wxXmlNode* FindCatalogProfileNode(const wxString& groupId, const wxString& profileId,
                                  wxXmlDocument& document, const wxString& path)
{
    if (!LoadCatalogFile(document, path))
        return nullptr;
    const wxXmlNode* profile = FirstChildWithId(FirstChildWithId(document.GetRoot(), groupId), profileId);
    return profile ? new wxXmlNode(*profile) : nullptr;
}

wxString LookupMappingValue(const wxString& groupId, const wxString& childId, const wxString& path)
{
    wxXmlDocument document;
    if (!LoadCatalogFile(document, path))
        return wxString();
    for (const wxXmlNode* group = FirstElement(document.GetRoot()); group; group = NextElement(group)) {
        if (group->GetAttribute("id") != groupId)
            continue;
        if (const wxXmlNode* child = FirstChildWithId(group, childId))
            return child->GetAttribute("mapValue");
    }
    return wxString();
}
