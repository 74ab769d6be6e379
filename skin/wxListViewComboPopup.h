// The drop-down list of PvComboCtrl: plain text items, one chosen by a click.
#pragma once

#include <wx/combo.h>
#include <wx/listctrl.h>

class wxListViewComboPopup : public wxListView, public wxComboPopup {
public:
    wxListViewComboPopup() = default;
    ~wxListViewComboPopup() override;

    void Init() override;
    bool Create(wxWindow* parent) override;
    wxWindow* GetControl() override;
    void SetStringValue(const wxString& text) override;
    wxString GetStringValue() const override;
    wxSize GetAdjustedSize(int minWidth, int prefHeight, int maxHeight) override;

    // The row chosen last, -1 before any choice.
    int GetChosen() const { return m_value; }

private:
    void OnMouseMove(wxMouseEvent& event);
    void OnMouseClick(wxMouseEvent& event);

    int m_value = -1;

    wxDECLARE_DYNAMIC_CLASS(wxListViewComboPopup);
    wxDECLARE_EVENT_TABLE();
};
