// A menu title of an owner-drawn menu row: a label (or picture) that opens
// and closes its drop-down list when clicked.
#pragma once

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/control.h>

#include "PvPopupMenu.h"

class PvMenuManager;

// Sent to a title when one of its items is clicked; the int is the row.
wxDECLARE_EVENT(wxEVT_COMMAND_PVMENU_SELECTED, wxCommandEvent);

class PvMenu : public wxControl {
public:
    PvMenu();
    PvMenu(wxWindow* parent, int id, const wxString& label,
           const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
           long style = wxBORDER_NONE, const wxValidator& validator = wxDefaultValidator);
    ~PvMenu() override;

    bool Create(wxWindow* parent, int id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                const wxValidator& validator = wxDefaultValidator);

    // handler: a member function of target, e.g. wxCommandEventHandler(Frame::OnOpen).
    void AddItem(const wxString& label, PvPopupMenu::Handler handler, wxEvtHandler* target,
                 int checkable = 0);
    void CheckItem(int index, bool checked);
    bool IsItemChecked(int index) const;
    void EnableItem(int index);
    void DisableItem(int index);
    void SetCheckBitmap(const wxBitmap& image);

    // Picture mode: the title shows the picture (and the hover picture
    // while the pointer is over it) instead of a coloured box.
    void SetBitmap(const wxBitmap& image);
    void SetHoverBitmap(const wxBitmap& image);
    // Colour mode with the given normal background.
    bool SetBackgroundColour(const wxColour& colour) override;

    void ShowPopup();
    void HidePopup();
    void ClosePopup();
    bool IsOpen() const { return m_open; }
    // Called by the list when the toolkit closed it.
    void ListDismissed();
    int GetIndex() const { return m_index; }
    void SetIndex(int index) { m_index = index; }
    PvMenuManager* GetManager() const { return m_manager; }
    void SetManager(PvMenuManager* manager) { m_manager = manager; }
    PvPopupMenu* GetPopup() const { return m_popup; }
    bool IsHover() const { return m_hover; }

    // The title as erase and paint draw it together.
    void DrawFace(wxDC& dc) const;

private:
    void OnLeftUp(wxMouseEvent& event);
    void OnEnterWindow(wxMouseEvent& event);
    void OnLeaveWindow(wxMouseEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnMenuEvent(wxCommandEvent& event);
    void SetHover(bool hover);
    void SyncHover();
    void DrawBackground(wxDC& dc) const;
    void DrawLabel(wxDC& dc) const;

    PvMenuManager* m_manager = nullptr;
    PvPopupMenu* m_popup = nullptr;
    int m_index = 0;
    bool m_open = false;
    wxString m_label;
    wxColour m_normalBackground;
    wxColour m_hoverBackground;
    wxBitmap m_normalImage;
    wxBitmap m_hoverImage;
    bool m_imageMode = false;
    wxColour m_normalText;
    wxColour m_hoverText;
    bool m_hover = false;  // which of each pair is current
    bool m_swallowRelease = false;  // the press that closed the list was on the title

    wxDECLARE_DYNAMIC_CLASS(PvMenu);
    wxDECLARE_EVENT_TABLE();
};
