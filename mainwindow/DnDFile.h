// Drop target of the file list: dropped files and the files directly inside
// dropped folders go to the list in one AddFiles.
#pragma once

#include <wx/dnd.h>

class SelectWindow;

class DnDFile : public wxFileDropTarget {
public:
    explicit DnDFile(SelectWindow* owner);

    // Always accepts. The files are added once the drop has finished (the
    // probing runs a modal dialog, which must not run inside the drop).
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& names) override;

private:
    SelectWindow* m_owner;
};
