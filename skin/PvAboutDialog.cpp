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

wxStaticText* PvAboutDialog::AddLine(const wxString& text, const wxFont& font, int y)
{
    const wxSize extent = Extent(this, text, font);
    auto* line = new wxStaticText(this, wxID_ANY, text, wxPoint(CentredX(extent), y));
    line->SetFont(font);
    // GTK keeps the size of the old font: size the label for the new one.
    line->SetSize(extent);
    line->SetBackgroundColour(*wxWHITE);
    return line;
}

void PvAboutDialog::CreateControls()
{
    const wxFont big = GuiFont12();
    auto bottom = [](wxWindow* w) { return w->GetPosition().y + w->GetSize().y + kLineGap; };

    wxStaticText* name = AddLine(GetAppDisplayName() + " ", GetFont(), 160);
    // Measured in the font it is shown in, so that it is centred.
    wxStaticText* version = AddLine("Version: " + GetAppVersion(), big, bottom(name));

    const wxString address = GetWebAddress();
    const wxSize linkSize = Extent(this, address, big);
    auto* link = new wxHyperlinkCtrl();
    link->SetFont(big);
    link->Create(this, wxID_ANY, address, address, wxPoint(CentredX(linkSize), bottom(version)),
                 linkSize, wxHL_DEFAULT_STYLE);
    link->SetBackgroundColour(*wxWHITE);
    link->Bind(wxEVT_HYPERLINK, &PvAboutDialog::OnLink, this);

    AddLine("Copyright (C) " + StringUtil::GetBuildYear() + " " + GetCompanyName() +
                ". All rights reserved.",
            big, bottom(link));
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
