// The strip under the menu bar with the file list's buttons: add files, and
// the clip and edit buttons, which are created hidden and stay hidden. Clicks
// become notifications to the file list.
#pragma once

#include "BaseWindow.h"

#include <wx/arrstr.h>

class PvBitmapButton;

class ToolbarWindow : public BaseWindow {
public:
    enum {
        ID_TOOLBAR_WINDOW = 2007,
        ID_ADD_BUTTON = 2122,
        ID_CLIP_BUTTON = 2124,
        ID_EDIT_BUTTON = 2125,
    };

    // The normal, current and pressed pictures of a button.
    struct Pictures {
        const char* normal;
        const char* current;
        const char* pressed;
    };

    ToolbarWindow();
    ~ToolbarWindow() override;

    // Takes ownership of skin on success (as BaseWindow::Create).
    virtual bool Create(wxWindow* parent, int id, wxBitmap* skin,
                        const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                        long style = wxNO_BORDER, const wxString& name = wxPanelNameStr);

    // The first selection change of the file list enables clip and edit.
    void Update(PvSubject* subject, void* argument) override;
    using BaseWindow::Update;

    PvBitmapButton* GetAddButton() const { return m_add; }
    PvBitmapButton* GetClipButton() const { return m_clip; }
    PvBitmapButton* GetEditButton() const { return m_edit; }

private:
    virtual void OnEdit(wxCommandEvent& event);
    virtual void OnClip(wxCommandEvent& event);
    virtual void OnAdd(wxCommandEvent& event);
    // A button at (x, 0) sized to its normal picture, with the pane's skin
    // under it as background.
    PvBitmapButton* AddButton(int id, const Pictures& pictures, int x, bool withDisabledPicture);
    void SendCode(int code);
    void OnPaint(wxPaintEvent& event);

    wxArrayString m_names;  // kept empty
    PvBitmapButton* m_edit = nullptr;
    PvBitmapButton* m_clip = nullptr;
    PvBitmapButton* m_add = nullptr;

    wxDECLARE_DYNAMIC_CLASS(ToolbarWindow);
    wxDECLARE_EVENT_TABLE();
};
