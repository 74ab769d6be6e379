// The main frame: the background picture cut into the rectangles of its panes.
#pragma once

#include "FrameBase.h"

#include <wx/gdicmn.h>

#include <vector>

class FrameTESSALINE : public FrameBase {
public:
    enum { ID_MAIN_FRAME = 2000 };

    // One pane's place on the background.
    struct PaneSlot {
        const char* name;
        int id;
        wxRect rect;
        long style;
    };

    FrameTESSALINE();

    // Builds the main window from "surface/base/background.png". The title and
    // size are not used: the frame is titled with the display name and sized
    // to its background. False when the background cannot be loaded or the
    // frame cannot be created.
    bool Create(int id, const wxString& title, const wxSize& size) override;

    // The panes' rectangles, in creation order, on a background of the given size.
    static std::vector<PaneSlot> PaneLayout(const wxSize& background);

private:
    wxDECLARE_DYNAMIC_CLASS(FrameTESSALINE);
    wxDECLARE_EVENT_TABLE();
};
