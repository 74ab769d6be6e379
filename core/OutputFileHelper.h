// Output file names that overwrite nothing.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

class OutputFileHelper {
public:
    virtual ~OutputFileHelper() = default;

    // A name for `fileName` in `folder`: the name itself when it is free,
    // else base + "_" + k + "." + extension for the smallest free k >= 1
    // (a name without a dot gets no dot: "name_1"). A name is taken when
    // anything of that name exists in the folder (file, folder, link, hidden
    // or not) or when one of `pathsInUse` (destinations given out earlier in
    // the same run, the sources) lies in the folder with that name.
    // Every name given fits the folder's name limit in the file system's
    // encoding: whole characters are cut from the end of the base where it
    // would not. Empty when the folder is not a readable folder, the name
    // is empty, or not one character of the base would be left.
    // A run that names many files uses UniqueNameRun, which this calls.
    static wxString MakeUniqueFileName(const wxString& folder, const wxString& fileName,
                                       const wxArrayString& pathsInUse = wxArrayString());
};
