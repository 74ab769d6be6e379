#include "CustomizeFrame.h"

#include "CheckedTreeCtrl.h"
#include "ImageUtil.h"
#include "LiveCatalog.h"
#include "PvBitmapButton.h"
#include "PvWindowMove.h"
#include "ScreenFitText.h"

#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/toplevel.h>

namespace {

constexpr long kTreeStyle =
    wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | CheckedTreeCtrl::kMultiCheck;
const wxSize kTreeSize(319, 342);
constexpr int kButtonRow = 400;

}  // namespace

wxIMPLEMENT_ABSTRACT_CLASS(CustomizeFrame, wxPanel);

wxBEGIN_EVENT_TABLE(CustomizeFrame, BaseWindow)
    EVT_PAINT(CustomizeFrame::OnPaint)

    EVT_BUTTON(CustomizeFrame::ID_CHECK_ALL, CustomizeFrame::OnButton)
    EVT_BUTTON(CustomizeFrame::ID_UNCHECK_ALL, CustomizeFrame::OnButton)
    EVT_BUTTON(CustomizeFrame::ID_OK, CustomizeFrame::OnButton)
    EVT_BUTTON(CustomizeFrame::ID_CANCEL, CustomizeFrame::OnButton)
    EVT_BUTTON(CustomizeFrame::ID_CLOSE, CustomizeFrame::OnClose)
    EVT_BUTTON(CustomizeFrame::ID_MINIMIZE, CustomizeFrame::OnMinimize)

    EVT_LEFT_DOWN(CustomizeFrame::OnLeftDown)
    EVT_LEFT_UP(CustomizeFrame::OnLeftUp)
    EVT_MOTION(CustomizeFrame::OnMotion)
    EVT_MOUSE_CAPTURE_LOST(CustomizeFrame::OnCaptureLost)
wxEND_EVENT_TABLE()

CustomizeFrame::CustomizeFrame(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                               const wxSize& size, long style, const wxString& name)
    : BaseWindow(parent, id, skin, pos, size, style, name)
{
    Create();
}

wxSize CustomizeFrame::DoGetBestSize() const
{
    const wxBitmap* skin = GetShape();
    return skin ? skin->GetSize() : wxSize(356, 440);
}

int CustomizeFrame::CreateButton(int id, const wxString& stem, const wxPoint& pos)
{
    wxBitmap* normal = ImageUtil::LoadThemeBitmap("surface/customise/" + stem + ".png");
    const wxSize size = normal ? normal->GetSize() : wxSize(64, 26);
    auto* button = new PvBitmapButton(this, id, pos, size, wxNO_BORDER);
    button->SetBitmapNormal(normal);
    button->SetBitmapCurrent(ImageUtil::LoadThemeBitmap("surface/customise/" + stem + "_over.png"));
    return size.x;
}

bool CustomizeFrame::Create()
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    const int width = GetSize().x;

    const wxBitmap close = ImageUtil::LoadThemeBitmapValue("surface/customise/close.png");
    const int closeWidth = close.IsOk() ? close.GetWidth() : 20;
    const int closeX = width - closeWidth - 10;
    CreateButton(ID_CLOSE, "close", wxPoint(closeX, 5));

    // The caption in the title strip, clear of the close button.
    {
        const wxString caption = "Customize Profile";
        const wxRect box(kCaptionX, kCaptionY, closeX - 4 - kCaptionX, kHeaderHeight - 2 * kCaptionY);
        wxClientDC dc(this);
        const wxFont font = MenuRowPainter::FitFont(
            dc, wxFont(11, wxFONTFAMILY_SWISS, wxFONTSTYLE_ITALIC, wxFONTWEIGHT_BOLD), box.height,
            {caption}, box.width);
        dc.SetFont(font);
        m_caption = {MenuRowPainter::Ellipsize(dc, caption, box.width), font, box};
    }

    m_tree = new CheckedTreeCtrl(this, wxID_ANY, wxPoint((width - 290) / 2 - 13, 40), kTreeSize,
                                 kTreeStyle, wxDefaultValidator, wxTreeCtrlNameStr);

    // Each button's left edge is measured from the one before.
    const int checkAllX = 18;
    CreateButton(ID_CHECK_ALL, "checkall", wxPoint(checkAllX, kButtonRow));
    const int uncheckAllX = checkAllX + 80;
    CreateButton(ID_UNCHECK_ALL, "uncheckall", wxPoint(uncheckAllX, kButtonRow));
    const int okX = uncheckAllX + 100;
    CreateButton(ID_OK, "ok", wxPoint(okX, kButtonRow));
    CreateButton(ID_CANCEL, "cancel", wxPoint(okX + 80, kButtonRow));

    m_tree->ExpandAll();
    m_tree->FitLabels();
    Fit();
    return true;
}

void CustomizeFrame::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (const wxBitmap* skin = GetShape())
        dc.DrawBitmap(*skin, 0, 0, true);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(*wxBLACK);
    MenuRowPainter::DrawText(dc, m_caption);
}

void CustomizeFrame::EndDialog()
{
    if (auto* dialog = dynamic_cast<wxDialog*>(GetParent()))
        if (dialog->IsModal())
            dialog->EndModal(wxID_OK);
}

void CustomizeFrame::OnButton(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case ID_CHECK_ALL:
        m_tree->CheckAll();
        break;
    case ID_UNCHECK_ALL:
        m_tree->UncheckAll();
        break;
    case ID_OK: {
        // A failed save keeps the dialog open with its checks as they are.
        wxString reason;
        if (!m_tree->SaveVisibility(&reason)) {
            const wxString text = LiveCatalog::FailureMessage(reason);
            wxMessageBox(ScreenFitText::ForMessageBox(text, GetParent()), "Customize Profile",
                         wxOK | wxICON_ERROR, GetParent());
            break;
        }
        EndDialog();
        break;
    }
    case ID_CANCEL:
        EndDialog();
        break;
    default:
        break;
    }
}

void CustomizeFrame::OnClose(wxCommandEvent&)
{
    if (wxWindow* dialog = GetParent())
        dialog->Close(true);
}

void CustomizeFrame::OnMinimize(wxCommandEvent&)
{
    if (auto* dialog = dynamic_cast<wxTopLevelWindow*>(GetParent()))
        dialog->Iconize(true);
}

void CustomizeFrame::OnLeftDown(wxMouseEvent& event)
{
    PvWindowMove::BeginMove(GetParent(), this, event, m_dragOffset);
}

void CustomizeFrame::OnMotion(wxMouseEvent& event)
{
    if (event.LeftIsDown())
        PvWindowMove::MoveWindow(GetParent(), this, event, m_dragOffset);
}

void CustomizeFrame::OnLeftUp(wxMouseEvent&)
{
    PvWindowMove::EndMove(GetParent(), this);
}

void CustomizeFrame::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // The capture is gone already: the drag simply ends.
}
