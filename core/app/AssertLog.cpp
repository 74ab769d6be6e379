#include "AssertLog.h"

#include "FileUtil.h"

#include <wx/debug.h>

#include <cstdio>

namespace {

void OnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
              const wxString& msg)
{
    AssertLog::Report(file, line, func, cond, msg);
}

}  // namespace

void AssertLog::Install()
{
    wxSetAssertHandler(OnAssert);
}

wxString AssertLog::Report(const wxString& file, int line, const wxString& func,
                           const wxString& cond, const wxString& msg)
{
    wxString text = wxString::Format("assert at %s:%d in %s: %s", file, line, func, cond);
    if (!msg.empty())
        text += " (" + msg + ")";
    fprintf(stderr, "%s\n", text.utf8_str().data());
    // An assert raised while the log is written only reaches standard error.
    thread_local bool writing = false;
    if (!writing) {
        writing = true;
        FileUtil::WriteLogLine(text);
        writing = false;
    }
    return text;
}
