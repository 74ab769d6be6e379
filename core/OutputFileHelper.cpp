#include "OutputFileHelper.h"

#include "UniqueNameRun.h"

wxString OutputFileHelper::MakeUniqueFileName(const wxString& folder, const wxString& fileName,
                                              const wxArrayString& pathsInUse)
{
    UniqueNameRun run;
    for (const wxString& used : pathsInUse)
        run.Reserve(used);
    return run.Find(folder, fileName);
}
