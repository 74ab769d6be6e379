// The strip of the main window in which the user picks the output profile:
// "Profile:", the profile box, the settings button and "Apply to All". It
// keeps the current profile in AppSettings and tells its observers (the file
// list) with NOTIFY_PROFILE_CHANGED and NOTIFY_APPLY_TO_ALL.
#pragma once

#include "BaseWindow.h"
#include "PaneIds.h"

class MyMenuItem;
class ProfileComboBox;
class PvBitmapButton;
class PvCheckBox;
class PvStaticText;
struct AppSettings;

class ProfileWindow : public BaseWindow {
public:
    enum {
        ID_PROFILE_COMBO = PANE_PROFILE_CHOOSER,
        ID_APPLY_TO_ALL = 2111,
        ID_SETTINGS_BUTTON = 2113,
    };

    ProfileWindow();

    // Takes ownership of skin when the pane is created.
    virtual bool Create(wxWindow* parent, int id, wxBitmap* skin,
                        const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize, long style = wxNO_BORDER,
                        const wxString& name = wxPanelNameStr);

    using BaseWindow::Update;
    // NOTIFY_OPEN_SETTINGS opens the settings dialog; other codes are ignored.
    void Update(PvSubject* subject, void* argument) override;

    // The extension converted files get from a profile id: "." and the text
    // of the id's "(*.ext)".
    static wxString ExtensionOfProfile(const wxString& id);

    wxString GetProfileText() const;
    // The current profile's output extension.
    wxString GetExtension() const;
    wxString GetTransferExtraParam() const;
    bool IsApplyToAll() const;
    void SetProfileText(const wxString& text);

    ProfileComboBox* GetCombo() const { return m_combo; }
    PvCheckBox* GetApplyToAllBox() const { return m_applyToAllBox; }
    PvBitmapButton* GetSettingsButton() const { return m_settingsButton; }

private:
    virtual void OnPaint(wxPaintEvent& event);
    void OnProfileChosen(wxCommandEvent& event);
    void OnApplyToAll(wxCommandEvent& event);
    void OpenSettings(wxCommandEvent& event);
    // Makes the profile with this id current in AppSettings.
    void SetCurrentProfile(const wxString& id);

    PvCheckBox* m_applyToAllBox = nullptr;
    AppSettings* m_settings = nullptr;
    ProfileComboBox* m_combo = nullptr;
    PvStaticText* m_label = nullptr;
    PvBitmapButton* m_settingsButton = nullptr;

    wxDECLARE_DYNAMIC_CLASS(ProfileWindow);
    wxDECLARE_EVENT_TABLE();
};
