// Lists the media files that could not be loaded.
#pragma once

#include "PvInfoDialog.h"

class PvStaticText;
class wxTextCtrl;

class PvLogDialog : public PvInfoDialog {
public:
    PvLogDialog();

    // Count label: "%d files failed.".
    void SetFailedCount(int n);
    // Appends the text and a line break to the log.
    void AddLine(const wxString& text);

    wxTextCtrl* GetLog() const { return m_log; }
    PvStaticText* GetCountLabel() const { return m_count; }

protected:
    void CreateControls() override;
    void OnCloseButton(wxCommandEvent& event) override;

private:
    PvStaticText* AddLabel(const wxString& text, const wxPoint& pos, const wxFont& font);

    wxTextCtrl* m_log = nullptr;
    PvStaticText* m_count = nullptr;

    wxDECLARE_DYNAMIC_CLASS(PvLogDialog);
    wxDECLARE_EVENT_TABLE();
};
