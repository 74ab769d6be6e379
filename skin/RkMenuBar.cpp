#include "RkMenuBar.h"

#include "NativeMenu.h"
#include "RkMenuButton.h"

#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/utils.h>

wxIMPLEMENT_DYNAMIC_CLASS(RkMenuBar, wxPanel);

wxBEGIN_EVENT_TABLE(RkMenuBar, wxPanel)
    EVT_PAINT(RkMenuBar::OnPaint)
wxEND_EVENT_TABLE()

RkMenuBar* RkMenuBar::s_trackedBar = nullptr;
int RkMenuBar::s_currentTitleId = RkMenuBar::TITLE_NONE;
int RkMenuBar::s_nextTitleId = RkMenuBar::TITLE_NONE;

RkMenuBar::RkMenuBar()
{
    m_watch.SetOwner(this);
    Bind(wxEVT_TIMER, &RkMenuBar::OnWatchTimer, this, m_watch.GetId());
}

RkMenuBar::RkMenuBar(wxBitmap* skin, wxWindow* parent, int id, const wxPoint& pos, long style)
    : RkMenuBar()
{
    SetSkin(skin);
    Create(parent, id, pos, style);
}

bool RkMenuBar::Create(wxWindow* parent, int id, const wxPoint& pos, long style)
{
    const wxSize size = (m_skin && m_skin->IsOk()) ? m_skin->GetSize() : wxDefaultSize;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    return wxPanel::Create(parent, id, pos, size, style, wxPanelNameStr);
}

void RkMenuBar::AddMenu(int id, wxMenu* menu, const wxString& label)
{
    auto* title = new RkMenuButton(menu, label, m_skin, this, id, wxPoint(m_nextX, m_titleY),
                                   wxBORDER_NONE, wxDefaultValidator);
    m_nextX += title->GetSize().GetWidth() + 5;
    m_titles.Add(title);
    Bind(wxEVT_COMMAND_BUTTON_CLICKED, &RkMenuBar::OnMenuButton, this, id);
}

wxSize RkMenuBar::DoGetBestSize() const
{
    return (m_skin && m_skin->IsOk()) ? m_skin->GetSize() : wxSize(0, 0);
}

void RkMenuBar::ToggleOpen()
{
    if (m_open == 0)
        m_open = 1;
    else if (m_open == 1)
        m_open = 0;
}

int RkMenuBar::HitTestTitles(const wxPoint& screenPoint) const
{
    for (RkMenuButton* title : m_titles) {
        if (title->HitTest(title->ScreenToClient(screenPoint)) != wxHT_WINDOW_OUTSIDE)
            return title->GetId();
    }
    return TITLE_NONE;
}

void RkMenuBar::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (m_skin && m_skin->IsOk())
        dc.DrawBitmap(*m_skin, 0, 0, true);
}

void RkMenuBar::OnMenuButton(wxCommandEvent& event)
{
    if (m_open == 0)
        TrackMenus(event.GetId());
    ToggleOpen();
}

void RkMenuBar::TrackMenus(int id)
{
    while (id >= 0) {
        auto* title = dynamic_cast<RkMenuButton*>(FindWindow(id));
        if (!title || !title->GetMenu())
            break;
        s_trackedBar = this;
        s_currentTitleId = id;
        // Only the watcher chooses another title; a menu closed any other
        // way (an item, Escape, a click elsewhere) ends the tracking.
        s_nextTitleId = TITLE_NONE;
        title->SetHoverAllowed(false);
        title->HoverOn();

        const wxRect r = title->GetRect();
        m_openMenu = title->GetMenu();
        m_watch.Start(kWatchIntervalMs);
        PopupMenu(m_openMenu, r.x, r.y + r.height + 1);
        m_watch.Stop();
        m_openMenu = nullptr;

        title->SetHoverAllowed(true);
        title->HoverOff();
        id = s_nextTitleId;
    }
    s_trackedBar = nullptr;
    s_currentTitleId = TITLE_NONE;
    // The click that closes a menu over its own title never reaches the
    // title here, so no click is left to swallow: the state goes back to
    // "closed" whichever way the menu ended.
    ToggleOpen();
}

void RkMenuBar::OnWatchTimer(wxTimerEvent&)
{
    WatchPointer();
}

void RkMenuBar::WatchPointer()
{
    if (!m_openMenu)
        return;
    const int t = HitTestTitles(wxGetMouseState().GetPosition());
    if (t == s_currentTitleId) {
        s_nextTitleId = TITLE_CURRENT;
    } else if (t == TITLE_NONE) {
        s_nextTitleId = TITLE_NONE;
    } else {
        s_nextTitleId = t;
        m_watch.Stop();
#ifdef __WXGTK__
        if (!NativeMenu::Popdown(m_openMenu->m_menu))
            s_nextTitleId = TITLE_NONE;
#endif
    }
}
