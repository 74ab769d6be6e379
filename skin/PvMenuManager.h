// Knows the menu titles of one row, so that the pointer moving from an open
// list onto another title opens that title's list instead.
#pragma once

#include <wx/gdicmn.h>

#include <vector>

class PvMenu;

class PvMenuManager {
public:
    PvMenuManager() = default;
    virtual ~PvMenuManager();

    // Appends a title (not owned) and tells it its place.
    void Add(PvMenu* menu);
    PvMenu* GetMenu(int index) const;
    PvMenu* GetCurrentMenu() const;
    void SetCurrent(int index) { m_current = index; }
    int GetCurrent() const { return m_current; }
    int GetCount() const { return m_count; }

    // The title under a point given in the open list's coordinates (the
    // list lies just below the current title), or -1.
    int HitTest(int x, int y) const;
    // Opens the list of the title under the point instead of the current
    // one; returns that title's index or -1.
    int SwitchTo(int x, int y);
    // The rectangle from the first title to the last, in their parent.
    wxRect GetBarRect() const;

private:
    int m_current = -1;
    std::vector<PvMenu*> m_titles;
    int m_count = 0;
};
