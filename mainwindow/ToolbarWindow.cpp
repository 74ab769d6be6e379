#include "ToolbarWindow.h"

#include "ImageUtil.h"
#include "NotifyCode.h"
#include "PvBitmapButton.h"

#include <wx/dcclient.h>

#include <memory>

wxIMPLEMENT_DYNAMIC_CLASS(ToolbarWindow, wxPanel);

namespace {

const ToolbarWindow::Pictures kAddPictures = {"surface/window/toolbar-add-normal.png",
                                              "surface/window/toolbar-add-current.png",
                                              "surface/window/toolbar-add-pressed.png"};
const ToolbarWindow::Pictures kClipPictures = {"surface/window/toolbar-clip-normal.png",
                                               "surface/window/toolbar-clip-current.png",
                                               "surface/window/toolbar-clip-pressed.png"};
const ToolbarWindow::Pictures kEditPictures = {"surface/window/toolbar-edit-normal.png",
                                               "surface/window/toolbar-edit-current.png",
                                               "surface/window/toolbar-edit-pressed.png"};

}  // namespace

wxBEGIN_EVENT_TABLE(ToolbarWindow, BaseWindow)
    EVT_BUTTON(ToolbarWindow::ID_ADD_BUTTON, ToolbarWindow::OnAdd)
    EVT_BUTTON(ToolbarWindow::ID_EDIT_BUTTON, ToolbarWindow::OnEdit)
    EVT_BUTTON(ToolbarWindow::ID_CLIP_BUTTON, ToolbarWindow::OnClip)
    EVT_PAINT(ToolbarWindow::OnPaint)
wxEND_EVENT_TABLE()

ToolbarWindow::ToolbarWindow() = default;

ToolbarWindow::~ToolbarWindow() = default;

bool ToolbarWindow::Create(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                           const wxSize& size, long style, const wxString& name)
{
    if (!BaseWindow::Create(parent, id, skin, pos, size, style, name))
        return false;
    m_add = AddButton(ID_ADD_BUTTON, kAddPictures, 20, false);
    const int clipX = m_add->GetPosition().x + m_add->GetSize().x;
    m_clip = AddButton(ID_CLIP_BUTTON, kClipPictures, clipX, true);
    m_clip->SetToolTip("Clip");
    const int editX = m_clip->GetPosition().x + m_clip->GetSize().x;
    m_edit = AddButton(ID_EDIT_BUTTON, kEditPictures, editX, true);
    m_edit->SetToolTip("Edit");
    m_clip->Show(false);
    m_clip->Disable();
    m_edit->Show(false);
    m_edit->Disable();
    return true;
}

PvBitmapButton* ToolbarWindow::AddButton(int id, const Pictures& pictures, int x, bool withDisabledPicture)
{
    std::unique_ptr<wxBitmap> normal(ImageUtil::LoadThemeBitmap(pictures.normal));
    const wxSize size = normal ? normal->GetSize() : wxSize(0, 0);
    auto* button = new PvBitmapButton(this, id, wxPoint(x, 0), size, wxNO_BORDER);
    if (normal && withDisabledPicture)
        button->SetBitmapDisable(new wxBitmap(normal->ConvertToImage().ConvertToDisabled(255)));
    button->SetBitmapNormal(normal.release());
    button->SetBitmapCurrent(ImageUtil::LoadThemeBitmap(pictures.current));
    button->SetBitmapPressed(ImageUtil::LoadThemeBitmap(pictures.pressed));
    if (GetShape())
        button->SetBackgroundBitmap(ImageUtil::CropBitmap(*GetShape(), x, 0, size.x, size.y));
    return button;
}

void ToolbarWindow::Update(PvSubject* subject, void*)
{
    if (!subject || subject->GetState() != NOTIFY_SELECTION_CHANGED || m_clip->IsEnabled())
        return;
    m_clip->Enable(true);
    m_edit->Enable(true);
}

void ToolbarWindow::SendCode(int code)
{
    SetState(code);
    Notify(nullptr);
}

void ToolbarWindow::OnAdd(wxCommandEvent&)
{
    SendCode(NOTIFY_ADD_FILES);
}

void ToolbarWindow::OnClip(wxCommandEvent&)
{
    SendCode(NOTIFY_CLIP);
}

void ToolbarWindow::OnEdit(wxCommandEvent&)
{
    SendCode(NOTIFY_EDIT);
}

void ToolbarWindow::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (GetShape() && GetShape()->IsOk())
        dc.DrawBitmap(*GetShape(), 0, 0, true);
}
