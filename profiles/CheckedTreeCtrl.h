// A tree of tri-state check boxes over the format catalog: categories and
// their profiles. The check state of an item is its image: 0 unchecked,
// 1 partial, 2 checked. Clicking a box or pressing Space toggles it; in multi
// mode a toggle sets the whole subtree and the parents follow their
// children. OK writes the states back as "isShow" into the catalog file.
//
// wxTreeCtrl on GTK is the generic tree, which has no check boxes of its own:
// the boxes are the images of an image list, from the theme or drawn here.
#pragma once

#include <wx/dynarray.h>
#include <wx/treectrl.h>
#include <wx/xml/xml.h>

#include <memory>
#include <vector>

class wxImageList;

class CheckedTreeCtrl : public wxTreeCtrl {
public:
    enum { STATE_UNCHECKED = 0, STATE_PARTIAL = 1, STATE_CHECKED = 2 };
    // Style bits of this tree (not passed to the toolkit): several checks at
    // once with subtrees and parents following, and in single mode, leave the
    // other checks alone.
    static constexpr long kMultiCheck = 0x0020 | 0x0040;
    static constexpr long kKeepOthers = 0x0200;

    CheckedTreeCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize, long style = 0,
                    const wxValidator& validator = wxDefaultValidator,
                    const wxString& name = wxTreeCtrlNameStr);
    ~CheckedTreeCtrl() override;

    // Only the tree changes its images.
    void SetImageList(wxImageList* imageList) override;
    void SetItemImage(const wxTreeItemId& item, int image,
                      wxTreeItemIcon which = wxTreeItemIcon_Normal) override;
    wxTreeItemId AddRoot(const wxString& text, int image = -1, int selectedImage = -1,
                         wxTreeItemData* data = nullptr) override;

    // Reads the catalog file into the tree (once); false when it cannot.
    bool LoadCatalog();
    // Cuts with "…" every label that would run past the visible width (left
    // of the vertical scroll bar). The tree's font is the largest whose line
    // is no taller than a check box.
    void FitLabels();
    // Sets the item to `state`, or with -1 to the next one (unchecked and
    // partial become checked, checked becomes unchecked).
    void ToggleItem(const wxTreeItemId& item, int state);
    // Recomputes the states of the item's subtree from its leaves; returns
    // the item's state.
    int UpdateParentState(const wxTreeItemId& item);
    void CheckAll();
    void UncheckAll();
    // Writes every loaded category's and profile's state as "isShow" into the
    // catalog file, then prunes "Recent". False, with the reason when one is
    // asked for, when nothing was written.
    bool SaveVisibility(wxString* reason = nullptr);
    // "Recent" hidden: shown again and emptied; shown: its hidden profiles go.
    static void PruneRecent(wxXmlDocument& document);
    bool HasNoCheckedProfile(size_t category) const;

    void SetItemState(const wxTreeItemId& item, bool checked);
    void Toggle(const wxTreeItemId& item);
    void UncheckSelection();
    wxTreeItemId GetFirstChecked() const;
    size_t GetCheckedItems(wxArrayTreeItemIds& items) const;
    void CollapseRemembered();

    int GetCheckState(const wxTreeItemId& item) const { return GetItemImage(item); }
    size_t GetCategoryCount() const { return m_categories.size(); }
    size_t GetProfileCount(size_t category) const { return m_profiles[category].size(); }
    wxTreeItemId GetCategoryItem(size_t category) const { return m_categories[category]; }
    wxTreeItemId GetProfileItem(size_t category, size_t profile) const
    {
        return m_profiles[category][profile];
    }
    wxString GetCatalogPath() const;

private:
    void OnItemExpanding(wxTreeEvent& event);
    void OnItemCollapsed(wxTreeEvent& event);
    void OnIconClick(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnSetFocus(wxFocusEvent& event);

    void BuildImageList();
    void SetImageState(const wxTreeItemId& item, int state);
    void SetSubtreeState(const wxTreeItemId& item, int state);

    wxArrayTreeItemIds m_checkedItems;
    bool m_singleMode = true;
    bool m_keepOthers = false;
    std::vector<wxTreeItemId> m_categories;
    std::vector<std::vector<wxTreeItemId>> m_profiles;
    std::unique_ptr<wxXmlDocument> m_document;
    wxArrayTreeItemIds m_partialItems;
    wxArrayTreeItemIds m_expandedItems;
    std::unique_ptr<wxImageList> m_images;

    wxDECLARE_EVENT_TABLE();
};
