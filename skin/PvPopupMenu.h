// The drop-down list of a PvMenu title: owner-drawn items, each calling a
// member function of its target when clicked.
#pragma once

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/event.h>
#include <wx/popupwin.h>

#include <utility>
#include <vector>

class PvMenu;

class PvPopupMenu : public wxPopupTransientWindow {
public:
    // A member function of the target, as wxCommandEventHandler(Class::OnItem) gives it.
    using Handler = wxEventFunction;

    // parent: the title that opens the list.
    explicit PvPopupMenu(wxWindow* parent);

    // Appends an item and grows the list to fit it.
    void AddItem(const wxString& label, Handler handler, wxEvtHandler* target, int checkable);
    void CheckItem(int index, bool checked);
    bool IsItemChecked(int index) const;
    void EnableItem(int index);
    void DisableItem(int index);
    void SetCheckBitmap(const wxBitmap& image) { m_checkImage = image; }

    Handler GetItemHandler(int index) const;
    wxEvtHandler* GetItemTarget(int index) const;
    wxString GetItemLabel(int index) const;
    int GetCount() const { return m_count; }
    int GetItemHeight() const { return m_itemHeight; }
    int GetHighlighted() const { return m_highlighted; }

    bool Show(bool show = true) override;
    // Opens the list holding the pointer: GTK reports neither presses nor
    // motion outside a popup to it otherwise.
    void Popup(wxWindow* focus = nullptr) override;
    void Dismiss() override;
    bool ProcessLeftDown(wxMouseEvent& event) override;
    // Lights the first enabled item, as a list opened from the keyboard shows.
    void HighlightFirst();

    // The list as erase and paint draw it together.
    void DrawFace(wxDC& dc) const;

protected:
    void OnDismiss() override;

private:
    void OnMotion(wxMouseEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    // Escape closes the list; Up and Down walk the enabled items round the
    // ends; Return and Enter run the lit one; Left and Right open the
    // neighbouring title's list.
    void OnKeyDown(wxKeyEvent& event);
    void Highlight(int row);

    // Closes the list and runs the item, as a click on it does.
    void Choose(int row);

    PvMenu* Title() const;
    bool IsItem(int index) const { return index >= 0 && index < m_count; }
    void DrawBox(wxDC& dc) const;
    void DrawItems(wxDC& dc) const;
    void DrawCheck(wxDC& dc, int row) const;
    void RefreshRow(int row);

    wxColour m_normalColour;
    wxColour m_highlightColour;
    const wxColour* m_backgroundColour = nullptr;
    std::vector<wxString> m_labels;
    std::vector<Handler> m_handlers;
    std::vector<std::pair<int, int>> m_itemFlags;  // {checkable, checked}
    std::vector<wxEvtHandler*> m_targets;
    std::vector<bool> m_enabled;
    int m_count = 0;
    int m_lastTextWidth = 0;
    int m_widestTextWidth = 0;
    int m_lastTextHeight = 0;
    int m_itemHeight = 10;
    int m_width = 0;
    int m_leftMargin = 20;
    int m_rightMargin = 20;
    int m_topSpacing = 6;
    int m_bottomSpacing = 4;
    int m_highlighted = -1;
    int m_hover = -1;
    wxBitmap m_checkImage;

    wxDECLARE_CLASS(PvPopupMenu);
    wxDECLARE_EVENT_TABLE();
};
