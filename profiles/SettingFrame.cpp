#include "SettingFrame.h"

#include "AppSettings.h"
#include "AppUtil.h"
#include "CatalogLoadJob.h"
#include "EventTypes.h"
#include "FileUtil.h"
#include "FormatCatalog.h"
#include "ImageUtil.h"
#include "LiveCatalog.h"
#include "MenuRowPainter.h"
#include "MenuItemArray.h"
#include "MyMenuItem.h"
#include "MyPopupMenu.h"
#include "MyTitle.h"
#include "NotifyCode.h"
#include "PaneIds.h"
#include "ProfileComboBox.h"
#include "PvBitmapButton.h"
#include "PvMediaDomain.h"
#include "ScreenFitText.h"
#include "SkinButton.h"
#include "StringUtil.h"
#include "ZR_Tool.h"

#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/statbox.h>
#include <wx/textdlg.h>
#include <wx/tokenzr.h>

#include <cstdlib>
#include <iterator>
#include <vector>

namespace {


const wxPoint kPresetLabel(20, 94);
const wxPoint kVideoBox(20, 130);
const wxPoint kAudioBox(20, 230);
const wxSize kBoxSize(415, 100);
const wxSize kLabelSize(80, 20);
// GTK draws a choice no lower than its theme allows and needs room for its
// arrow: the choices are wider than the labels' grid asks and as high as
// the theme wants, centred on their label.
constexpr int kChoiceWidth = 115;

const char* const kVideoLabels[4] = {"Resolution:", "Frame Rate:", "Encoder:", "Bit Rate:"};
const char* const kAudioLabels[4] = {"Sample Rate:", "Channel:", "Encoder:", "Bit Rate:"};

wxString FormatListPath(const wxString& name)
{
    return AppUtil::GetAppRootDir() + "/Plugin/FormatList/" + name;
}

wxString IdExtensionOf(const wxString& id)
{
    return StringUtil::RegexGroup("\\(\\*(\\.[^)]+)\\)", id, 1);
}

// The local time as 14 digits, year first.
wxString LocalTimeId()
{
    char* text = ZRGetLocalCurrentTime("%Y%m%d%H%M%S", 16);
    if (!text)
        return wxEmptyString;
    const wxString id = wxString::FromUTF8(text);
    std::free(text);
    return id;
}

// The text content of the n-th element child (from 0) of `parent`.
wxString ChildText(const wxXmlNode* parent, int n)
{
    const wxXmlNode* child = FirstElement(parent);
    for (int i = 0; child && i < n; ++i)
        child = NextElement(child);
    return child ? child->GetNodeContent() : wxString();
}

// The label in the largest font, by pixel height, in which its text and
// `alike` (labels that share its font) fit `box`; cut with "…" when even
// the smallest is too wide.
void FitLabel(wxStaticText* label, const wxSize& box, std::vector<wxString> alike = {})
{
    wxClientDC dc(label);
    alike.push_back(label->GetLabel());
    const wxFont font = MenuRowPainter::FitFont(dc, false, box.y, alike, box.x);
    label->SetFont(font);
    dc.SetFont(font);
    label->SetLabel(MenuRowPainter::Ellipsize(dc, label->GetLabel(), box.x));
    // A label sized by its text takes the new text's size at once.
    if (!label->HasFlag(wxST_NO_AUTORESIZE))
        label->SetSize(dc.GetTextExtent(label->GetLabel()));
}

// The picture of the shown category that holds the profile `id`.
wxBitmap* CategoryIcon(const ProfileComboBox* chooser, const wxXmlDocument& catalog, const wxString& id)
{
    const MenuItemArray* categories = chooser->GetPopup() ? chooser->GetPopup()->GetItems() : nullptr;
    if (!categories)
        return nullptr;
    for (const wxXmlNode* group = FirstElement(catalog.GetRoot()); group; group = NextElement(group))
        for (const wxXmlNode* profile = FirstElement(group); profile; profile = NextElement(profile))
            if (profile->GetAttribute("id") == id)
                for (size_t i = 0; i < categories->GetCount(); ++i)
                    if (categories->Item(i)->GetId() == group->GetAttribute("id"))
                        return categories->Item(i)->GetImage();
    return nullptr;
}

bool HasProfileId(const wxXmlDocument& document, const wxString& id)
{
    for (const wxXmlNode* group = FirstElement(document.GetRoot()); group; group = NextElement(group))
        for (const wxXmlNode* profile = FirstElement(group); profile; profile = NextElement(profile))
            if (profile->GetAttribute("id") == id)
                return true;
    return false;
}

}  // namespace

wxXmlNode* MakeUserProfileNode(const wxXmlNode* source, const wxString& name, const wxString& id)
{
    auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, "subsection");
    auto copy = [&](const char* attribute) {
        node->AddAttribute(attribute, source ? source->GetAttribute(attribute) : wxString());
    };
    copy("seq");
    copy("level");
    copy("isShow");
    node->AddAttribute("id", id);
    node->AddAttribute("alias", name);
    copy("image");
    copy("description");
    // Without its parameters the copy would convert with none at all.
    copy("transfer_extra_param");
    return node;
}

wxIMPLEMENT_DYNAMIC_CLASS(SettingFrame, wxPanel);

wxBEGIN_EVENT_TABLE(SettingFrame, BaseWindow)
    EVT_PAINT(SettingFrame::OnPaint)
    EVT_IDLE(SettingFrame::OnFirstIdle)

    EVT_BUTTON(SettingFrame::ID_CLOSE, SettingFrame::OnClose)
    EVT_BUTTON(SettingFrame::ID_SAVE_AS, SettingFrame::OnSaveProfileAs)
    EVT_BUTTON(SettingFrame::ID_DEFAULT, SettingFrame::OnDefault)
    EVT_BUTTON(SettingFrame::ID_OK, SettingFrame::OnOk)
    EVT_BUTTON(SettingFrame::ID_CANCEL, SettingFrame::OnClose)

    EVT_COMMAND(SettingFrame::ID_SETTING_FRAME, EVT_SETTINGS_RELOAD, SettingFrame::OnReloadSettings)
    EVT_COMMAND(wxID_ANY, EVT_CATALOG_LOADED, SettingFrame::OnCatalogLoaded)
    EVT_TEXT(SettingFrame::ID_CHOOSER, SettingFrame::OnProfilePicked)
wxEND_EVENT_TABLE()

SettingFrame::SettingFrame() = default;

SettingFrame::SettingFrame(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                           const wxSize& size, long style, const wxString& name)
    : BaseWindow(parent, id, skin, pos, size, style, name)
{
    Create();
}

SettingFrame::~SettingFrame()
{
    // The worker may still be reading; it must not queue to a window that is gone.
    if (m_loadJob)
        m_loadJob->Detach();
}

wxSize SettingFrame::DoGetBestSize() const
{
    const wxBitmap* skin = GetShape();
    return skin ? skin->GetSize() : wxSize(500, 390);
}

int SettingFrame::RightAlignedX(const wxString& stem, int offset) const
{
    const wxImage picture = ImageUtil::LoadThemeImage("surface/setting/" + stem + ".png");
    return offset + GetSize().x - (picture.IsOk() ? picture.GetWidth() : 24);
}

void SettingFrame::CreateButton(int id, const wxString& stem, const wxPoint& pos, bool snapshot)
{
    wxPoint at = pos;
    // Negative x: measured from the right edge by the button's width.
    if (at.x < 0)
        at.x = RightAlignedX(stem, at.x);
    SkinButton::Create(this, id, at, snapshot ? GetShape() : nullptr,
                       "surface/setting/" + stem + ".png", "surface/setting/" + stem + "_over.png");
}

void SettingFrame::CreateOptionBox(const wxString& label, const wxPoint& pos,
                                      const char* const labels[4], int firstChoice)
{
    auto* box = new wxStaticBox(this, wxID_ANY, label, pos, kBoxSize);
    box->SetBackgroundColour(*wxWHITE);
    m_boxes.push_back(box);
    // Two rows of label and choice, left and right half of the box.
    const int columns[2] = {5, kBoxSize.x / 2 + 5};
    const int rows[2] = {20, 55};
    {
        // The caption stays above the first row.
        wxClientDC dc(box);
        box->SetFont(MenuRowPainter::FitFont(dc, false, rows[0] - 4, {label}, kBoxSize.x / 2));
    }
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column) {
            const int index = row * 2 + column;
            const wxPoint at = pos + wxPoint(columns[column], rows[row]);
            auto* text = new wxStaticText(this, wxID_ANY, labels[index], at, kLabelSize,
                                          wxST_NO_AUTORESIZE);
            text->SetBackgroundColour(*wxWHITE);
            // One font for the labels of both boxes.
            std::vector<wxString> grid(std::begin(kVideoLabels), std::end(kVideoLabels));
            grid.insert(grid.end(), std::begin(kAudioLabels), std::end(kAudioLabels));
            FitLabel(text, kLabelSize, grid);
            const int gap = column == 0 ? 4 : 0;
            auto* choice = new wxChoice(this, wxID_ANY, at + wxPoint(kLabelSize.x + gap, 0));
            const int height = choice->GetBestSize().y;
            choice->SetSize(at.x + kLabelSize.x + gap, at.y + (kLabelSize.y - height) / 2,
                            kChoiceWidth, height);
            // What the theme draws around the text (frame, padding, arrow) is
            // the same for every choice.
            m_choiceTextWidth = kChoiceWidth - (choice->GetSizeFromTextSize(0).x);
            // The lists only inform: shown, but not offered for editing.
            choice->Disable();
            m_choices[firstChoice + index] = choice;
        }
}

bool SettingFrame::Create()
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_settings = AppSettings::Get();
    const int width = GetSize().x;
    const int height = GetSize().y;

    CreateButton(ID_CLOSE, "close", wxPoint(-20, 5), true);
    new MyTitle(this, wxID_ANY, ImageUtil::LoadThemeBitmap("surface/setting/setting_title.png"),
                GetParent(), wxPoint(0, 0), wxDefaultSize, wxBORDER_NONE, wxPanelNameStr);

    m_preset = new wxStaticText(this, wxID_ANY, "Format Preset:", kPresetLabel);
    m_preset->SetBackgroundColour(*wxWHITE);
    const wxSize chooserSize((width / 6) * 3 + 10, 22);
    // The label leaves the chooser room left of the save-as button.
    const int saveAsX = RightAlignedX("saveAs", -30);
    FitLabel(m_preset, wxSize(saveAsX - 4 - chooserSize.x - 2 - kPresetLabel.x, chooserSize.y));

    FormatEntry entry;
    if (m_settings && m_settings->catalog)
        FindProfile(*m_settings->catalog, m_settings->profileId, entry);
    const wxPoint chooserPos(kPresetLabel.x + m_preset->GetSize().x + 2, kPresetLabel.y);
    m_combo = new ProfileComboBox(this, ID_CHOOSER, chooserPos, chooserSize,
                                  ProfileComboBox::kChooserStyle, wxDefaultValidator);
    m_combo->SetValue(entry.alias);
    // The icon of the profile's own category, as in the profile pane.
    if (m_settings && m_settings->catalog)
        if (wxBitmap* icon = CategoryIcon(m_combo, *m_settings->catalog, entry.id))
            m_combo->SetBitmap(icon);

    if (m_settings) {
        m_profileId = m_settings->profileId;
        m_idExtension = m_settings->idExtension;
        m_outputExtension = m_settings->outputExtension;
    }

    CreateButton(ID_SAVE_AS, "saveAs", wxPoint(saveAsX, kPresetLabel.y), false);
    CreateOptionBox("Video", kVideoBox, kVideoLabels, CHOICE_RESOLUTION);
    CreateOptionBox("Audio", kAudioBox, kAudioLabels, CHOICE_SAMPLE_RATE);

    CreateButton(ID_DEFAULT, "default", wxPoint(15, height - 40), true);
    CreateButton(ID_OK, "ok", wxPoint(270, height - 40), true);
    CreateButton(ID_CANCEL, "cancel", wxPoint(355, height - 40), true);
    return true;
}

void SettingFrame::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (const wxBitmap* skin = GetShape())
        dc.DrawBitmap(*skin, 0, 0, true);
}

void SettingFrame::CloseDialog()
{
    if (wxWindow* dialog = GetParent())
        dialog->Close(true);
}

void SettingFrame::OnClose(wxCommandEvent&)
{
    CloseDialog();
}

void SettingFrame::OnDefault(wxCommandEvent&)
{
}

void SettingFrame::OnReloadSettings(wxCommandEvent&)
{
    FillChoices();
}

void SettingFrame::OnFirstIdle(wxIdleEvent& event)
{
    event.Skip();
    if (m_loadStarted)
        return;
    m_loadStarted = true;
    m_loadJob = std::make_shared<CatalogLoadJob>(GetEventHandler(), GetId(),
                                                 FormatListPath("format_catalog.bin"));
    if (!CatalogLoadJob::Start(m_loadJob))
        m_loadJob.reset();
}

void SettingFrame::OnCatalogLoaded(wxCommandEvent&)
{
    if (m_loadJob && m_loadJob->IsFinished()) {
        std::unique_ptr<wxXmlDocument> document = m_loadJob->TakeDocument();
        if (document) {
            m_document.SetRoot(document->DetachRoot());
            m_catalogPath = m_loadJob->GetPath();
            m_userDefined = PvMediaDomain::FindNodeByAttribute(m_document, "User Defined", "id");
        }
    }
    FillChoices();
}

wxArrayString SettingFrame::SplitOptionList(const wxString& list)
{
    wxArrayString entries;
    wxStringTokenizer tokens(list, "|");
    while (tokens.HasMoreTokens())
        entries.Add(tokens.GetNextToken());
    return entries;
}

int SettingFrame::LoadOptionLists(const wxString& path)
{
    if (!ZRIsFileExists(FileUtil::ToNative(path).c_str()))
        return 0;
    wxXmlDocument document;
    if (!LoadCatalogFile(document, path))
        return -1;
    const wxString current = m_combo->GetValue();
    int matches = 0;
    for (const wxXmlNode* group = FirstElement(document.GetRoot()); group; group = NextElement(group)) {
        for (const wxXmlNode* entry = FirstElement(group); entry; entry = NextElement(entry)) {
            if (!entry->HasAttribute("id") || entry->GetAttribute("id") != current)
                continue;
            ++matches;
            m_setting.id = entry->GetAttribute("id");
            // Blocks 1 to 3 hold lists 1-4, 5-8 and 9-10.
            const int perBlock[3] = {4, 4, 2};
            int list = 0;
            const wxXmlNode* block = FirstElement(entry);
            for (int b = 0; b < 3; ++b) {
                for (int i = 0; i < perBlock[b]; ++i)
                    m_setting.lists[list++] = ChildText(block, i);
                block = block ? NextElement(block) : nullptr;
            }
            break;
        }
    }
    return m_setting.id.empty() ? 0 : matches;
}

void SettingFrame::FillChoices()
{
    for (wxChoice* choice : m_choices)
        choice->Clear();
    if (LoadOptionLists(FormatListPath("settings.bin")) <= 0)
        return;
    wxArrayString entries[CHOICE_COUNT];
    for (int i = 0; i < CHOICE_COUNT; ++i)
        entries[i] = SplitOptionList(m_setting.lists[i]);
    FillChoices(entries);
}

void SettingFrame::FillChoices(const wxArrayString (&entries)[CHOICE_COUNT])
{
    // One font for all the lists.
    std::vector<wxString> texts;
    for (const wxArrayString& list : entries)
        texts.insert(texts.end(), list.begin(), list.end());
    wxClientDC dc(m_choices[0]);
    const wxFont font = MenuRowPainter::FitFont(dc, false, kLabelSize.y, texts, m_choiceTextWidth);
    dc.SetFont(font);
    for (int i = 0; i < CHOICE_COUNT; ++i) {
        m_choices[i]->SetFont(font);
        for (const wxString& entry : entries[i])
            m_choices[i]->Append(MenuRowPainter::Ellipsize(dc, entry, m_choiceTextWidth));
        if (!m_choices[i]->IsEmpty())
            m_choices[i]->SetSelection(0);
    }
}

void SettingFrame::OnProfilePicked(wxCommandEvent& event)
{
    m_combo->SetValue(event.GetString());
    auto* item = static_cast<MyMenuItem*>(event.GetClientData());
    if (!item)
        return;
    m_profileId = item->GetId();
    // The extension of the profile itself: an alias need not end in "(*.ext)".
    m_outputExtension = "." + ExtensionFromLabel(m_profileId);
    m_idExtension = IdExtensionOf(m_profileId);
    if (const MyMenuItem* category = item->GetParent())
        m_combo->SetBitmap(category->GetImage());
    m_combo->Refresh();
}

void SettingFrame::OnOk(wxCommandEvent&)
{
    if (m_settings) {
        m_settings->profileId = m_profileId;
        m_settings->outputExtension = m_outputExtension;
        m_settings->idExtension = m_idExtension;
    }
    if (auto* paneChooser = dynamic_cast<ProfileComboBox*>(wxWindow::FindWindowById(PANE_PROFILE_CHOOSER))) {
        paneChooser->SetValue(m_combo->GetValue());
        paneChooser->Refresh();
    }
    if (auto* fileList = dynamic_cast<PvObserver*>(wxWindow::FindWindowById(PANE_FILE_LIST)))
        Attach(fileList);
    SetState(NOTIFY_PROFILE_CHANGED);
    Notify(m_combo);
    CloseDialog();
}

void SettingFrame::OnSaveProfileAs(wxCommandEvent&)
{
    SaveProfileAs();
}

wxString SettingFrame::NewUserProfileId(const wxXmlDocument& document, const wxXmlNode* source)
{
    const wxString stamp = LocalTimeId();
    const wxString extension = IdExtensionOf(source->GetAttribute("id"));
    const wxString suffix = extension.empty() ? wxString() : " (*" + extension + ")";
    wxString id = stamp + suffix;
    for (int n = 2; HasProfileId(document, id); ++n)
        id = wxString::Format("%s-%d%s", stamp, n, suffix);
    return id;
}

bool SettingFrame::AppendUserProfile(const wxString& sourceAlias, const wxString& name,
                                     wxString& reason)
{
    // The file as it is now: the customiser or another running copy of the
    // program may have rewritten it since this editor read it, and
    // appending to the old copy would undo that.
    wxXmlDocument fresh;
    const bool saved = LiveCatalog::Update(
        fresh,
        [&](wxXmlDocument& document, wxString& why) {
            wxXmlNode* userDefined = PvMediaDomain::FindNodeByAttribute(document, "User Defined", "id");
            const wxXmlNode* source = PvMediaDomain::FindNodeByAttribute(document, sourceAlias, "alias");
            if (!userDefined) {
                why = "The catalog has no \"User Defined\" category.";
                return false;
            }
            if (!source || source == userDefined) {
                why = "The catalog holds no profile \"" + sourceAlias + "\" to copy.";
                return false;
            }
            userDefined->AddChild(
                MakeUserProfileNode(source, name, NewUserProfileId(document, source)));
            return true;
        },
        2, &reason);
    if (!saved)
        return false;
    m_document.SetRoot(fresh.DetachRoot());
    m_userDefined = PvMediaDomain::FindNodeByAttribute(m_document, "User Defined", "id");
    return true;
}

void SettingFrame::SaveProfileAs()
{
    const wxString current = m_combo->GetValue();
    // Nothing can be saved before the catalog is loaded.
    if (!m_document.GetRoot())
        return;
    wxString name = current;
    // A save that fails is reported and the name is asked again as typed.
    for (;;) {
        wxTextEntryDialog ask(this, "Please enter new profile's name:\n", "Save Profile As", name,
                              wxOK | wxCANCEL);
        if (ask.ShowModal() != wxID_OK || ask.GetValue().empty())
            return;
        name = ask.GetValue();
        wxString reason;
        if (AppendUserProfile(current, name, reason))
            return;
        wxMessageBox(ScreenFitText::ForMessageBox(LiveCatalog::FailureMessage(reason), this),
                     "Save Profile As", wxOK | wxICON_ERROR, this);
    }
}
