#include "OutputWindow.h"

#include "AppUtil.h"
#include "ImageUtil.h"
#include "NotifyCode.h"
#include "PvBitmapButton.h"
#include "PvCheckBox.h"
#include "PvStaticText.h"
#include "SkinButton.h"

#include <wx/dcclient.h>
#include <wx/dirdlg.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

namespace {

constexpr int kGap = 8;
const wxPoint kLabelPos(0, 2);
const wxPoint kFieldPos(62, 0);
const wxSize kFieldSize(202, 22);
constexpr int kMergeTop = 6;

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(OutputWindow, wxPanel);

wxBEGIN_EVENT_TABLE(OutputWindow, BaseWindow)
    EVT_BUTTON(OutputWindow::ID_BROWSE, OutputWindow::OnBrowse)
    EVT_BUTTON(OutputWindow::ID_OPEN_FOLDER, OutputWindow::OnOpenFolder)

    EVT_PAINT(OutputWindow::OnPaint)
wxEND_EVENT_TABLE()

OutputWindow::OutputWindow() = default;

bool OutputWindow::Create(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                          const wxSize& size, long style, const wxString& name)
{
    if (!BaseWindow::Create(parent, id, skin, pos, size, style, name))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxBitmap* face = GetShape();

    wxFont labelFont = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    labelFont.SetPointSize(10);
    labelFont.SetWeight(wxFONTWEIGHT_BOLD);
    m_label = new PvStaticText(this, wxID_ANY, "Output:", labelFont, nullptr, kLabelPos);
    m_label->SetBackground(face);

    m_field = new wxTextCtrl(this, ID_FOLDER_FIELD, GetUserDataDir(), kFieldPos, kFieldSize,
                             wxTE_READONLY);

    const wxPoint browsePos(kFieldPos.x + kFieldSize.x + kGap, 0);
    m_browse = SkinButton::Create(this, ID_BROWSE, browsePos, face,
                                  "surface/window/browse-normal.png",
                                  "surface/window/browse-current.png",
                                  "surface/window/browse-pressed.png");
    const wxPoint openPos(browsePos.x + m_browse->GetSize().x + kGap, 0);
    m_open = SkinButton::Create(this, ID_OPEN_FOLDER, openPos, face,
                                "surface/window/find-target-normal.png",
                                "surface/window/find-target-current.png",
                                "surface/window/find-target-pressed.png");

    const wxPoint mergePos(openPos.x + m_open->GetSize().x + kGap, kMergeTop);
    m_mergeBox = new PvCheckBox(this, ID_MERGE_BOX, "Merge into One File", mergePos,
                                wxDefaultSize, wxBORDER_NONE);
    wxFont boxFont = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    boxFont.SetWeight(wxFONTWEIGHT_BOLD);
    m_mergeBox->SetFont(boxFont);
    m_mergeBox->FitToLabel();
    if (face) {
        const wxSize boxSize = m_mergeBox->GetSize();
        m_mergeBox->SetBackgroundBitmap(
            ImageUtil::CropBitmap(*face, mergePos.x, mergePos.y, boxSize.x, boxSize.y));
    }
    m_mergeBox->Enable(false);
    m_mergeBox->Hide();
    return true;
}

wxString OutputWindow::GetOutputFolder() const
{
    return m_field ? m_field->GetValue() : wxString();
}

void OutputWindow::SetOutputFolder(const wxString& folder)
{
    m_field->SetValue(folder);
    SetState(NOTIFY_OUTPUT_FOLDER_CHANGED);
    Notify(nullptr);
}

void OutputWindow::OnBrowse(wxCommandEvent&)
{
    wxDirDialog dialog(this, _("Select a output folder"), GetOutputFolder(), 0);
    if (dialog.ShowModal() == wxID_OK)
        SetOutputFolder(dialog.GetPath());
}

void OutputWindow::OnOpenFolder(wxCommandEvent&)
{
    AppUtil::OpenFolderInExplorer(GetOutputFolder());
}

void OutputWindow::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (const wxBitmap* face = GetShape())
        dc.DrawBitmap(*face, 0, 0, true);
}
