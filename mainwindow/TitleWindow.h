// The main frame's title bar: the program picture and name, minimise and
// close buttons, and dragging the bar moves the frame.
#pragma once

#include "BaseWindow.h"

class PvBitmapButton;
class PvStaticText;

class TitleWindow : public BaseWindow {
public:
    enum {
        ID_NAME_LABEL = 2198,
        ID_MINIMIZE = 2166,
        ID_CLOSE = 2168,
    };

    TitleWindow();
    // Creates the pane and its controls; takes ownership of skin.
    TitleWindow(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxNO_BORDER,
                const wxString& name = wxPanelNameStr);

    bool CreateControls();

    PvStaticText* GetNameLabel() const { return m_label; }
    PvBitmapButton* GetMinimizeButton() const { return m_minimize; }
    PvBitmapButton* GetCloseButton() const { return m_close; }

    // The program picture as the bar draws it: 16 x 16.
    static wxBitmap BarPicture(const wxBitmap& picture);

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMinimize(wxCommandEvent& event);
    void OnClose(wxCommandEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

    wxPoint m_dragOffset;
    PvStaticText* m_label = nullptr;
    PvBitmapButton* m_minimize = nullptr;
    PvBitmapButton* m_close = nullptr;

    wxDECLARE_DYNAMIC_CLASS(TitleWindow);
    wxDECLARE_EVENT_TABLE();
};
