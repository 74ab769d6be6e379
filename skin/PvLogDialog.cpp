#include "PvLogDialog.h"

#include "PvStaticText.h"

#include <wx/settings.h>
#include <wx/textctrl.h>

wxIMPLEMENT_DYNAMIC_CLASS(PvLogDialog, wxDialog);

wxBEGIN_EVENT_TABLE(PvLogDialog, PvInfoDialog)
    EVT_BUTTON(wxID_OK, PvLogDialog::OnCloseButton)
wxEND_EVENT_TABLE()

PvLogDialog::PvLogDialog() = default;

PvStaticText* PvLogDialog::AddLabel(const wxString& text, const wxPoint& pos, const wxFont& font)
{
    auto* label = new PvStaticText(this, wxID_ANY, text, font, this, pos, wxDefaultSize,
                                   wxBORDER_NONE);
    label->SetBackground(GetBackgroundImage());
    return label;
}

void PvLogDialog::CreateControls()
{
    const int w = GetSize().x;
    wxFont bold = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    bold.SetWeight(wxFONTWEIGHT_BOLD);
    wxFont small = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    small.SetWeight(wxFONTWEIGHT_NORMAL);
    small.SetPointSize(9);

    AddLabel("Information", wxPoint(20, 6), bold);
    m_count = AddLabel(wxEmptyString, wxPoint(20, 34), small);
    AddLabel("unloaded files:", wxPoint(20, 48), small);
    m_log = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxPoint(20, 68), wxSize(w - 40, 300),
                           wxTE_MULTILINE | wxTE_READONLY);
}

void PvLogDialog::SetFailedCount(int n)
{
    m_count->SetText(wxString::Format("%d files failed.", n));
}

void PvLogDialog::AddLine(const wxString& text)
{
    m_log->AppendText(text);
    m_log->AppendText("\n");
}

void PvLogDialog::OnCloseButton(wxCommandEvent&)
{
    if (IsModal())
        EndModal(0);
}
