#include "PvPopupMenu.h"

#include "EraseDC.h"
#include "MouseCapture.h"
#include "PvMenu.h"
#include "PvMenuManager.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include <algorithm>

wxIMPLEMENT_CLASS(PvPopupMenu, wxPopupTransientWindow);

wxBEGIN_EVENT_TABLE(PvPopupMenu, wxPopupTransientWindow)
    EVT_MOTION(PvPopupMenu::OnMotion)
    EVT_SIZE(PvPopupMenu::OnSize)
    EVT_SET_FOCUS(PvPopupMenu::OnSetFocus)
    EVT_KILL_FOCUS(PvPopupMenu::OnKillFocus)
    EVT_PAINT(PvPopupMenu::OnPaint)
    EVT_ERASE_BACKGROUND(PvPopupMenu::OnEraseBackground)
    EVT_MOUSE_CAPTURE_LOST(PvPopupMenu::OnCaptureLost)
    EVT_KEY_DOWN(PvPopupMenu::OnKeyDown)
wxEND_EVENT_TABLE()

PvPopupMenu::PvPopupMenu(wxWindow* parent)
    : wxPopupTransientWindow(parent, wxBORDER_NONE),
      m_normalColour(*wxWHITE),
      m_highlightColour(wxSystemSettings::GetColour(wxSYS_COLOUR_MENUHILIGHT))
{
    m_backgroundColour = &m_normalColour;
    SetBackgroundStyle(wxBG_STYLE_ERASE);
    SetSize(0, 0);
    // The keys come to the focused list: GTK gives the focus only to a
    // window that can take it.
    SetCanFocus(true);
}

PvMenu* PvPopupMenu::Title() const
{
    return dynamic_cast<PvMenu*>(GetParent());
}

void PvPopupMenu::AddItem(const wxString& label, Handler handler, wxEvtHandler* target,
                          int checkable)
{
    m_labels.push_back(label);
    m_handlers.push_back(handler);
    m_targets.push_back(target);
    m_enabled.push_back(true);
    m_itemFlags.emplace_back(checkable, 0);
    ++m_count;
    GetTextExtent(label, &m_lastTextWidth, &m_lastTextHeight);
    m_widestTextWidth = std::max(m_widestTextWidth, m_lastTextWidth);
    m_itemHeight = m_lastTextHeight + m_topSpacing + m_bottomSpacing;
    m_width = m_leftMargin + m_widestTextWidth + m_rightMargin;
    SetSize(m_width, m_count * m_itemHeight);
}

void PvPopupMenu::CheckItem(int index, bool checked)
{
    if (IsItem(index)) {
        m_itemFlags[index].second = checked ? 1 : 0;
        RefreshRow(index);
    }
}

bool PvPopupMenu::IsItemChecked(int index) const
{
    return IsItem(index) && m_itemFlags[index].second != 0;
}

void PvPopupMenu::EnableItem(int index)
{
    if (IsItem(index)) {
        m_enabled[index] = true;
        RefreshRow(index);
    }
}

void PvPopupMenu::DisableItem(int index)
{
    if (IsItem(index)) {
        m_enabled[index] = false;
        RefreshRow(index);
    }
}

PvPopupMenu::Handler PvPopupMenu::GetItemHandler(int index) const
{
    return IsItem(index) ? m_handlers[index] : nullptr;
}

wxEvtHandler* PvPopupMenu::GetItemTarget(int index) const
{
    return IsItem(index) ? m_targets[index] : nullptr;
}

wxString PvPopupMenu::GetItemLabel(int index) const
{
    return IsItem(index) ? m_labels[index] : wxString();
}

bool PvPopupMenu::Show(bool show)
{
    return wxPopupTransientWindow::Show(show);
}

void PvPopupMenu::Popup(wxWindow* focus)
{
    m_highlighted = -1;
    m_hover = -1;
    wxPopupTransientWindow::Popup(focus);
    MouseCapture::Take(this);
}

void PvPopupMenu::Dismiss()
{
    if (HasCapture())
        ReleaseMouse();
    wxPopupTransientWindow::Dismiss();
}

void PvPopupMenu::OnDismiss()
{
    wxPopupTransientWindow::OnDismiss();
    // Closed by the toolkit (a press elsewhere): the title is closed too.
    if (PvMenu* title = Title())
        title->ListDismissed();
}

void PvPopupMenu::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // Another window took the pointer: the list closes.
    if (IsShown())
        DismissAndNotify();
}

bool PvPopupMenu::ProcessLeftDown(wxMouseEvent& event)
{
    const bool result = wxPopupTransientWindow::ProcessLeftDown(event);
    PvMenu* title = Title();
    if (!title)
        return result;
    const wxPoint pt = event.GetPosition();
    PvMenuManager* manager = title->GetManager();
    // A press on the own title: its release closes the list.
    if (manager && manager->HitTest(pt.x, pt.y) == title->GetIndex())
        return result;
    if (!wxRect(GetClientSize()).Contains(pt)) {
        title->ClosePopup();
        return result;
    }
    const int row = pt.y / m_itemHeight;
    if (!IsItem(row) || !m_enabled[row])
        return result;
    Choose(row);
    // The click is used up: the list is closed and the item has run.
    return true;
}

void PvPopupMenu::Choose(int row)
{
    PvMenu* title = Title();
    if (!title || !IsItem(row) || !m_enabled[row])
        return;
    title->ClosePopup();
    wxCommandEvent command(wxEVT_COMMAND_PVMENU_SELECTED, title->GetId());
    command.SetEventObject(title);
    command.SetInt(row);
    title->GetEventHandler()->ProcessEvent(command);
}

void PvPopupMenu::Highlight(int row)
{
    const int previous = m_highlighted;
    m_highlighted = row;
    RefreshRow(previous);
    RefreshRow(m_highlighted);
}

void PvPopupMenu::HighlightFirst()
{
    for (int row = 0; row < m_count; ++row)
        if (m_enabled[row]) {
            Highlight(row);
            return;
        }
}

void PvPopupMenu::OnKeyDown(wxKeyEvent& event)
{
    PvMenu* title = Title();
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE) {
        if (title)
            title->ClosePopup();
        else
            Dismiss();
    } else if (key == WXK_UP || key == WXK_DOWN) {
        const int step = key == WXK_UP ? -1 : 1;
        // From no lit item Down lands on the first, Up on the last.
        int row = m_highlighted < 0 ? (step > 0 ? -1 : m_count) : m_highlighted;
        for (int k = 0; k < m_count; ++k) {
            row = ((row + step) % m_count + m_count) % m_count;
            if (m_enabled[row]) {
                Highlight(row);
                break;
            }
        }
    } else if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        Choose(m_highlighted);
    } else if ((key == WXK_LEFT || key == WXK_RIGHT) && title && title->GetManager()) {
        PvMenuManager* manager = title->GetManager();
        const int count = manager->GetCount();
        const int next = ((title->GetIndex() + (key == WXK_LEFT ? -1 : 1)) % count + count) % count;
        if (PvMenu* other = manager->GetMenu(next); other && other != title) {
            title->HidePopup();
            manager->SetCurrent(next);
            other->ShowPopup();
            other->GetPopup()->HighlightFirst();
        }
    } else {
        event.Skip();
    }
}

void PvPopupMenu::OnMotion(wxMouseEvent& event)
{
    const wxPoint pt = event.GetPosition();
    PvMenu* title = Title();
    if (title && title->GetManager() && title->GetManager()->SwitchTo(pt.x, pt.y) >= 0)
        return;
    if (!wxRect(GetClientSize()).Contains(pt))
        return;
    const int row = pt.y / m_itemHeight;
    if (row == m_hover)
        return;
    m_hover = row;
    // The rows are drawn from the state by the paint handler.
    Highlight(m_hover);
}

void PvPopupMenu::RefreshRow(int row)
{
    if (IsItem(row))
        RefreshRect(wxRect(0, row * m_itemHeight, GetClientSize().x, m_itemHeight), true);
}

void PvPopupMenu::OnSize(wxSizeEvent&) {}

void PvPopupMenu::OnSetFocus(wxFocusEvent&) {}

void PvPopupMenu::OnKillFocus(wxFocusEvent&) {}

void PvPopupMenu::DrawBox(wxDC& dc) const
{
    dc.SetBrush(wxBrush(*m_backgroundColour));
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_MENUBAR), 1));
    dc.DrawRectangle(wxPoint(0, 0), GetClientSize());
}

void PvPopupMenu::DrawCheck(wxDC& dc, int row) const
{
    if (m_itemFlags[row].first && m_itemFlags[row].second && m_checkImage.IsOk())
        dc.DrawBitmap(m_checkImage, 2, row * m_itemHeight + m_topSpacing, true);
}

void PvPopupMenu::DrawItems(wxDC& dc) const
{
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const int width = GetClientSize().x;
    for (int i = 0; i < m_count; ++i) {
        const int top = i * m_itemHeight;
        if (i == m_highlighted && m_enabled[i]) {
            dc.SetPen(wxPen(m_highlightColour));
            dc.SetBrush(wxBrush(m_highlightColour));
            dc.DrawRectangle(1, top, width - 2, m_itemHeight - 1);
            dc.SetTextForeground(*wxWHITE);
        } else {
            dc.SetTextForeground(wxSystemSettings::GetColour(
                m_enabled[i] ? wxSYS_COLOUR_MENUTEXT : wxSYS_COLOUR_GRAYTEXT));
        }
        dc.DrawText(m_labels[i], m_leftMargin, top + m_topSpacing);
        DrawCheck(dc, i);
    }
}

void PvPopupMenu::DrawFace(wxDC& dc) const
{
    DrawBox(dc);
    DrawItems(dc);
}

void PvPopupMenu::OnEraseBackground(wxEraseEvent& event)
{
    DrawBox(*EraseDC(event, this));
}

void PvPopupMenu::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    DrawItems(dc);
}
