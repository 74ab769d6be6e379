#include "PvMenu.h"

#include "EraseDC.h"
#include "PvMenuManager.h"

#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/utils.h>

wxDEFINE_EVENT(wxEVT_COMMAND_PVMENU_SELECTED, wxCommandEvent);

wxIMPLEMENT_DYNAMIC_CLASS(PvMenu, wxControl);

wxBEGIN_EVENT_TABLE(PvMenu, wxControl)
    EVT_LEFT_UP(PvMenu::OnLeftUp)
    EVT_ENTER_WINDOW(PvMenu::OnEnterWindow)
    EVT_LEAVE_WINDOW(PvMenu::OnLeaveWindow)
    EVT_PAINT(PvMenu::OnPaint)
    EVT_ERASE_BACKGROUND(PvMenu::OnEraseBackground)
    EVT_COMMAND(wxID_ANY, wxEVT_COMMAND_PVMENU_SELECTED, PvMenu::OnMenuEvent)
wxEND_EVENT_TABLE()

PvMenu::PvMenu() = default;

PvMenu::PvMenu(wxWindow* parent, int id, const wxString& label, const wxPoint& pos,
               const wxSize& size, long style, const wxValidator& validator)
    : m_label(label)
{
    Create(parent, id, pos, size, style, validator);
}

PvMenu::~PvMenu()
{
    if (m_popup)
        m_popup->Destroy();
}

bool PvMenu::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                    long style, const wxValidator& validator)
{
    if (!wxControl::Create(parent, id, pos, size, style, validator, wxControlNameStr))
        return false;
    // The list needs the title's window to exist.
    if (!m_popup)
        m_popup = new PvPopupMenu(this);
    SetBackgroundStyle(wxBG_STYLE_ERASE);
    m_normalBackground = wxSystemSettings::GetColour(wxSYS_COLOUR_MENUBAR);
    m_hoverBackground = wxSystemSettings::GetColour(wxSYS_COLOUR_MENUHILIGHT);
    m_normalText = wxSystemSettings::GetColour(wxSYS_COLOUR_MENUTEXT);
    m_hoverText = *wxWHITE;
    m_hover = false;
    return true;
}

void PvMenu::AddItem(const wxString& label, PvPopupMenu::Handler handler, wxEvtHandler* target,
                     int checkable)
{
    m_popup->AddItem(label, handler, target, checkable);
}

void PvMenu::CheckItem(int index, bool checked)
{
    m_popup->CheckItem(index, checked);
}

bool PvMenu::IsItemChecked(int index) const
{
    return m_popup->IsItemChecked(index);
}

void PvMenu::EnableItem(int index)
{
    m_popup->EnableItem(index);
}

void PvMenu::DisableItem(int index)
{
    m_popup->DisableItem(index);
}

void PvMenu::SetCheckBitmap(const wxBitmap& image)
{
    m_popup->SetCheckBitmap(image);
}

void PvMenu::SetBitmap(const wxBitmap& image)
{
    m_imageMode = true;
    m_normalImage = image;
    m_hoverImage = image;
}

void PvMenu::SetHoverBitmap(const wxBitmap& image)
{
    m_hoverImage = image;
}

bool PvMenu::SetBackgroundColour(const wxColour& colour)
{
    m_imageMode = false;
    wxControl::SetBackgroundColour(colour);
    m_normalBackground = colour;
    return true;
}

void PvMenu::ShowPopup()
{
    m_open = true;
    m_popup->Position(ClientToScreen(wxPoint(0, 0)), wxSize(0, GetSize().y));
    m_popup->Popup();
    if (m_manager)
        m_manager->SetCurrent(m_index);
    SyncHover();
}

void PvMenu::HidePopup()
{
    m_open = false;
    m_popup->Dismiss();
    SyncHover();
}

void PvMenu::ClosePopup()
{
    m_popup->Dismiss();
    m_open = false;
    SyncHover();
}

void PvMenu::SyncHover()
{
    // While a list holds the pointer no title hears it enter or leave.
    const bool over = GetScreenRect().Contains(wxGetMousePosition());
    if (over != m_hover)
        SetHover(over);
}

void PvMenu::ListDismissed()
{
    m_open = false;
    m_swallowRelease = GetScreenRect().Contains(wxGetMousePosition());
    SyncHover();
}

void PvMenu::OnLeftUp(wxMouseEvent&)
{
    if (m_swallowRelease) {
        m_swallowRelease = false;
        return;
    }
    m_open ? HidePopup() : ShowPopup();
}

void PvMenu::SetHover(bool hover)
{
    m_hover = hover;
    Refresh(true);
}

void PvMenu::OnEnterWindow(wxMouseEvent&)
{
    SetHover(true);
}

void PvMenu::OnLeaveWindow(wxMouseEvent&)
{
    m_swallowRelease = false;
    SetHover(false);
}

void PvMenu::DrawBackground(wxDC& dc) const
{
    if (m_imageMode) {
        const wxBitmap& image = m_hover ? m_hoverImage : m_normalImage;
        if (image.IsOk())
            dc.DrawBitmap(image, 0, 0, true);
        return;
    }
    const wxColour& colour = m_hover ? m_hoverBackground : m_normalBackground;
    dc.SetPen(wxPen(colour));
    dc.SetBrush(wxBrush(colour));
    dc.DrawRectangle(wxPoint(0, 0), GetSize());
}

void PvMenu::DrawLabel(wxDC& dc) const
{
    const wxColour& colour = m_hover ? m_hoverText : m_normalText;
    dc.SetTextForeground(colour);
    dc.SetPen(wxPen(colour, 1));
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    int tw = 0, th = 0;
    GetTextExtent(m_label, &tw, &th);
    const wxSize size = GetSize();
    dc.DrawText(m_label, (size.x - tw) / 2, (size.y - th) / 2);
}

void PvMenu::DrawFace(wxDC& dc) const
{
    DrawBackground(dc);
    DrawLabel(dc);
}

void PvMenu::OnEraseBackground(wxEraseEvent& event)
{
    DrawBackground(*EraseDC(event, this));
}

void PvMenu::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawLabel(dc);
}

void PvMenu::OnMenuEvent(wxCommandEvent& event)
{
    const int i = event.GetInt();
    PvPopupMenu::Handler handler = m_popup->GetItemHandler(i);
    wxEvtHandler* target = m_popup->GetItemTarget(i);
    if (handler && target)
        (target->*handler)(event);
}
