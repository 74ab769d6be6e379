#include "PropertiesHelper.h"

#include "FileUtil.h"

#include <wx/convauto.h>
#include <wx/log.h>
#include <wx/textfile.h>

namespace {

// The line number whose key equals the given key, or -1.
long FindKey(const wxTextFile& file, const wxString& key)
{
    for (size_t i = 0; i < file.GetLineCount(); ++i) {
        const wxString& line = file.GetLine(i);
        int eq = line.Find('=');
        if (eq != wxNOT_FOUND && line.Left(static_cast<size_t>(eq)) == key)
            return static_cast<long>(i);
    }
    return -1;
}

}  // namespace

wxString PropertiesHelper::GetValue(const wxString& key) const
{
    wxLogNull quiet;
    wxTextFile file;
    if (path.empty() || !FileUtil::FileExists(path) || !file.Open(path, wxConvAuto()))
        return wxString();
    long line = FindKey(file, key);
    return line < 0 ? wxString() : file.GetLine(static_cast<size_t>(line)).AfterFirst('=');
}

bool PropertiesHelper::SetValue(const wxString& key, const wxString& value)
{
    wxLogNull quiet;
    wxTextFile file;
    if (path.empty() || !FileUtil::FileExists(path) || !file.Open(path, wxConvAuto()))
        return false;
    long line = FindKey(file, key);
    if (line < 0)
        return false;
    file[static_cast<size_t>(line)] = key + "=" + value;
    return file.Write(wxTextFileType_None, wxConvUTF8);
}
