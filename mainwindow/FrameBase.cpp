#include "FrameBase.h"

#include "AppUtil.h"
#include "EventTypes.h"
#include "ImageUtil.h"
#include "OptionDomain.h"
#include "ScreenFitText.h"
#include "ShapeWindow.h"
#include "WebPageOpener.h"

#include <wx/icon.h>
#include <wx/msgdlg.h>
#include <wx/tokenzr.h>

#include <algorithm>

wxIMPLEMENT_DYNAMIC_CLASS(FrameBase, wxFrame);

namespace {

// wxFRAME_SHAPED alone keeps the window manager's title bar and border on GTK;
// the skin draws its own, so the frame asks for none.
constexpr long kFrameStyle = wxDEFAULT_FRAME_STYLE | wxFRAME_SHAPED | wxBORDER_NONE;

}  // namespace

wxBEGIN_EVENT_TABLE(FrameBase, wxFrame)
    EVT_COMMAND(wxID_ANY, EVT_UPDATE_CHECK_RESULT, FrameBase::OnUpdateResult)
wxEND_EVENT_TABLE()

FrameBase::FrameBase() = default;

FrameBase::~FrameBase() = default;

bool FrameBase::Create(int id, const wxString& title, const wxSize& size)
{
    if (!wxFrame::Create(nullptr, id, title, wxDefaultPosition, size,
                         kFrameStyle, wxFrameNameStr))
        return false;
    SetAppIcon(this);
    options = std::make_unique<OptionDomain>(GetOptionFilePath());
    options->Load();
    return true;
}

bool FrameBase::SetRoundedShape(int width, int height, double radius)
{
    return ShapeWindow::SetRoundedShape(this, wxSize(width, height), radius);
}

void FrameBase::Refresh(bool, const wxRect*) {}

void FrameBase::SetAppIcon(wxTopLevelWindow* window)
{
    const wxBitmap picture = ImageUtil::LoadThemeBitmapValue("application/application.png");
    if (!picture.IsOk())
        return;
    wxIcon icon;
    icon.CopyFromBitmap(picture);
    window->SetIcon(icon);
}

namespace {

// A run of ASCII digits as a number of any length: without its leading
// zeros, the longer is the larger, and of two as long the one that sorts later.
int CompareDigits(const wxString& a, const wxString& b)
{
    const size_t za = std::min(a.find_first_not_of('0'), a.length());
    const size_t zb = std::min(b.find_first_not_of('0'), b.length());
    const wxString x = a.Mid(za);
    const wxString y = b.Mid(zb);
    if (x.length() != y.length())
        return x.length() < y.length() ? -1 : 1;
    return x.compare(y);
}

bool IsDigits(const wxString& text)
{
    if (text.empty())
        return false;
    for (const wxUniChar c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

}  // namespace

bool FrameBase::IsNewerVersion(const wxString& latest, const wxString& current)
{
    wxStringTokenizer a(latest.Strip(wxString::both), ".");
    wxStringTokenizer b(current.Strip(wxString::both), ".");
    while (a.HasMoreTokens() || b.HasMoreTokens()) {
        const wxString x = a.HasMoreTokens() ? a.GetNextToken() : wxString("0");
        const wxString y = b.HasMoreTokens() ? b.GetNextToken() : wxString("0");
        if (IsDigits(x) && IsDigits(y)) {
            if (const int order = CompareDigits(x, y))
                return order > 0;
        } else if (x != y) {
            return x > y;
        }
    }
    return false;
}

FrameBase::UpdateMessage FrameBase::DescribeUpdateResult(const wxString& latest,
                                                         const wxString& current)
{
    const wxString caption = GetAppTitle();
    UpdateMessage message;
    // Anything but a plain version is a failed check (and no box is sized
    // by a reply's text).
    if (!OptionDomain::IsPlainVersion(latest)) {
        message.text = "Update failed!Please check if the network is available.";
    } else if (IsNewerVersion(latest, current)) {
        message.askToDownload = true;
        message.text = "A new version of " + caption + "(" + latest +
                       ") is available. Click Yes to open download page.";
    } else {
        message.text = "This version of " + caption + "(" + current + ") is the latest version.";
    }
    return message;
}

void FrameBase::OnUpdateResult(wxCommandEvent& event)
{
    const wxString caption = GetAppTitle();
    const UpdateMessage message = DescribeUpdateResult(event.GetString(), GetAppVersion());
    if (!message.askToDownload) {
        wxMessageBox(ScreenFitText::ForMessageBox(message.text), caption, wxOK | wxCENTRE, nullptr);
        return;
    }
    wxMessageDialog dialog(this, ScreenFitText::ForMessageBox(message.text, this), caption,
                           wxYES_NO | wxCENTRE);
    dialog.SetTitle(caption);
    if (dialog.ShowModal() == wxID_YES && options)
        WebPageOpener::Open(options->GetProductPageUrl(), this);
}
