// The profile settings editor: a second profile chooser ("Format Preset:"),
// eight lists of video and audio options for the current profile (from
// "settings.bin"), and the close, save-as, default, OK and cancel buttons.
// OK makes the chosen profile the program's current one; save-as appends a
// copy of the current profile to "User Defined" in the catalog file. The
// option lists only inform: their selections reach nothing.
//
// The editor reads its own copy of the catalog on a worker thread when it
// first becomes idle and fills the lists when that load has finished.
#pragma once

#include "BaseWindow.h"
#include "Setting.h"

#include <wx/xml/xml.h>

#include <memory>
#include <vector>

class CatalogLoadJob;
class ProfileComboBox;
class wxChoice;
class wxStaticBox;
class wxStaticText;
struct AppSettings;

// A new "subsection" element copying the source profile under a new name:
// seq, level, isShow, id (`id`), alias (`name`), image, description and
// transfer_extra_param; a missing attribute of the source gives "".
wxXmlNode* MakeUserProfileNode(const wxXmlNode* source, const wxString& name, const wxString& id);

class SettingFrame : public BaseWindow {
public:
    enum {
        ID_SETTING_FRAME = 2137,
        ID_CHOOSER = 2199,
        ID_CLOSE = 0,
        ID_SAVE_AS = 1,
        ID_DEFAULT = 2,
        ID_OK = 3,
        ID_CANCEL = 4,
    };
    // The choices in member order.
    enum Choice {
        CHOICE_RESOLUTION,
        CHOICE_FRAME_RATE,
        CHOICE_VIDEO_ENCODER,
        CHOICE_VIDEO_BIT_RATE,
        CHOICE_SAMPLE_RATE,
        CHOICE_CHANNEL,
        CHOICE_AUDIO_ENCODER,
        CHOICE_AUDIO_BIT_RATE,
        CHOICE_COUNT
    };

    SettingFrame();
    // Takes ownership of skin.
    SettingFrame(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                 const wxString& name = wxPanelNameStr);
    ~SettingFrame() override;

    bool Create();

    // Empties the eight choices and fills them from "settings.bin" for the
    // chooser's current text.
    void FillChoices();
    // Reads the lists of the entry whose "id" is the chooser's text. 0 when
    // the file is missing or holds no such entry, -1 when it cannot be parsed,
    // else the number of groups that hold one (the last one wins).
    int LoadOptionLists(const wxString& path);
    // The entries of a list: "a||b|" gives "a", "", "b".
    static wxArrayString SplitOptionList(const wxString& list);

    // Asks for a name and appends the current profile under it to "User
    // Defined" in the catalog file.
    void SaveProfileAs();

    wxChoice* GetChoice(Choice which) const { return m_choices[which]; }
    wxStaticText* GetPresetLabel() const { return m_preset; }
    const std::vector<wxStaticBox*>& GetOptionBoxes() const { return m_boxes; }
    ProfileComboBox* GetChooser() const { return m_combo; }
    const Setting& GetSetting() const { return m_setting; }
    const wxString& GetProfileId() const { return m_profileId; }
    const wxString& GetIdExtension() const { return m_idExtension; }
    const wxString& GetOutputExtension() const { return m_outputExtension; }
    bool IsCatalogLoaded() const { return m_document.GetRoot() != nullptr; }
    // The catalog load started on the first idle event, while anyone holds it.
    std::weak_ptr<CatalogLoadJob> GetLoadJob() const { return m_loadJob; }

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnClose(wxCommandEvent& event);
    void OnSaveProfileAs(wxCommandEvent& event);
    void OnDefault(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnReloadSettings(wxCommandEvent& event);
    void OnFirstIdle(wxIdleEvent& event);
    void OnCatalogLoaded(wxCommandEvent& event);
    void OnProfilePicked(wxCommandEvent& event);

    // The x of a button picture `offset` pixels from the right edge.
    int RightAlignedX(const wxString& stem, int offset) const;
    void CreateButton(int id, const wxString& stem, const wxPoint& pos, bool snapshot);
    void CreateOptionBox(const wxString& label, const wxPoint& pos, const char* const labels[4],
                            int firstChoice);
    // Appends a copy of the profile `sourceAlias` named `name` to "User
    // Defined" of the catalog file as it is now, and takes that file as the
    // own document. False, with the reason, when nothing was saved.
    bool AppendUserProfile(const wxString& sourceAlias, const wxString& name, wxString& reason);
    // A profile id for a copy of `source` made now: the local time, "-n" when
    // another profile of `document` has it already, and the source's "(*.ext)".
    static wxString NewUserProfileId(const wxXmlDocument& document, const wxXmlNode* source);
    void CloseDialog();
    // Appends the entries to the choices in the largest font, by pixel
    // height, in which they all fit a choice's text room; an entry still too
    // wide is cut with "…".
    void FillChoices(const wxArrayString (&entries)[CHOICE_COUNT]);

    bool m_loadStarted = false;
    wxXmlDocument m_document;
    wxString m_catalogPath;
    wxXmlNode* m_userDefined = nullptr;
    wxChoice* m_choices[CHOICE_COUNT] = {};
    // The width a choice leaves for its text.
    int m_choiceTextWidth = 0;
    wxStaticText* m_preset = nullptr;
    std::vector<wxStaticBox*> m_boxes;
    wxPoint m_point;
    Setting m_setting;
    ProfileComboBox* m_combo = nullptr;
    wxString m_profileId;
    wxString m_idExtension;
    wxString m_outputExtension;
    AppSettings* m_settings = nullptr;

    std::shared_ptr<CatalogLoadJob> m_loadJob;

    wxDECLARE_DYNAMIC_CLASS(SettingFrame);
    wxDECLARE_EVENT_TABLE();
};
