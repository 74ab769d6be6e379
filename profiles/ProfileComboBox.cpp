#include "ProfileComboBox.h"

#include "AppSettings.h"
#include "FormatCatalog.h"
#include "MenuItemArray.h"
#include "MenuRowPainter.h"
#include "MyMenuItem.h"
#include "MyPopupMenu.h"

#include <wx/frame.h>
#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>

namespace {

constexpr int kPopupWidth = 150;
const wxColour kBorder(124, 124, 124);

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(ProfileComboBox, wxControl);

wxBEGIN_EVENT_TABLE(ProfileComboBox, wxControl)
    EVT_PAINT(ProfileComboBox::OnPaint)
    EVT_LEFT_DOWN(ProfileComboBox::OnLeftDown)
    EVT_LEFT_DCLICK(ProfileComboBox::OnLeftDown)
    EVT_KEY_DOWN(ProfileComboBox::OnKeyDown)
    EVT_SET_FOCUS(ProfileComboBox::OnFocusChange)
    EVT_KILL_FOCUS(ProfileComboBox::OnFocusChange)
    EVT_ENTER_WINDOW(ProfileComboBox::OnEnterWindow)
    EVT_LEAVE_WINDOW(ProfileComboBox::OnLeaveWindow)
wxEND_EVENT_TABLE()

ProfileComboBox::ProfileComboBox() = default;

ProfileComboBox::ProfileComboBox(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                 const wxSize& size, long style, const wxValidator& validator,
                                 const wxString& name)
{
    Create(parent, id, pos, size, style, validator, name);
}

ProfileComboBox::~ProfileComboBox() = default;

bool ProfileComboBox::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                             const wxSize& size, long style, const wxValidator& validator,
                             const wxString& name)
{
    // The combo styles (read-only and the like) mean nothing to this box.
    if (!wxControl::Create(parent, id, pos, size, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE,
                           validator, name))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));

    m_settings = AppSettings::Get();
    if (m_settings && m_settings->catalog)
        m_transferExtraParam =
            GetFirstShownProfileAttribute(*m_settings->catalog, "transfer_extra_param");

    const int height = GetCatalogPopupHeight();
    m_popup = new MyPopupMenu(this, ID_CATEGORY_POPUP, wxEmptyString, wxDefaultPosition,
                              wxSize(kPopupWidth, height), wxBORDER_NONE | wxFRAME_NO_TASKBAR,
                              wxFrameNameStr);
    const MenuItemArray* categories = m_popup->GetItems();
    m_icon = categories && !categories->IsEmpty() ? categories->Item(0)->GetImage() : nullptr;
    m_textIndent = (m_icon ? m_icon->GetWidth() : 0) + 4;
    return true;
}

wxSize ProfileComboBox::DoGetBestSize() const
{
    return wxSize(288, 22);
}

void ProfileComboBox::SetValue(const wxString& value)
{
    m_value = value;
    Refresh(false);
}

wxString ProfileComboBox::GetExtension() const
{
    return "." + ExtensionFromLabel(m_value);
}

wxString ProfileComboBox::GetCategory() const
{
    if (!m_popup)
        return "Recent";
    return m_popup->GetCategory();
}

ProfileComboBox* ProfileComboBox::SetBitmap(wxBitmap* icon)
{
    m_icon = icon;
    return this;
}

wxRect ProfileComboBox::GetButtonRect() const
{
    const wxSize size = GetClientSize();
    const int width = std::min(size.y, size.x);
    return wxRect(size.x - width, 0, width, size.y);
}

MenuRowPainter::Text ProfileComboBox::GetValueText() const
{
    wxClientDC dc(const_cast<ProfileComboBox*>(this));
    const wxSize size = GetClientSize();
    const wxFont font = MenuRowPainter::FitFont(dc, false, size.y - 4);
    dc.SetFont(font);
    const int height = dc.GetCharHeight();
    const wxRect box(m_textIndent, (size.y - height) / 2, GetButtonRect().x - 2 - m_textIndent,
                     height);
    return {MenuRowPainter::Ellipsize(dc, m_value, box.width), font, box};
}

void ProfileComboBox::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetPen(wxPen(kBorder));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(0, 0, size.x, size.y);

    const wxRect button = GetButtonRect();
    dc.SetTextForeground(*wxBLACK);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    MenuRowPainter::DrawText(dc, GetValueText());
    if (HasFocus())
        wxRendererNative::Get().DrawFocusRect(this, dc, wxRect(size).Deflate(2));
    DrawButton(dc, button, Button_PaintBackground);
}

void ProfileComboBox::DrawButton(wxDC& dc, const wxRect& rect, int flags)
{
    if (m_icon && m_icon->IsOk())
        dc.DrawBitmap(*m_icon, 1, 2, true);
    int state = 0;
    if (m_hover)
        state |= wxCONTROL_CURRENT;
    if (m_popup && m_popup->IsShown())
        state |= wxCONTROL_PRESSED;
    if (flags & Button_PaintBackground) {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(wxRect(rect).Deflate(1));
    }
    wxRendererNative::Get().DrawComboBoxDropButton(this, dc, wxRect(rect).Deflate(1), state);
}

void ProfileComboBox::OnButtonClick()
{
    if (!m_popup)
        return;
    if (m_popup->IsShown()) {
        m_popup->HidePopup();
        return;
    }
    const wxPoint screen = GetScreenPosition();
    const wxSize display = wxGetDisplaySize();
    const int top = screen.y > display.y / 2 ? screen.y - m_popup->GetSize().y
                                             : screen.y + GetSize().y;
    m_popup->Move(screen.x, top);
    m_popup->ShowPopup();
    Refresh(false);
}

void ProfileComboBox::OnLeftDown(wxMouseEvent&)
{
    // Like a read-only combo, a press anywhere on the box works the drop button.
    OnButtonClick();
}

void ProfileComboBox::OnKeyDown(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    const bool opens = key == WXK_F4 || (key == WXK_DOWN && event.AltDown());
    if (!opens || !m_popup) {
        event.Skip();
        return;
    }
    if (!m_popup->IsShown())
        OnButtonClick();
}

void ProfileComboBox::OnFocusChange(wxFocusEvent& event)
{
    event.Skip();
    Refresh(false);
}

void ProfileComboBox::OnEnterWindow(wxMouseEvent&)
{
    m_hover = true;
    if (m_popup)
        m_popup->SetHideOnFocusLoss(false);
    Refresh(false);
}

void ProfileComboBox::OnLeaveWindow(wxMouseEvent&)
{
    m_hover = false;
    if (m_popup)
        m_popup->SetHideOnFocusLoss(true);
    Refresh(false);
}
