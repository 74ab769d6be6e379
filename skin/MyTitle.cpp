#include "MyTitle.h"

#include "EraseDC.h"
#include "PvWindowMove.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

wxIMPLEMENT_DYNAMIC_CLASS(MyTitle, wxPanel);

wxBEGIN_EVENT_TABLE(MyTitle, wxPanel)
    EVT_PAINT(MyTitle::OnPaint)
    EVT_ERASE_BACKGROUND(MyTitle::OnEraseBackground)
    EVT_LEFT_DOWN(MyTitle::OnLeftDown)
    EVT_LEFT_UP(MyTitle::OnLeftUp)
    EVT_MOTION(MyTitle::OnMotion)
    EVT_MOUSE_CAPTURE_LOST(MyTitle::OnCaptureLost)
wxEND_EVENT_TABLE()

MyTitle::MyTitle() = default;

MyTitle::MyTitle(wxWindow* parent, int id, wxBitmap* skin, wxWindow* moveTarget,
                 const wxPoint& pos, const wxSize& size, long style, const wxString& name)
    : BaseWindow(parent, id, skin, pos, size, style, name), m_moveTarget(moveTarget)
{
    SetBackgroundStyle(wxBG_STYLE_ERASE);
}

wxSize MyTitle::DoGetBestSize() const
{
    const wxBitmap* skin = GetShape();
    return skin && skin->IsOk() ? skin->GetSize() : wxSize(0, 0);
}

void MyTitle::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxBitmap* skin = GetShape();
    if (skin && skin->IsOk())
        dc.DrawBitmap(*skin, 0, 0, true);
}

void MyTitle::OnEraseBackground(wxEraseEvent& event)
{
    EraseDC dc(event, this);
    const wxSize size = GetBestSize();
    auto* parentShape = dynamic_cast<ShapeWindow*>(GetParent());
    const wxBitmap* parentSkin = parentShape ? parentShape->GetShape() : nullptr;
    if (parentSkin && parentSkin->IsOk()) {
        dc->DrawBitmap(ShapeWindow::CopyPiece(*parentSkin, wxRect(GetPosition(), size)), 0, 0,
                       false);
        return;
    }
    const wxColour colour = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    dc->SetBrush(wxBrush(colour));
    dc->SetPen(wxPen(colour, 1, wxPENSTYLE_SOLID));
    dc->DrawRectangle(wxPoint(0, 0), size);
}

void MyTitle::OnLeftDown(wxMouseEvent& event)
{
    if (m_moveTarget)
        PvWindowMove::BeginMove(m_moveTarget, this, event, m_dragOffset);
}

void MyTitle::OnMotion(wxMouseEvent& event)
{
    if (m_moveTarget)
        PvWindowMove::MoveWindow(m_moveTarget, this, event, m_dragOffset);
}

void MyTitle::OnLeftUp(wxMouseEvent&)
{
    if (m_moveTarget)
        PvWindowMove::EndMove(m_moveTarget, this);
}

void MyTitle::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // The capture is already gone; without it no motion moves the target,
    // so the drag has ended.
}
