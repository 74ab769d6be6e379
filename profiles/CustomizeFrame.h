// The panel of the Customize Profile dialog: the title, the check tree of
// categories and profiles, check all, uncheck all, OK (saves the checks into
// the catalog file) and Cancel. Dragging the panel moves the dialog.
#pragma once

#include "BaseWindow.h"
#include "MenuRowPainter.h"

class CheckedTreeCtrl;

class CustomizeFrame : public BaseWindow {
public:
    enum {
        ID_CHECK_ALL = 1,
        ID_UNCHECK_ALL = 2,
        ID_OK = 3,
        ID_CANCEL = 4,
        ID_MINIMIZE = 2179,
        ID_CLOSE = 2180,
    };

    // Takes ownership of skin.
    CustomizeFrame(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxNO_BORDER,
                   const wxString& name = wxPanelNameStr);

    // The title strip of the skin and the caption drawn on it.
    static constexpr int kHeaderHeight = 30;
    static constexpr int kCaptionX = 20;
    static constexpr int kCaptionY = 5;

    bool Create();
    CheckedTreeCtrl* GetTree() const { return m_tree; }
    // The caption as drawn: text, font and the box left of the close button.
    const MenuRowPainter::Text& GetCaption() const { return m_caption; }

protected:
    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void OnLeftUp(wxMouseEvent& event);
    virtual void OnMotion(wxMouseEvent& event);
    virtual void OnPaint(wxPaintEvent& event);
    wxSize DoGetBestSize() const override;

private:
    void OnButton(wxCommandEvent& event);
    void OnClose(wxCommandEvent& event);
    void OnMinimize(wxCommandEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    // A button at `pos` from the customiser pictures named by `stem` (normal,
    // and `stem` + "_over" when the pointer is over it); returns its width.
    int CreateButton(int id, const wxString& stem, const wxPoint& pos);
    void EndDialog();

    CheckedTreeCtrl* m_tree = nullptr;
    MenuRowPainter::Text m_caption;
    wxPoint m_dragOffset;

    wxDECLARE_ABSTRACT_CLASS(CustomizeFrame);
    wxDECLARE_EVENT_TABLE();
};
