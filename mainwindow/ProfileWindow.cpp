#include "ProfileWindow.h"

#include "AppSettings.h"
#include "FormatCatalog.h"
#include "ImageUtil.h"
#include "MenuItemArray.h"
#include "MyMenuItem.h"
#include "MyPopupMenu.h"
#include "NotifyCode.h"
#include "ProfileComboBox.h"
#include "PvBitmapButton.h"
#include "PvCheckBox.h"
#include "PvStaticText.h"
#include "ScreenFitText.h"
#include "SettingDialog.h"
#include "StringUtil.h"

#include <wx/dcclient.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

namespace {

constexpr int kSpacing = 8;
const wxPoint kComboPos(62, 2);
const wxSize kComboSize(288, 22);

wxString IdExtension(const wxString& id)
{
    return StringUtil::RegexGroup("\\(\\*(\\.[^)]+)\\)", id, 1);
}

// The id of the first shown group that holds a shown profile: the group of
// the profile that is current at start.
wxString GroupOfFirstShownProfile(const wxXmlDocument& catalog)
{
    if (!catalog.GetRoot())
        return wxEmptyString;
    for (const wxXmlNode* group = catalog.GetRoot()->GetChildren(); group; group = group->GetNext()) {
        if (group->GetType() != wxXML_ELEMENT_NODE || !IsShownNode(group))
            continue;
        for (const wxXmlNode* profile = group->GetChildren(); profile; profile = profile->GetNext())
            if (profile->GetType() == wxXML_ELEMENT_NODE && IsShownNode(profile))
                return group->GetAttribute("id", wxEmptyString);
    }
    return wxEmptyString;
}

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(ProfileWindow, wxPanel);

wxBEGIN_EVENT_TABLE(ProfileWindow, BaseWindow)
    EVT_PAINT(ProfileWindow::OnPaint)

    EVT_TEXT(ProfileWindow::ID_PROFILE_COMBO, ProfileWindow::OnProfileChosen)
    EVT_COMMAND(ProfileWindow::ID_APPLY_TO_ALL, wxEVT_COMMAND_PVCHECKBOX_CLICKED,
                ProfileWindow::OnApplyToAll)
    EVT_BUTTON(ProfileWindow::ID_SETTINGS_BUTTON, ProfileWindow::OpenSettings)
wxEND_EVENT_TABLE()

ProfileWindow::ProfileWindow() = default;

bool ProfileWindow::Create(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                           const wxSize& size, long style, const wxString& name)
{
    if (!BaseWindow::Create(parent, id, skin, pos, size, style, name))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_settings = AppSettings::Get();
    wxBitmap* face = GetShape();
    const wxXmlDocument* catalog = m_settings ? m_settings->catalog : nullptr;

    wxFont labelFont = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    labelFont.SetPointSize(10);
    labelFont.SetWeight(wxFONTWEIGHT_BOLD);
    m_label = new PvStaticText(this, wxID_ANY, "Profile:", labelFont, nullptr, wxPoint(0, 2));
    m_label->SetBackground(face);

    m_combo = new ProfileComboBox(this, ID_PROFILE_COMBO, kComboPos, kComboSize,
                                  ProfileComboBox::kChooserStyle);
    if (catalog) {
        m_combo->SetValue(GetFirstShownProfileAttribute(*catalog, "alias"));
        if (m_settings)
            SetCurrentProfile(GetFirstShownProfileAttribute(*catalog, "id"));
        // The icon of the shown profile's own group, which need not be the
        // first group (an empty "Recent" may come first).
        const wxString group = GroupOfFirstShownProfile(*catalog);
        const MenuItemArray* categories = m_combo->GetPopup()->GetItems();
        for (size_t i = 0; i < categories->GetCount(); ++i)
            if (categories->Item(i)->GetId() == group)
                m_combo->SetBitmap(categories->Item(i)->GetImage());
    }

    wxBitmap* normal = ImageUtil::LoadThemeBitmap("surface/window/settings-normal.png");
    if (!normal)
        normal = new wxBitmap(22, 22);
    const wxPoint buttonPos(kComboPos.x + kComboSize.x + kSpacing, 0);
    m_settingsButton = new PvBitmapButton(this, ID_SETTINGS_BUTTON, buttonPos, normal->GetSize(),
                                          wxBORDER_NONE);
    m_settingsButton->SetBitmapNormal(normal);
    m_settingsButton->SetBitmapCurrent(
        ImageUtil::LoadThemeBitmap("surface/window/settings-current.png"));
    m_settingsButton->SetBitmapPressed(
        ImageUtil::LoadThemeBitmap("surface/window/settings-pressed.png"));
    if (face)
        m_settingsButton->SetBackgroundBitmap(ImageUtil::CropBitmap(
            *face, buttonPos.x, buttonPos.y, normal->GetWidth(), normal->GetHeight()));

    const wxPoint boxPos(buttonPos.x + normal->GetWidth() + kSpacing, 6);
    m_applyToAllBox = new PvCheckBox(this, ID_APPLY_TO_ALL, "Apply to All", boxPos,
                                     wxDefaultSize, wxBORDER_NONE);
    wxFont boxFont = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    boxFont.SetWeight(wxFONTWEIGHT_BOLD);
    m_applyToAllBox->SetFont(boxFont);
    m_applyToAllBox->SetValue(true);
    m_applyToAllBox->FitToLabel();
    if (face) {
        const wxSize boxSize = m_applyToAllBox->GetSize();
        m_applyToAllBox->SetBackgroundBitmap(
            ImageUtil::CropBitmap(*face, boxPos.x, boxPos.y, boxSize.x, boxSize.y));
    }
    return true;
}

wxString ProfileWindow::ExtensionOfProfile(const wxString& id)
{
    return "." + ExtensionFromLabel(id);
}

void ProfileWindow::SetCurrentProfile(const wxString& id)
{
    m_settings->profileId = id;
    m_settings->idExtension = IdExtension(id);
    // The extension comes from the profile itself, not from the shown alias,
    // which need not end in "(*.ext)".
    m_settings->outputExtension = ExtensionOfProfile(id);
}

void ProfileWindow::Update(PvSubject* subject, void*)
{
    if (subject && subject->GetState() == NOTIFY_OPEN_SETTINGS) {
        wxCommandEvent dummy(wxEVT_BUTTON, ID_SETTINGS_BUTTON);
        OpenSettings(dummy);
    }
}

void ProfileWindow::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (const wxBitmap* face = GetShape())
        dc.DrawBitmap(*face, 0, 0, true);
}

void ProfileWindow::OnProfileChosen(wxCommandEvent& event)
{
    auto* item = static_cast<MyMenuItem*>(event.GetClientData());
    m_combo->SetValue(event.GetString());
    if (!item)
        return;
    if (m_settings)
        SetCurrentProfile(item->GetId());
    if (const MyMenuItem* category = item->GetParent())
        m_combo->SetBitmap(category->GetImage());
    m_combo->Refresh();

    SetState(NOTIFY_PROFILE_CHANGED);
    Notify(nullptr);
}

void ProfileWindow::OnApplyToAll(wxCommandEvent& event)
{
    int applyToAll = 0;
    if (event.GetInt() != 0) {
        const wxString question = "Apply current profile and settings to all?\n";
        const int answer = wxMessageBox(ScreenFitText::ForMessageBox(question, this), "Information",
                                        wxYES_NO | wxICON_QUESTION, this);
        if (answer != wxYES) {
            m_applyToAllBox->SetValue(false);
            return;
        }
        applyToAll = 1;
    }
    SetState(NOTIFY_APPLY_TO_ALL);
    Notify(&applyToAll);
}

void ProfileWindow::OpenSettings(wxCommandEvent&)
{
    SettingDialog dialog(this, wxID_ANY, "Setting", wxDefaultPosition, wxDefaultSize,
                         wxBORDER_NONE | wxFRAME_SHAPED, wxDialogNameStr);
    dialog.ShowModal();
}

wxString ProfileWindow::GetProfileText() const
{
    return m_combo->GetValue();
}

wxString ProfileWindow::GetExtension() const
{
    return m_settings ? m_settings->outputExtension : m_combo->GetExtension();
}

wxString ProfileWindow::GetTransferExtraParam() const
{
    return m_combo->GetTransferExtraParam();
}

bool ProfileWindow::IsApplyToAll() const
{
    return m_applyToAllBox->GetValue();
}

void ProfileWindow::SetProfileText(const wxString& text)
{
    m_combo->SetValue(text);
    m_combo->Refresh();
}
