// The option lists of one profile as read from "settings.bin": the entry's
// "id" and ten lists of entries separated by "|". Lists 1 to 8 feed the
// settings editor's choices (video resolution, frame rate, encoder, bit rate;
// audio sample rate, channel, encoder, bit rate); 9 and 10 are only read.
#pragma once

#include <wx/string.h>

class Setting {
public:
    static constexpr int kListCount = 10;

    virtual ~Setting() = default;

    wxString id;
    wxString lists[kListCount];
};
