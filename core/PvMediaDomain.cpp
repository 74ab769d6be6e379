#include "PvMediaDomain.h"

#include "FileUtil.h"
#include "FormatCatalog.h"
#include "StringUtil.h"

wxXmlNode* PvMediaDomain::FindNodeByAttribute(const wxXmlDocument& document, const wxString& value,
                                              const wxString& attribute)
{
    for (wxXmlNode* group = FirstElement(document.GetRoot()); group; group = NextElement(group)) {
        if (group->GetAttribute(attribute) == value)
            return group;
        for (wxXmlNode* profile = FirstElement(group); profile; profile = NextElement(profile))
            if (profile->GetAttribute(attribute) == value)
                return profile;
    }
    return nullptr;
}

wxString PvMediaDomain::EstimateOutputSizeByNode(const wxXmlDocument& document, const wxString& clock,
                                                 const wxString& value, const wxString& attribute)
{
    const wxXmlNode* node = FindNodeByAttribute(document, value, attribute);
    if (!node)
        return wxString();
    long hours = 0, minutes = 0, seconds = 0;
    StringUtil::ParseClockTime(clock, hours, minutes, seconds);
    double total = static_cast<double>(hours) * 3600 + minutes * 60 + seconds;
    return FileUtil::FormatByteSize(EstimateBytes(node->GetAttribute("transfer_extra_param"), total));
}
