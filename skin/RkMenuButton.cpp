#include "RkMenuButton.h"

#include "ImageUtil.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/settings.h>

wxIMPLEMENT_DYNAMIC_CLASS(RkMenuButton, wxControl);

wxBEGIN_EVENT_TABLE(RkMenuButton, wxControl)
    EVT_PAINT(RkMenuButton::OnPaint)
    EVT_ENTER_WINDOW(RkMenuButton::OnEnterWindow)
    EVT_LEAVE_WINDOW(RkMenuButton::OnLeaveWindow)
    EVT_LEFT_DOWN(RkMenuButton::OnLeftDown)
wxEND_EVENT_TABLE()

namespace {

// The label's text from its top left corner, its mnemonic letter underlined.
void DrawLabel(wxBitmap& image, const wxString& label, const wxFont& font, const wxColour& colour)
{
    wxString text;
    const int accel = wxControl::FindAccelIndex(label, &text);
    wxMemoryDC dc(image);
    dc.SetFont(font);
    dc.SetTextForeground(colour);
    dc.SetBackgroundMode(wxTRANSPARENT);
    dc.DrawText(text, 0, 0);
    if (accel < 0)
        return;
    // One pixel below the baseline, under the letter alone.
    wxCoord height = 0, descent = 0;
    dc.GetTextExtent(text, nullptr, &height, &descent);
    const int x = dc.GetTextExtent(text.Left(accel)).x;
    const int width = dc.GetTextExtent(text.Mid(accel, 1)).x;
    const int y = height - descent + 1;
    dc.SetPen(wxPen(colour, 1));
    dc.DrawLine(x, y, x + width, y);
}

}  // namespace

RkMenuButton::RkMenuButton()
{
    Init();
}

RkMenuButton::RkMenuButton(wxMenu* menu, const wxString& label, const wxBitmap* barSkin,
                           wxWindow* parent, int id, const wxPoint& pos, long style,
                           const wxValidator& validator)
{
    Init();
    m_menu = menu;
    int textWidth = 0;
    int textHeight = 0;
    {
        // Measured before the control exists, in the font it will have.
        wxMemoryDC measure;
        measure.SetFont(GetFont());
        measure.GetTextExtent(wxControl::RemoveMnemonics(label), &textWidth, &textHeight);
    }
    const int width = textWidth + 8;
    const int height = (barSkin && barSkin->IsOk()) ? barSkin->GetHeight() - 2 : 0;
    if (barSkin && barSkin->IsOk()) {
        m_images[IMAGE_NORMAL] = ImageUtil::CropBitmapNew(*barSkin, pos.x, pos.y, width, height);
        if (m_images[IMAGE_NORMAL]) {
            m_images[IMAGE_OVER] = new wxBitmap(m_images[IMAGE_NORMAL]->GetSubBitmap(
                wxRect(0, 0, width, height)));
            DrawLabel(*m_images[IMAGE_NORMAL], label, GetFont(), *wxBLACK);
            DrawLabel(*m_images[IMAGE_OVER], label, GetFont(), *wxWHITE);
        }
    }
    SetLabel(label);
    Create(parent, id, pos, style, validator);
}

RkMenuButton::~RkMenuButton()
{
    for (wxBitmap*& image : m_images) {
        delete image;
        image = nullptr;
    }
    delete m_menu;
}

wxChar RkMenuButton::GetMnemonic() const
{
    wxString text;
    const int accel = FindAccelIndex(GetLabel(), &text);
    return accel >= 0 ? wxChar(wxToupper(text[accel])) : wxChar(0);
}

void RkMenuButton::Init()
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetPointSize(9);
    SetFont(font);
    m_hover = 0;
    m_hoverAllowed = true;
}

bool RkMenuButton::Create(wxWindow* parent, int id, const wxPoint& pos, long style,
                          const wxValidator& validator)
{
    // The paint handler covers every pixel; no erase, so no flicker.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    const wxSize size = m_images[IMAGE_NORMAL] ? m_images[IMAGE_NORMAL]->GetSize() : wxDefaultSize;
    return wxControl::Create(parent, id, pos, size, style, validator, wxControlNameStr);
}

wxBitmap* RkMenuButton::GetImage(int index) const
{
    return (index >= 0 && index < IMAGE_COUNT) ? m_images[index] : nullptr;
}

void RkMenuButton::SetImage(int index, wxBitmap* image)
{
    if (index < 0 || index >= IMAGE_COUNT || m_images[index] == image)
        return;
    delete m_images[index];
    m_images[index] = image;
}

void RkMenuButton::SetLook(int hover)
{
    m_hover = hover;
    Refresh(true);
    Update();
}

void RkMenuButton::HoverOn()
{
    SetLook(1);
}

void RkMenuButton::HoverOff()
{
    SetLook(0);
}

bool RkMenuButton::Enable(bool enable)
{
    const bool changed = wxControl::Enable(enable);
    Update();
    Refresh(true);
    return changed;
}

wxSize RkMenuButton::DoGetBestSize() const
{
    return m_images[IMAGE_NORMAL] ? m_images[IMAGE_NORMAL]->GetSize() : wxSize(0, 0);
}

void RkMenuButton::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (m_images[IMAGE_NORMAL])
        dc.DrawBitmap(*m_images[IMAGE_NORMAL], 0, 0, true);
    if (!IsEnabled()) {
        if (m_images[IMAGE_DISABLED])
            dc.DrawBitmap(*m_images[IMAGE_DISABLED], 0, 0, true);
    } else if (m_hover == 1 && m_images[IMAGE_OVER]) {
        dc.DrawBitmap(*m_images[IMAGE_OVER], 0, 0, true);
    }
}

void RkMenuButton::OnEnterWindow(wxMouseEvent&)
{
    if (m_hoverAllowed)
        SetLook(1);
}

void RkMenuButton::OnLeaveWindow(wxMouseEvent&)
{
    if (m_hoverAllowed)
        SetLook(0);
}

void RkMenuButton::OnLeftDown(wxMouseEvent&)
{
    wxCommandEvent click(wxEVT_COMMAND_BUTTON_CLICKED, GetId());
    click.SetEventObject(this);
    GetEventHandler()->ProcessEvent(click);
}
