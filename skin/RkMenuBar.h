// The skinned menu bar: a strip painted from its skin with one RkMenuButton
// per menu title. A click on a title pops up the title's menu just below it;
// while a menu is open, moving the pointer onto another title closes it and
// opens that title's menu. Menu commands go to the bar and rise to its parent
// once the menus are closed and the bar is idle again. Alt + a title's
// mnemonic letter opens its menu from the keyboard and Left and Right move
// from the open menu to the neighbouring one, as on a native bar.
#pragma once

#include <wx/bitmap.h>
#include <wx/dynarray.h>
#include <wx/panel.h>
#include <wx/timer.h>

#include <memory>
#include <vector>

class RkMenuButton;
class wxMenu;

WX_DEFINE_ARRAY_PTR(RkMenuButton*, MenuButtonArray);

class RkMenuBar : public wxPanel {
public:
    // What the pointer watcher decided while a menu was open.
    enum { TITLE_NONE = -1, TITLE_CURRENT = -2 };
    // How often the pointer is looked at while a menu is open.
    static constexpr int kWatchIntervalMs = 25;

    RkMenuBar();
    RkMenuBar(wxBitmap* skin, wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
              long style = wxTAB_TRAVERSAL | wxNO_BORDER);

    // The bar's picture, borrowed (its owner keeps it alive longer than the
    // bar). Set it before Create and AddMenu.
    void SetSkin(wxBitmap* skin) { m_skin = skin; }
    wxBitmap* GetSkin() const { return m_skin; }

    // Creates the panel at the skin's size.
    bool Create(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                long style = wxTAB_TRAVERSAL | wxNO_BORDER);

    // Adds a title after the last one (20 pixels in, 5 apart, 4 down). The
    // title takes ownership of the menu; a "&" in the label marks its mnemonic.
    void AddMenu(int id, wxMenu* menu, const wxString& label);

    const MenuButtonArray& GetTitles() const { return m_titles; }
    int GetOpenState() const { return m_open; }
    void ToggleOpen();

    // The id of the title under a screen point; TITLE_NONE when none.
    int HitTestTitles(const wxPoint& screenPoint) const;

    // The bar whose menu is open, and the id of the open menu's title
    // (TITLE_NONE when no menu is open).
    static RkMenuBar* GetTrackedBar() { return s_trackedBar; }
    static int GetCurrentTitleId() { return s_currentTitleId; }

protected:
    wxSize DoGetBestSize() const override;

private:
    // What a click on title id does: opens its menu unless the click only
    // closes the state left by the last one.
    void OpenMenu(int id);
    // Pops up the menus, one after the other, starting with title id; returns
    // when a menu closes without the pointer having moved onto another title.
    void TrackMenus(int id);
    // Looks at the pointer while a menu is open (the toolkit sends no motion
    // events then) and closes the menu when the pointer is on another title.
    void WatchPointer();
    // Left or Right in the open menu: closes it for the neighbouring title's
    // menu (step -1 or +1), round the ends of the bar.
    void SwitchBy(int step);
    static void OnSideKey(void* bar, int step);
    // Closes the open menu so that the tracking goes on with title next.
    void CloseOpenMenuFor(int next);

    void OnPaint(wxPaintEvent& event);
    void OnMenuButton(wxCommandEvent& event);
    void OnMenuCommand(wxCommandEvent& event);
    void OnWatchTimer(wxTimerEvent& event);
    void OnTopLevelKey(wxKeyEvent& event);

    MenuButtonArray m_titles;
    wxBitmap* m_skin = nullptr;
    int m_open = 0;
    int m_nextX = 20;
    int m_titleY = 4;
    wxTimer m_watch;
    wxMenu* m_openMenu = nullptr;
    bool m_tracking = false;
    // The menu was opened from the keyboard: its first item gets the highlight.
    bool m_fromKeyboard = false;
    // Where the pointer was at the last look: only a move switches menus.
    wxPoint m_lastPointer;
    // Commands chosen while the menus were tracked, delivered after.
    std::vector<std::unique_ptr<wxEvent>> m_chosen;

    static RkMenuBar* s_trackedBar;
    static int s_currentTitleId;
    static int s_nextTitleId;

    wxDECLARE_DYNAMIC_CLASS(RkMenuBar);
    wxDECLARE_EVENT_TABLE();
};
