// Node lookups over a loaded catalog document.
#pragma once

#include <wx/string.h>
#include <wx/xml/xml.h>

class PvMediaDomain {
public:
    virtual ~PvMediaDomain() = default;

    // The first group whose attribute equals `value`, or else the first
    // profile of that group whose attribute does (each group is tested
    // before its profiles); null when none.
    static wxXmlNode* FindNodeByAttribute(const wxXmlDocument& document, const wxString& value,
                                          const wxString& attribute);

    // Output size of a clock text "hh:mm:ss" of media with the node found by
    // FindNodeByAttribute, as FormatByteSize text; empty when none matches.
    static wxString EstimateOutputSizeByNode(const wxXmlDocument& document, const wxString& clock,
                                             const wxString& value, const wxString& attribute);
};
