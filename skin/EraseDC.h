// The drawing context of an erase event, or a client context on the window
// when the event carries none.
#pragma once

#include <wx/dcclient.h>
#include <wx/event.h>

#include <memory>

class EraseDC {
public:
    EraseDC(wxEraseEvent& event, wxWindow* window);
    wxDC& operator*() const { return *m_dc; }
    wxDC* operator->() const { return m_dc; }

private:
    std::unique_ptr<wxClientDC> m_own;
    wxDC* m_dc = nullptr;
};
