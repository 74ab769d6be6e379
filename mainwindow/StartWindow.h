// The start pane: the big Start button. It, and NOTIFY_START_CONVERSION from
// the menu, open the conversion run dialog modally.
#pragma once

#include "BaseWindow.h"

class PvBitmapButton;

class StartWindow : public BaseWindow {
public:
    enum {
        ID_START_BUTTON = 2154,
        ID_PROGRESS_DIALOG = 2169,
    };

    StartWindow();
    // Creates the pane; takes ownership of skin.
    StartWindow(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxNO_BORDER,
                const wxString& name = wxPanelNameStr);

    bool Create(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxNO_BORDER,
                const wxString& name = wxPanelNameStr);

    using BaseWindow::Update;
    // NOTIFY_START_CONVERSION starts a run; other codes are ignored.
    void Update(PvSubject* subject, void* argument) override;

    // Runs the conversion dialog until it closes; first the output pane's
    // folder is created when missing.
    void RunConversion();
    // The output pane's folder exists or was made (with its parents); else a
    // message says why and false comes back. True without an output pane.
    static bool PrepareOutputFolder();

    PvBitmapButton* GetStartButton() const { return m_start; }

protected:
    virtual void OnPaint(wxPaintEvent& event);

private:
    void OnStart(wxCommandEvent& event);

    PvBitmapButton* m_start = nullptr;

    wxDECLARE_DYNAMIC_CLASS(StartWindow);
    wxDECLARE_EVENT_TABLE();
};
