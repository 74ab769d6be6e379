// The probed properties of one source file: name, length, and a "Video" and
// an "Audio" group, in read-only fields; closed by its skinned close button.
#pragma once

#include "PvInfoDialog.h"

class PvStaticText;
class wxTextCtrl;
struct MediaInfo;

class PvFileInfoDialog : public PvInfoDialog {
public:
    PvFileInfoDialog();

    void SetFileName(const wxString& text);
    void SetMediaLength(const wxString& text);
    void SetResolution(const wxString& text);
    void SetVideoBitRate(const wxString& text);
    void SetFrameRate(const wxString& text);
    void SetSampleRate(const wxString& text);
    void SetChannel(const wxString& text);
    void SetAudioBitRate(const wxString& text);

    // Fills every field from the record (numbers as their low 32 bits, bit
    // rates in whole kbps).
    void ShowRecord(const MediaInfo& info);

    wxTextCtrl* GetFileNameField() const { return m_fileName; }
    wxTextCtrl* GetMediaLengthField() const { return m_mediaLength; }
    wxTextCtrl* GetResolutionField() const { return m_resolution; }
    wxTextCtrl* GetVideoBitRateField() const { return m_videoBitRate; }
    wxTextCtrl* GetFrameRateField() const { return m_frameRate; }
    wxTextCtrl* GetSampleRateField() const { return m_sampleRate; }
    wxTextCtrl* GetChannelField() const { return m_channel; }
    wxTextCtrl* GetAudioBitRateField() const { return m_audioBitRate; }

protected:
    void CreateControls() override;
    void OnCloseButton(wxCommandEvent& event) override;

private:
    PvStaticText* AddLabel(const wxString& text, const wxPoint& pos, const wxFont& font);
    wxTextCtrl* AddField(const wxPoint& pos);
    void AddGroup(const wxString& label, int y);
    // A label inside a group box and its field at (fieldX, y).
    wxTextCtrl* AddGroupField(const wxString& label, int y, int fieldX, const wxFont& font);

    wxTextCtrl* m_fileName = nullptr;
    wxTextCtrl* m_mediaLength = nullptr;
    wxTextCtrl* m_resolution = nullptr;
    wxTextCtrl* m_videoBitRate = nullptr;
    wxTextCtrl* m_frameRate = nullptr;
    wxTextCtrl* m_sampleRate = nullptr;
    wxTextCtrl* m_channel = nullptr;
    wxTextCtrl* m_audioBitRate = nullptr;

    wxDECLARE_DYNAMIC_CLASS(PvFileInfoDialog);
    wxDECLARE_EVENT_TABLE();
};
