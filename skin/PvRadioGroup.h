// Keeps a set of radio buttons mutually exclusive. The buttons are windows
// owned by their parent; the group only points at them.
#pragma once

#include <vector>

class PvRadioButton;

class PvRadioGroup {
public:
    PvRadioGroup() = default;
    PvRadioGroup(const PvRadioGroup&) = delete;
    PvRadioGroup& operator=(const PvRadioGroup&) = delete;

    // Appends the button with the next index; returns the group for chaining.
    PvRadioGroup* Add(PvRadioButton* button);
    // Selects the first checked button; nothing changes when none is.
    void InitSelection();
    // Unchecks the current button, checks the one at index; both repaint.
    void Select(int index);

    PvRadioButton* GetButton(int index) const;
    PvRadioButton* GetFirstButton() const { return GetButton(0); }
    PvRadioButton* GetLastButton() const { return GetButton(m_count - 1); }
    PvRadioButton* GetSelectedButton() const { return GetButton(m_selected); }
    int GetSelection() const { return m_selected; }
    int GetCount() const { return m_count; }

private:
    int m_selected = -1;
    int m_current = -1;
    std::vector<PvRadioButton*> m_buttons;
    int m_count = 0;
};
