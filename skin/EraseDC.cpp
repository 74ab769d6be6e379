#include "EraseDC.h"

EraseDC::EraseDC(wxEraseEvent& event, wxWindow* window) : m_dc(event.GetDC())
{
    if (!m_dc) {
        m_own = std::make_unique<wxClientDC>(window);
        m_dc = m_own.get();
    }
}
