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
    // Empty when the folder is not a readable folder or the name is empty.
    // A run that names many files uses UniqueNameRun, which this calls.
    static wxString MakeUniqueFileName(const wxString& folder, const wxString& fileName,
                                       const wxArrayString& pathsInUse = wxArrayString());
};
