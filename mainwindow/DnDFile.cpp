#include "DnDFile.h"

#include "SelectWindow.h"

#include <wx/dir.h>

DnDFile::DnDFile(SelectWindow* owner) : m_owner(owner) {}

bool DnDFile::OnDropFiles(wxCoord, wxCoord, const wxArrayString& names)
{
    wxArrayString paths;
    for (const wxString& name : names) {
        if (wxDir::Exists(name))
            SelectWindow::ListFolderFiles(name, paths);
        else
            paths.Add(name);
    }
    if (!paths.empty() && m_owner)
        m_owner->CallAfter([owner = m_owner, paths] { owner->AddFiles(paths); });
    return true;
}
