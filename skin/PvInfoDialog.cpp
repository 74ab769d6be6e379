#include "PvInfoDialog.h"

#include "EscapeButton.h"
#include "ImageUtil.h"
#include "MouseCapture.h"
#include "PvBitmapButton.h"
#include "PvWindowMove.h"
#include "ShapeWindow.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

wxBEGIN_EVENT_TABLE(PvInfoDialog, wxDialog)
    EVT_PAINT(PvInfoDialog::OnPaint)
    EVT_LEFT_DOWN(PvInfoDialog::OnLeftDown)
    EVT_LEFT_UP(PvInfoDialog::OnLeftUp)
    EVT_MOTION(PvInfoDialog::OnMotion)
    EVT_MOUSE_CAPTURE_LOST(PvInfoDialog::OnCaptureLost)
    EVT_SIZE(PvInfoDialog::OnSize)
    EVT_BUTTON(PvInfoDialog::ID_CLOSE_BUTTON, PvInfoDialog::OnCloseButton)
    EVT_CHAR_HOOK(PvInfoDialog::OnCharHook)
wxEND_EVENT_TABLE()

namespace {

// Stands in for a missing close picture so that the dialog can still close.
wxBitmap* MakeCloseCross(const wxColour& colour)
{
    auto* bitmap = new wxBitmap(14, 14);
    wxMemoryDC dc(*bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(wxPen(colour, 2));
    dc.DrawLine(3, 3, 11, 11);
    dc.DrawLine(11, 3, 3, 11);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

}  // namespace

PvInfoDialog::PvInfoDialog() = default;

PvInfoDialog::~PvInfoDialog()
{
    MouseCapture::ReleaseWithin(this);
    // Children may borrow the background: they go first.
    DestroyChildren();
}

bool PvInfoDialog::Create(wxWindow* parent, int id, const wxString& title, wxBitmap* titleImage,
                          wxBitmap* background, const wxPoint& pos, const wxSize& size, long style,
                          const wxString& name)
{
    m_titleImage.reset(titleImage);
    m_background.reset(background);
    if (!wxDialog::Create(parent, id, title, pos, size, style, name))
        return false;

    CreateCloseButton();
    if (m_background && m_background->IsOk()) {
        SetWindowShape();
        m_closeButton->SetBackgroundBitmap(ImageUtil::CropBitmap(
            *m_background, m_closeButton->GetPosition().x, m_closeButton->GetPosition().y,
            m_closeSize.x, m_closeSize.y));
    }
    if (m_titleImage && m_titleImage->IsOk())
        m_titlePos = wxPoint((size.x - m_titleImage->GetWidth()) / 2, 28);
    CreateControls();
    return true;
}

void PvInfoDialog::CreateCloseButton()
{
    wxBitmap* normal = ImageUtil::LoadThemeBitmap("surface/base/close-normal.png", wxBITMAP_TYPE_PNG);
    wxBitmap* over = ImageUtil::LoadThemeBitmap("surface/base/close-over.png", wxBITMAP_TYPE_PNG);
    if (!normal)
        normal = MakeCloseCross(wxColour(124, 124, 124));
    if (!over)
        over = MakeCloseCross(*wxBLACK);
    m_closeSize = normal->GetSize();
    const wxPoint at(GetSize().x + m_closeOffsetX - m_closeSize.x, m_closeOffsetY);
    m_closeButton = new PvBitmapButton(this, ID_CLOSE_BUTTON, at, m_closeSize, wxBORDER_NONE);
    m_closeButton->SetBitmapNormal(normal)->SetBitmapCurrent(over);
}

void PvInfoDialog::SetWindowShape()
{
    SetShape(ShapeWindow::MakeRoundedRegion(m_background->GetSize(), 9.0));
}

bool PvInfoDialog::Show(bool show)
{
    if (!show)
        MouseCapture::ReleaseWithin(this);
    return wxDialog::Show(show);
}

void PvInfoDialog::ShowCloseButton(bool show)
{
    if (m_closeButton)
        m_closeButton->Show(show);
}

void PvInfoDialog::CreateControls() {}

void PvInfoDialog::DrawFace(wxDC& dc) const
{
    if (m_background && m_background->IsOk())
        dc.DrawBitmap(*m_background, 0, 0, true);
    if (m_titleImage && m_titleImage->IsOk())
        dc.DrawBitmap(*m_titleImage, m_titlePos, true);
}

void PvInfoDialog::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawFace(dc);
}

void PvInfoDialog::OnLeftDown(wxMouseEvent& event)
{
    PvWindowMove::BeginMove(this, this, event, m_dragOffset);
}

void PvInfoDialog::OnMotion(wxMouseEvent& event)
{
    PvWindowMove::MoveWindow(this, this, event, m_dragOffset);
}

void PvInfoDialog::OnLeftUp(wxMouseEvent&)
{
    PvWindowMove::EndMove(this, this);
}

void PvInfoDialog::OnSize(wxSizeEvent&)
{
    // Children sit at fixed places: the toolkit's default would stretch a
    // lone child (the close button) over the whole dialog.
}

void PvInfoDialog::OnCharHook(wxKeyEvent& event)
{
    EscapeButton::OnCharHook(*this, m_closeButton, event);
}

void PvInfoDialog::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // The drag ends: without the capture no motion moves the dialog.
}
