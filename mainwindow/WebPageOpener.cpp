#include "WebPageOpener.h"

#include "AppUtil.h"
#include "ScreenFitText.h"
#include "UrlFetch.h"

#include <wx/msgdlg.h>

const char* const WebPageOpener::kRefusedText =
    "Not opened: its address in option.cfg is not an http or https address.";

bool WebPageOpener::Open(const wxString& url, wxWindow* parent)
{
    if (UrlFetch::IsFetchable(url))
        return AppUtil::OpenWebPage(url);
    wxMessageBox(ScreenFitText::ForMessageBox(kRefusedText, parent), GetAppTitle(), wxOK | wxICON_WARNING | wxCENTRE, parent);
    return false;
}
