#include "PvAboutDialog.h"

#include "AppUtil.h"
#include "StringUtil.h"

#include <wx/hyperlink.h>
#include <wx/settings.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(PvAboutDialog, wxDialog);

wxBEGIN_EVENT_TABLE(PvAboutDialog, PvInfoDialog)
    EVT_BUTTON(wxID_OK, PvAboutDialog::OnCloseButton)
wxEND_EVENT_TABLE()

namespace {

constexpr int kLineGap = 10;

wxFont GuiFont12()
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetPointSize(12);
    return font;
}

wxSize Extent(wxWindow* measurer, const wxString& text, const wxFont& font)
{
    int w = 0;
    int h = 0;
    measurer->GetTextExtent(text, &w, &h, nullptr, nullptr, &font);
    return wxSize(w, h);
}

}  // namespace

PvAboutDialog::PvAboutDialog() = default;

wxString PvAboutDialog::GetWebAddress()
{
    return "https://www.tarvelin.example/merovant";
}

int PvAboutDialog::CentredX(const wxSize& extent) const
{
    return (GetSize().x - extent.x) / 2;
}

void PvAboutDialog::CreateControls()
{
    const wxFont own = GetFont();
    const wxFont big = GuiFont12();

    const wxString name = GetAppDisplayName() + " ";
    const wxSize nameSize = Extent(this, name, own);
    auto* line1 = new wxStaticText(this, wxID_ANY, name, wxPoint(CentredX(nameSize), 160));
    line1->SetFont(own);
    line1->SetBackgroundColour(*wxWHITE);

    // Measured in the font it is shown in, so that it is centred.
    const wxString version = "Version: " + GetAppVersion();
    const wxSize versionSize = Extent(this, version, big);
    const int y2 = line1->GetPosition().y + line1->GetSize().y + kLineGap;
    auto* line2 = new wxStaticText(this, wxID_ANY, version, wxPoint(CentredX(versionSize), y2));
    line2->SetFont(big);
    line2->SetBackgroundColour(*wxWHITE);

    const wxString address = GetWebAddress();
    const wxSize linkSize = Extent(this, address, big);
    const int y3 = line2->GetPosition().y + line2->GetSize().y + kLineGap;
    auto* link = new wxHyperlinkCtrl();
    link->SetFont(big);
    link->Create(this, wxID_ANY, address, address, wxPoint(CentredX(linkSize), y3), linkSize,
                 wxHL_DEFAULT_STYLE);
    link->SetBackgroundColour(*wxWHITE);
    link->Bind(wxEVT_HYPERLINK, &PvAboutDialog::OnLink, this);

    const wxString rights = "Copyright (C) " + StringUtil::GetBuildYear() + " " +
                            GetCompanyName() + ". All rights reserved.";
    auto* line4 = new wxStaticText(this, wxID_ANY, rights);
    line4->SetBackgroundColour(*wxWHITE);
    line4->SetFont(big);
    const wxSize rightsSize = Extent(this, rights, big);
    line4->Move(CentredX(rightsSize), link->GetPosition().y + link->GetSize().y + kLineGap);
}

void PvAboutDialog::OnLink(wxHyperlinkEvent& event)
{
    // Through the program's one way of opening pages, not the control's own.
    AppUtil::OpenWebPage(event.GetURL());
}

void PvAboutDialog::OnCloseButton(wxCommandEvent&)
{
    if (IsModal())
        EndModal(wxID_OK);
}
