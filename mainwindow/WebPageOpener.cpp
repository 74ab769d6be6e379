#include "WebPageOpener.h"

#include "AppUtil.h"
#include "UrlFetch.h"

#include <wx/msgdlg.h>

const char* const WebPageOpener::kRefusedText =
    "This page's address in option.cfg is not a web address (http or https), so it was not opened.";

bool WebPageOpener::Open(const wxString& url, wxWindow* parent)
{
    if (UrlFetch::IsFetchable(url))
        return AppUtil::OpenWebPage(url);
    wxMessageBox(kRefusedText, GetAppTitle(), wxOK | wxICON_WARNING | wxCENTRE, parent);
    return false;
}
