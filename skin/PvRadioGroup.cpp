#include "PvRadioGroup.h"

#include "PvRadioButton.h"

PvRadioGroup* PvRadioGroup::Add(PvRadioButton* button)
{
    if (!button)
        return this;
    m_buttons.push_back(button);
    button->SetIndex(m_count++);
    button->SetGroup(this);
    return this;
}

void PvRadioGroup::InitSelection()
{
    for (int i = 0; i < m_count; ++i) {
        if (m_buttons[size_t(i)]->IsChecked()) {
            m_selected = m_current = i;
            return;
        }
    }
}

void PvRadioGroup::Select(int index)
{
    PvRadioButton* chosen = GetButton(index);
    if (!chosen)
        return;
    if (PvRadioButton* current = GetButton(m_current); current && current != chosen) {
        current->SetChecked(false);
        current->Refresh(true);
    }
    chosen->SetChecked(true);
    m_selected = m_current = index;
    chosen->Refresh(true);
}

PvRadioButton* PvRadioGroup::GetButton(int index) const
{
    return index >= 0 && index < m_count ? m_buttons[size_t(index)] : nullptr;
}
