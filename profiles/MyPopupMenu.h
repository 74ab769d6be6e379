// First level of the profile chooser's popup: the shown categories of the
// catalog held in memory, one row each, with the profiles of the hovered
// category in a MyLeafMenu at its right edge and a customise button and two
// spin buttons in its bottom strip.
//
// Keyboard, as in the toolkit's combo popup: Up and Down move the
// highlight, Right and Return enter the profile list, where Return chooses
// and Left goes back; Escape (also F4, Alt+Up) closes both levels.
//
// On GTK the popup is a transient popup window (override-redirect, with a
// pointer grab): it closes on a click outside it without needing a window
// manager. The profile list is a child of it, placed right of the category
// rows, so a click into the list stays inside the popup.
#pragma once

#include <wx/frame.h>
#include <wx/popupwin.h>

#include "MenuRowPainter.h"

#include <memory>
#include <vector>

struct AppSettings;
class MenuItemArray;
class MyLeafMenu;
class MyMenuItem;
class PvBitmapButton;
class wxDC;

class MyPopupMenu : public wxPopupTransientWindow {
public:
    enum {
        ID_CUSTOMIZE = 2202,
        ID_SPIN_LEFT = 2203,
        ID_SPIN_RIGHT = 2204,
        ID_LEAF_MENU = 2205,
    };
    static constexpr int kRowHeight = 28;
    static constexpr int kMaxVisibleRows = 15;
    static constexpr int kScrollThreshold = 10;
    static constexpr int kLeafWidth = 400;
    // The alias line of a row, from the row's top.
    static constexpr int kAliasY = 5;
    static constexpr int kAliasHeight = kRowHeight - 2 * kAliasY;
    static constexpr int kArrowRight = 30;

    MyPopupMenu();
    // `size` is the size of the category part; the profile list lies right of it.
    MyPopupMenu(wxWindow* parent, wxWindowID id, const wxString& title,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxBORDER_NONE, const wxString& name = wxFrameNameStr);
    ~MyPopupMenu() override;

    using wxPopupTransientWindow::Create;
    virtual bool Create(wxWindow* parent, wxWindowID id, const wxString& title,
                        const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                        const wxString& name = wxFrameNameStr);

    MenuItemArray* GetItems() const { return m_items.get(); }
    // The category the profile list shows, or "Recent" without a list.
    wxString GetCategory() const;
    MyLeafMenu* GetLeafMenu() const { return m_leaf; }

    void SetHideOnFocusLoss(bool hide) { m_hideOnFocusLoss = hide; }
    bool IsHideOnFocusLoss() const { return m_hideOnFocusLoss; }

    // Shows the categories with the hovered category's profiles.
    virtual void ShowPopup();
    // Hides both levels.
    virtual void HidePopup();

    void ResetHover();
    wxString GetAliasAt(int index) const;

    int GetFirstVisible() const { return m_firstVisible; }
    int GetLastVisible() const { return m_lastVisible; }
    int GetHoveredIndex() const { return m_hoveredIndex; }
    // The size of the category part.
    wxSize GetMenuSize() const { return m_menuSize; }
    // The row rectangle of the visible row `row`.
    wxRect GetRowRect(int row) const;
    // The alias of the category at `index` as drawn in the first row.
    MenuRowPainter::Text GetAliasText(int index) const;
    // Where the arrow and the icon of such a row lie.
    wxRect GetArrowRect() const;
    wxRect GetIconRect(int index) const;
    // The category that opens with the popup: the one holding the chooser's
    // current profile, else the first one that holds a profile, else the first.
    int FindStartCategory() const;

protected:
    virtual void DrawItems(wxDC& dc);
    void OnDismiss() override;

private:
    virtual void OnPaint(wxPaintEvent& event);
    virtual void OnEraseBackground(wxEraseEvent& event);
    virtual void OnMotion(wxMouseEvent& event);
    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void Customize(wxCommandEvent& event);
    void InitItems();
    // A new category list from the catalog, no row hovered or scrolled.
    void FillCategories();
    void LoadCategories();
    // Fills the list again when the catalog was read again since.
    void RefillIfCatalogChanged();
    void CreateSpinButtons();
    void MakeArrowBitmap();
    // Highlights the row under the point; returns the hovered entry's index.
    int HighlightRow(const wxPoint& point);
    void ShowLeaf();
    // Highlights the category at `index`, scrolled into view, and lists it.
    void HoverIndex(int index);
    void LayOutAliases();
    void OnCharHook(wxKeyEvent& event);
    void CloseByKey();
    void DrawRow(wxDC& dc, int row, bool highlighted);
    bool IsHighlightShown() const;
    void OnKillFocus(wxFocusEvent& event);
    void ScrollUp(wxCommandEvent& event);
    void ScrollDown(wxCommandEvent& event);
    void ScrollBy(int step);

    MyLeafMenu* m_leaf = nullptr;
    PvBitmapButton* m_customizeButton = nullptr;
    PvBitmapButton* m_leftSpin = nullptr;
    PvBitmapButton* m_rightSpin = nullptr;
    int m_clickedIndex = 0;
    int m_pointedIndex = -1;
    std::unique_ptr<wxBitmap> m_arrow;
    std::unique_ptr<MenuItemArray> m_items;
    std::vector<std::unique_ptr<MenuItemArray>> m_retiredItems;
    unsigned long m_catalogGeneration = 0;
    int m_hoveredRow = 100;
    bool m_highlightDrawn = false;
    int m_hoveredIndex = -1;
    int m_firstVisible = 0;
    int m_lastVisible = -1;
    int m_visibleCount = 0;
    bool m_hideOnFocusLoss = true;
    wxWindow* m_chooser = nullptr;
    AppSettings* m_settings = nullptr;
    wxSize m_menuSize;
    std::vector<MenuRowPainter::Text> m_aliasTexts;

    wxDECLARE_DYNAMIC_CLASS(MyPopupMenu);
    wxDECLARE_EVENT_TABLE();
};
