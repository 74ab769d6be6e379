#include "MyStaticBitmap.h"

#include "EraseDC.h"
#include "ShapeWindow.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(MyStaticBitmap, wxControl);

wxBEGIN_EVENT_TABLE(MyStaticBitmap, wxControl)
    EVT_PAINT(MyStaticBitmap::OnPaint)
    EVT_ERASE_BACKGROUND(MyStaticBitmap::OnEraseBackground)
wxEND_EVENT_TABLE()

MyStaticBitmap::MyStaticBitmap() = default;

bool MyStaticBitmap::Create(const wxBitmap& image, wxWindow* parent, int id, const wxPoint& pos,
                            const wxSize& size, long style, const wxValidator& validator)
{
    m_image = image;
    if (!wxControl::Create(parent, id, pos, size, style, validator, wxControlNameStr))
        return false;
    SetBackgroundStyle(wxBG_STYLE_ERASE);
    SetInitialSize(size);  // a default size takes the image's
    return true;
}

wxSize MyStaticBitmap::DoGetBestSize() const
{
    return m_image.IsOk() ? m_image.GetSize() : wxSize(0, 0);
}

void MyStaticBitmap::DrawBackground(wxDC& dc) const
{
    const wxSize size = DoGetBestSize();
    if (!m_background || !m_background->IsOk() || size.x <= 0 || size.y <= 0)
        return;
    dc.DrawBitmap(ShapeWindow::CopyPiece(*m_background, wxRect(GetPosition(), size)), 0, 0,
                  false);
}

void MyStaticBitmap::DrawImage(wxDC& dc) const
{
    if (m_image.IsOk())
        dc.DrawBitmap(m_image, 0, 0, true);
}

void MyStaticBitmap::DrawFace(wxDC& dc) const
{
    DrawBackground(dc);
    DrawImage(dc);
}

void MyStaticBitmap::OnEraseBackground(wxEraseEvent& event)
{
    DrawBackground(*EraseDC(event, this));
}

void MyStaticBitmap::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawImage(dc);
}
