#include "PvFileInfoDialog.h"

#include "FileUtil.h"
#include "MediaInfo.h"
#include "PvStaticText.h"

#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include <cstdint>

wxIMPLEMENT_DYNAMIC_CLASS(PvFileInfoDialog, wxDialog);

wxBEGIN_EVENT_TABLE(PvFileInfoDialog, PvInfoDialog)
    EVT_BUTTON(wxID_OK, PvFileInfoDialog::OnCloseButton)
wxEND_EVENT_TABLE()

namespace {

const wxSize kFieldSize(200, 22);
const int kGroupHeight = 130;

// The record's numbers are shown as their low 32 bits, read as signed.
int Low32(uint64_t value)
{
    return int(int32_t(uint32_t(value)));
}

}  // namespace

PvFileInfoDialog::PvFileInfoDialog() = default;

PvStaticText* PvFileInfoDialog::AddLabel(const wxString& text, const wxPoint& pos, const wxFont& font)
{
    auto* label = new PvStaticText(this, wxID_ANY, text, font, this, pos, wxDefaultSize,
                                   wxBORDER_NONE);
    label->SetBackground(GetBackgroundImage());
    return label;
}

wxTextCtrl* PvFileInfoDialog::AddField(const wxPoint& pos)
{
    return new wxTextCtrl(this, wxID_ANY, wxEmptyString, pos, kFieldSize, wxTE_READONLY);
}

wxTextCtrl* PvFileInfoDialog::AddGroupField(const wxString& label, int y, int fieldX, const wxFont& font)
{
    AddLabel(label, wxPoint(32, y), font);
    return AddField(wxPoint(fieldX, y));
}

void PvFileInfoDialog::AddGroup(const wxString& label, int y)
{
    auto* box = new wxStaticBox(this, wxID_ANY, label, wxPoint(24, y),
                                wxSize(GetClientSize().x - 48, kGroupHeight), 0);
    box->SetBackgroundColour(*wxWHITE);
}

void PvFileInfoDialog::CreateControls()
{
    wxFont bold = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    bold.SetWeight(wxFONTWEIGHT_BOLD);
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetWeight(wxFONTWEIGHT_NORMAL);
    font.SetPointSize(9);

    AddLabel("File Information", wxPoint(20, 6), bold);

    const int y0 = 46;
    PvStaticText* nameLabel = AddLabel("File Name:", wxPoint(24, y0), font);
    const int vx = nameLabel->GetSize().x + 24 + 40;
    m_fileName = AddField(wxPoint(vx, y0));

    const int y1 = y0 + nameLabel->GetSize().y + 10;
    PvStaticText* lengthLabel = AddLabel("Media Length:", wxPoint(24, y1), font);
    m_mediaLength = AddField(wxPoint(vx, y1));

    const int y2 = y1 + lengthLabel->GetSize().y + 10;
    AddGroup("Video", y2);
    m_resolution = AddGroupField("Resolution:", y2 + 28, vx, font);
    m_videoBitRate = AddGroupField("Bit Rate:", y2 + 60, vx, font);
    m_frameRate = AddGroupField("Frame Rate:", y2 + 92, vx, font);

    const int y3 = y2 + kGroupHeight + 10;
    AddGroup("Audio", y3);
    m_sampleRate = AddGroupField("Sample Rate:", y3 + 28, vx, font);
    m_channel = AddGroupField("Channel:", y3 + 60, vx, font);
    m_audioBitRate = AddGroupField("Bit Rate:", y3 + 92, vx, font);
}

void PvFileInfoDialog::SetFileName(const wxString& text) { m_fileName->SetValue(text); }
void PvFileInfoDialog::SetMediaLength(const wxString& text) { m_mediaLength->SetValue(text); }
void PvFileInfoDialog::SetResolution(const wxString& text) { m_resolution->SetValue(text); }
void PvFileInfoDialog::SetVideoBitRate(const wxString& text) { m_videoBitRate->SetValue(text); }
void PvFileInfoDialog::SetFrameRate(const wxString& text) { m_frameRate->SetValue(text); }
void PvFileInfoDialog::SetSampleRate(const wxString& text) { m_sampleRate->SetValue(text); }
void PvFileInfoDialog::SetChannel(const wxString& text) { m_channel->SetValue(text); }
void PvFileInfoDialog::SetAudioBitRate(const wxString& text) { m_audioBitRate->SetValue(text); }

void PvFileInfoDialog::ShowRecord(const MediaInfo& info)
{
    SetFileName(FileUtil::DisplayName(info.fileName));
    SetMediaLength(info.duration);
    SetResolution(wxString::Format("%d x %d", Low32(info.frameWidth), Low32(info.frameHeight)));
    SetVideoBitRate(wxString::Format("%d kbps", Low32(info.videoBitRate) / 1000));
    SetFrameRate(wxString::Format("%d fps", Low32(info.frameRate)));
    SetSampleRate(wxString::Format("%d Hz", Low32(info.sampleRate)));
    SetChannel(wxString::Format("%d ", Low32(info.channel)) + "channel " + info.channelLayout);
    SetAudioBitRate(wxString::Format("%d kbps", Low32(info.audioBitRate) / 1000));
}

void PvFileInfoDialog::OnCloseButton(wxCommandEvent&)
{
    if (IsModal())
        EndModal(0);
}
