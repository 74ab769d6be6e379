#include "RkMenuBar.h"

#include "NativeMenu.h"
#include "RkMenuButton.h"

#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/toplevel.h>
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
    Bind(wxEVT_MENU, &RkMenuBar::OnMenuCommand, this);
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
    if (!wxPanel::Create(parent, id, pos, size, style, wxPanelNameStr))
        return false;
    // Every key of the window comes here first, whichever child has the focus.
    if (wxWindow* top = wxGetTopLevelParent(this))
        top->Bind(wxEVT_CHAR_HOOK, &RkMenuBar::OnTopLevelKey, this);
    return true;
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
    OpenMenu(event.GetId());
}

void RkMenuBar::OpenMenu(int id)
{
    if (m_open == 0)
        TrackMenus(id);
    ToggleOpen();
}

void RkMenuBar::OnTopLevelKey(wxKeyEvent& event)
{
    event.Skip();
    if (m_tracking || event.GetModifiers() != wxMOD_ALT || !IsShownOnScreen() || !IsEnabled())
        return;
    const int key = event.GetKeyCode();
    for (RkMenuButton* title : m_titles) {
        if (title->IsEnabled() && title->GetMnemonic() != 0 && key == title->GetMnemonic()) {
            event.Skip(false);
            // Opened from the loop, not from inside the key handling.
            const int id = title->GetId();
            CallAfter([this, id] {
                m_fromKeyboard = true;
                OpenMenu(id);
            });
            return;
        }
    }
}

void RkMenuBar::OnMenuCommand(wxCommandEvent& event)
{
    // The toolkit runs a chosen item inside the pop-up call: a dialog opened
    // there would run with the pointer watcher and the lit title still live.
    if (!m_tracking) {
        event.Skip();
        return;
    }
    m_chosen.emplace_back(event.Clone());
}

void RkMenuBar::TrackMenus(int id)
{
    m_tracking = true;
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
        wxMenu* menu = title->GetMenu();
        m_openMenu = menu;
        m_lastPointer = wxGetMouseState().GetPosition();
        m_watch.Start(kWatchIntervalMs);
#ifdef __WXGTK__
        const unsigned long sideKeys = NativeMenu::WatchSideKeys(menu->m_menu, &RkMenuBar::OnSideKey, this);
#endif
        PopupMenu(menu, r.x, r.y + r.height + 1);
#ifdef __WXGTK__
        NativeMenu::EndSideKeys(menu->m_menu, sideKeys);
#endif
        m_watch.Stop();
        m_openMenu = nullptr;

        title->SetHoverAllowed(true);
        title->HoverOff();
        id = s_nextTitleId;
    }
    s_trackedBar = nullptr;
    s_currentTitleId = TITLE_NONE;
    m_tracking = false;
    m_fromKeyboard = false;
    for (std::unique_ptr<wxEvent>& chosen : m_chosen)
        GetEventHandler()->QueueEvent(chosen.release());
    m_chosen.clear();
    // The click that closes a menu over its own title never reaches the
    // title here, so no click is left to swallow: the state goes back to
    // "closed" whichever way the menu ended.
    ToggleOpen();
}

void RkMenuBar::OnSideKey(void* bar, int step)
{
    static_cast<RkMenuBar*>(bar)->SwitchBy(step);
}

void RkMenuBar::SwitchBy(int step)
{
    if (!m_openMenu)
        return;
    const int count = static_cast<int>(m_titles.size());
    int current = -1;
    for (int i = 0; i < count; ++i)
        if (m_titles[i]->GetId() == s_currentTitleId)
            current = i;
    if (current < 0)
        return;
    for (int k = 1; k < count; ++k) {
        RkMenuButton* next = m_titles[((current + step * k) % count + count) % count];
        if (!next->IsEnabled() || !next->GetMenu())
            continue;
        // The next menu shows its first item lit, as one opened by a key.
        m_fromKeyboard = true;
        CloseOpenMenuFor(next->GetId());
        return;
    }
}

void RkMenuBar::CloseOpenMenuFor(int next)
{
    s_nextTitleId = next;
    m_watch.Stop();
#ifdef __WXGTK__
    if (!NativeMenu::Popdown(m_openMenu->m_menu))
        s_nextTitleId = TITLE_NONE;
#endif
}

void RkMenuBar::OnWatchTimer(wxTimerEvent&)
{
    WatchPointer();
}

void RkMenuBar::WatchPointer()
{
    if (!m_openMenu)
        return;
#ifdef __WXGTK__
    if (m_fromKeyboard) {
        m_fromKeyboard = false;
        NativeMenu::SelectFirst(m_openMenu->m_menu);
    }
#endif
    // A pointer resting on another title (a menu opened from the keyboard)
    // switches nothing; moving onto it does.
    const wxPoint pointer = wxGetMouseState().GetPosition();
    if (pointer == m_lastPointer)
        return;
    m_lastPointer = pointer;
    const int t = HitTestTitles(pointer);
    if (t == s_currentTitleId) {
        s_nextTitleId = TITLE_CURRENT;
    } else if (t == TITLE_NONE) {
        s_nextTitleId = TITLE_NONE;
    } else {
        CloseOpenMenuFor(t);
    }
}
