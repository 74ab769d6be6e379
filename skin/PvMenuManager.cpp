#include "PvMenuManager.h"

#include "PvMenu.h"

PvMenuManager::~PvMenuManager() = default;

void PvMenuManager::Add(PvMenu* menu)
{
    if (!menu)
        return;
    m_titles.push_back(menu);
    menu->SetIndex(m_count);
    ++m_count;
    menu->SetManager(this);
}

PvMenu* PvMenuManager::GetMenu(int index) const
{
    if (index < 0 || index >= m_count)
        return nullptr;
    return m_titles[index];
}

PvMenu* PvMenuManager::GetCurrentMenu() const
{
    return GetMenu(m_current);
}

wxRect PvMenuManager::GetBarRect() const
{
    if (m_titles.empty())
        return wxRect();
    const wxRect first = m_titles.front()->GetRect();
    const wxRect last = m_titles.back()->GetRect();
    return wxRect(first.x, first.y, last.x + last.width - first.x, last.height);
}

int PvMenuManager::HitTest(int x, int y) const
{
    const PvMenu* current = GetCurrentMenu();
    if (!current || y > 0)
        return -1;
    const wxPoint origin = current->GetPosition();
    const wxPoint pt(x + origin.x, origin.y - y);
    if (!GetBarRect().Contains(pt))
        return -1;
    for (int i = 0; i < m_count; ++i)
        if (m_titles[i]->GetRect().Contains(pt))
            return i;
    return -1;
}

int PvMenuManager::SwitchTo(int x, int y)
{
    const int i = HitTest(x, y);
    if (i >= 0 && i != m_current) {
        if (PvMenu* current = GetCurrentMenu())
            current->HidePopup();
        m_current = i;
        m_titles[i]->ShowPopup();
    }
    return i;
}
