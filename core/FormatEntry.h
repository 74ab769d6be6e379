// One profile of the format catalog, each field the attribute of the same name.
#pragma once

#include <wx/string.h>

struct FormatEntry {
    wxString seq;
    wxString level;
    wxString isShow;
    wxString id;
    wxString alias;
    wxString image;
    wxString description;
    wxString transfer_extra_param;
};
