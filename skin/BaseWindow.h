// Base of every skinned pane: a panel that owns its skin (ShapeWindow), can
// notify observers (PvSubject) and observe other panes (PvObserver).
#pragma once

#include "PvObserver.h"
#include "PvSubject.h"
#include "ShapeWindow.h"

#include <wx/panel.h>

class BaseWindow : public wxPanel, public ShapeWindow, public PvSubject, public PvObserver {
public:
    BaseWindow();
    BaseWindow(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL | wxNO_BORDER,
               const wxString& name = wxPanelNameStr);
    ~BaseWindow() override;

    // Creates the panel; on success takes ownership of skin, on failure
    // leaves it to the caller.
    bool Create(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL | wxNO_BORDER,
                const wxString& name = wxPanelNameStr);

    // wxWindow::Update() (repaint now) and PvObserver::Update(subject, arg)
    // share a name; make both visible in every pane.
    using wxPanel::Update;
    using PvObserver::Update;
};
