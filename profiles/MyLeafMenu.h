// Second level of the profile chooser's popup: the shown profiles of one
// category in rows of 45 pixels (icon, bold alias, description in up to two
// lines), with a vertical scroll bar when they do not fit. Every filling
// reads the program's catalog in memory, which each catalog save brings up
// to date. A click on a row sends the choice to the chooser and closes the
// popup.
//
// The scroll bar is drawn by the list itself: GTK's own bar in a popup is a
// thin overlay line that most users never find. It is dragged by its thumb,
// a press on its trough moves the thumb there (as GTK's primary button
// does), and the wheel scrolls one row per notch.
//
// It is a child of the category popup (see MyPopupMenu), not a window of
// its own, so that the popup's pointer grab covers it.
#pragma once

#include <wx/window.h>
#include <wx/bitmap.h>
#include <wx/frame.h>
#include <wx/xml/xml.h>

#include "MenuRowPainter.h"

#include <memory>
#include <vector>

class MenuItemArray;
class MyMenuItem;
class wxDC;

class MyLeafMenu : public wxWindow {
public:
    static constexpr int kRowHeight = 45;
    static constexpr int kDescriptionWidth = 340;
    static constexpr int kCloseIconX = 300;
    static constexpr int kScrollBarWidth = 14;
    static constexpr int kMinThumbHeight = 20;
    // Lines of a row, from the row's top: the alias, and the description in
    // one line or in two.
    static constexpr int kAliasY = 2;
    static constexpr int kAliasHeight = 12;
    static constexpr int kDescriptionY = 22;
    static constexpr int kDescriptionLineHeight = 13;
    static constexpr int kFirstLineY = kDescriptionY - 8;
    static constexpr int kSecondLineY = kDescriptionY + 5;

    MyLeafMenu();
    MyLeafMenu(wxWindow* parent, wxWindowID id, const wxString& title,
               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
               long style = wxBORDER_NONE, const wxString& name = wxFrameNameStr);
    ~MyLeafMenu() override;

    virtual bool Create(wxWindow* parent, wxWindowID id, const wxString& title,
                        const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                        const wxString& name = wxFrameNameStr);

    void SetCategory(const wxString& id) { m_category = id; }
    wxString GetCategory() const { return m_category; }
    bool IsUserDefined() const { return m_category == "User Defined"; }
    void SetParentItem(MyMenuItem* item) { m_parentItem = item; }
    MyMenuItem* GetParentItem() const { return m_parentItem; }

    // Fills the list from the program's catalog.
    void LoadItems();

    // Puts the profile described by the spare node (GetSourceNode) at the
    // top of the "Recent" category of the catalog file, keeping at most ten.
    // Both edits change the file as it is now (LiveCatalog::Update).
    void AddToRecent();
    // Removes the profile with the node's "id" from "User Defined" in the
    // catalog file.
    void DeleteUserProfile(const wxXmlNode* node);
    wxXmlNode* GetSourceNode() const { return m_spareNode.get(); }
    wxString GetEmptyText() const { return wxEmptyString; }

    MenuItemArray* GetItems() const { return m_items.get(); }
    int GetRowsPerPage() const { return m_rowsPerPage; }
    int GetFirstVisible() const { return m_firstVisible; }
    int GetLastVisible() const { return m_lastVisible; }
    int GetHighlightedIndex() const { return m_highlightedIndex; }
    int GetChosenIndex() const { return m_chosenIndex; }
    bool IsCloseIconHovered() const { return m_closeHover; }
    // The two lines a description is drawn in: the first is empty when the
    // text fits in one line of `width` pixels.
    static void SplitDescription(wxDC& dc, const wxString& text, wxString& first,
                                 wxString& rest, int width = kDescriptionWidth);

    // The texts of the profile at `index` as drawn when it is the first
    // visible row (row top 0); empty outside the list.
    std::vector<MenuRowPainter::Text> GetRowTexts(int index) const;
    // The rectangle its icon covers in such a row, empty without an icon.
    wxRect GetIconRect(int index) const;
    wxRect GetCloseIconRect(int row) const;
    bool HasScrollBar() const;
    wxRect GetScrollBarRect() const;
    wxRect GetThumbRect() const;

    // Keyboard: moves the highlight to the profile (clamped to the list),
    // scrolling it into view; clears it; chooses the highlighted profile.
    void HighlightIndex(int index);
    void ClearHighlight();
    bool ChooseHighlighted();
    // The index of the first profile with this alias, or -1.
    int FindAlias(const wxString& alias) const;

    bool Show(bool show = true) override;

protected:
    virtual void DrawItems(wxDC& dc);
    wxSize DoGetBestSize() const override;

private:
    virtual void OnPaint(wxPaintEvent& event);
    virtual void OnEraseBackground(wxEraseEvent& event);
    virtual void OnMotion(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnLeave(wxMouseEvent& event);
    void Choose(int index);
    // Shows the rows from `first` on; with `followPointer` the row under a
    // pointer that has not moved becomes the highlighted one.
    void ScrollToRow(int first, bool followPointer);
    void DragThumbTo(int y);
    void EndBarDrag();
    void PointAtPointer();
    int HighlightRow(const wxPoint& point, bool& closeHover);
    void DrawRow(wxDC& dc, int row, bool highlighted);
    void DrawScrollBar(wxDC& dc);
    void LayOutRows();
    int TextRight() const;
    bool IsHighlightShown() const;
    wxRect GetRowRect(int row) const;
    // The part of the window that holds rows (left of the scroll bar).
    wxRect GetRowsArea() const;
    void TrimRecent(wxXmlNode* recent, int count);

    wxString m_category;
    std::unique_ptr<wxXmlNode> m_spareNode;
    int m_chosenIndex = 0;
    int m_pointedIndex = -1;
    std::unique_ptr<MenuItemArray> m_items;
    int m_rowsPerPage = 0;
    int m_highlightedRow = -1;
    int m_highlightedIndex = -1;
    int m_firstVisible = 0;
    int m_lastVisible = -1;
    int m_visibleCount = 0;
    bool m_closeHover = false;
    wxWindow* m_chooser = nullptr;
    MyMenuItem* m_parentItem = nullptr;
    wxBitmap m_closeImage;
    wxBitmap m_closeOverImage;
    // The drawn texts of every listed profile, from its row's top.
    std::vector<std::vector<MenuRowPainter::Text>> m_rowTexts;
    bool m_barDragging = false;
    bool m_barHover = false;
    int m_barGrabOffset = 0;

    wxDECLARE_DYNAMIC_CLASS(MyLeafMenu);
    wxDECLARE_EVENT_TABLE();
};
