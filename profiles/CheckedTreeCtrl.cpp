#include "CheckedTreeCtrl.h"

#include "FormatCatalog.h"
#include "ImageUtil.h"
#include "LiveCatalog.h"
#include "MenuRowPainter.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/imaglist.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include <algorithm>

namespace {

constexpr int kBoxSize = 16;
const char* const kRootText = "dfdfdffdfdf";

// A check box drawn by the toolkit, for a theme without the pictures.
wxBitmap DrawBox(wxWindow* window, bool checked)
{
    wxBitmap bitmap(kBoxSize, kBoxSize);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    wxRendererNative::Get().DrawCheckBox(window, dc, wxRect(0, 0, kBoxSize, kBoxSize),
                                         checked ? int(wxCONTROL_CHECKED) : 0);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

void SetShowValue(wxXmlNode* node, const wxString& value)
{
    // Rewritten in place, so that the element keeps its attribute order.
    for (wxXmlAttribute* attribute = node->GetAttributes(); attribute; attribute = attribute->GetNext())
        if (attribute->GetName() == "isShow") {
            attribute->SetValue(value);
            return;
        }
    node->AddAttribute("isShow", value);
}

}  // namespace

wxBEGIN_EVENT_TABLE(CheckedTreeCtrl, wxTreeCtrl)
    EVT_TREE_ITEM_EXPANDING(wxID_ANY, CheckedTreeCtrl::OnItemExpanding)
    EVT_TREE_ITEM_COLLAPSED(wxID_ANY, CheckedTreeCtrl::OnItemCollapsed)

    EVT_LEFT_DOWN(CheckedTreeCtrl::OnIconClick)
    EVT_LEFT_DCLICK(CheckedTreeCtrl::OnIconClick)
    EVT_KEY_DOWN(CheckedTreeCtrl::OnKeyDown)
    EVT_SET_FOCUS(CheckedTreeCtrl::OnSetFocus)
wxEND_EVENT_TABLE()

CheckedTreeCtrl::CheckedTreeCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                 const wxSize& size, long style, const wxValidator& validator,
                                 const wxString& name)
    : m_singleMode((style & kMultiCheck) == 0), m_keepOthers((style & kKeepOthers) != 0)
{
    wxTreeCtrl::Create(parent, id, pos, size, style & ~(kMultiCheck | kKeepOthers), validator, name);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_BMP))
        wxImage::AddHandler(new wxBMPHandler);
    {
        // Before any item, so that the rows are measured in it.
        wxClientDC dc(this);
        SetFont(MenuRowPainter::FitFont(dc, false, kBoxSize));
    }
    BuildImageList();
    LoadCatalog();
    wxTreeCtrl::SetImageList(m_images.get());
}

CheckedTreeCtrl::~CheckedTreeCtrl()
{
    wxTreeCtrl::SetImageList(nullptr);
}

void CheckedTreeCtrl::BuildImageList()
{
    m_images = std::make_unique<wxImageList>(kBoxSize, kBoxSize, true);
    const wxBitmap unchecked = ImageUtil::LoadThemeBitmapValue("surface/customise/unchecked.png");
    const wxBitmap checked = ImageUtil::LoadThemeBitmapValue("surface/customise/checked.png");
    const wxBitmap boxes[3] = {
        unchecked.IsOk() ? unchecked : DrawBox(this, false),
        // A partial box looks like an unchecked one.
        unchecked.IsOk() ? unchecked : DrawBox(this, false),
        checked.IsOk() ? checked : DrawBox(this, true),
    };
    for (const wxBitmap& box : boxes) {
        wxIcon icon;
        icon.CopyFromBitmap(box);
        m_images->Add(icon);
    }
}

void CheckedTreeCtrl::SetImageList(wxImageList*)
{
}

void CheckedTreeCtrl::SetItemImage(const wxTreeItemId&, int, wxTreeItemIcon)
{
}

wxTreeItemId CheckedTreeCtrl::AddRoot(const wxString& text, int image, int, wxTreeItemData* data)
{
    return wxTreeCtrl::AddRoot(text, image, -1, data);
}

void CheckedTreeCtrl::SetImageState(const wxTreeItemId& item, int state)
{
    wxTreeCtrl::SetItemImage(item, state, wxTreeItemIcon_Normal);
}

wxString CheckedTreeCtrl::GetCatalogPath() const
{
    return LiveCatalog::Path();
}

bool CheckedTreeCtrl::LoadCatalog()
{
    if (m_document)
        return GetRootItem().IsOk();
    m_document = std::make_unique<wxXmlDocument>();
    if (!LoadCatalogFile(*m_document, GetCatalogPath()))
        return false;

    const wxTreeItemId root = AddRoot(kRootText, STATE_CHECKED);
    for (const wxXmlNode* group = FirstElement(m_document->GetRoot()); group; group = NextElement(group)) {
        const int groupState = IsShownNode(group) ? STATE_CHECKED : STATE_UNCHECKED;
        const wxTreeItemId category =
            AppendItem(root, group->GetAttribute("alias", wxEmptyString), groupState);
        m_categories.push_back(category);
        m_profiles.emplace_back();
        std::vector<int> states;
        for (const wxXmlNode* profile = FirstElement(group); profile; profile = NextElement(profile)) {
            const int state = IsShownNode(profile) ? STATE_CHECKED : STATE_UNCHECKED;
            states.push_back(state);
            m_profiles.back().push_back(
                AppendItem(category, profile->GetAttribute("alias", wxEmptyString), state));
        }
        // A shown category with a hidden profile opens partial: uncheck it
        // whole, then check its shown profiles again.
        const bool someHidden =
            std::find(states.begin(), states.end(), STATE_UNCHECKED) != states.end();
        if (groupState == STATE_CHECKED && someHidden) {
            ToggleItem(category, -1);
            for (size_t j = 0; j < states.size(); ++j)
                if (states[j] == STATE_CHECKED)
                    ToggleItem(m_profiles.back()[j], -1);
        }
    }
    return true;
}

void CheckedTreeCtrl::FitLabels()
{
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    CalculatePositions();
    // The scroll bar may not be up yet: its room is kept free all the same.
    const int right = std::min(GetClientSize().x,
                               GetSize().x - wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this)) - 2;
    for (size_t i = 0; i < m_categories.size(); ++i) {
        std::vector<wxTreeItemId> items{m_categories[i]};
        items.insert(items.end(), m_profiles[i].begin(), m_profiles[i].end());
        for (const wxTreeItemId& item : items) {
            wxRect rect;
            if (GetBoundingRect(item, rect, true))
                SetItemText(item, MenuRowPainter::Ellipsize(dc, GetItemText(item), right - rect.x));
        }
    }
    // The scrolled width follows the cut labels.
    AdjustMyScrollbars();
}

void CheckedTreeCtrl::SetSubtreeState(const wxTreeItemId& item, int state)
{
    SetImageState(item, state);
    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = GetFirstChild(item, cookie); child.IsOk();
         child = GetNextChild(item, cookie))
        SetSubtreeState(child, state);
}

void CheckedTreeCtrl::ToggleItem(const wxTreeItemId& item, int state)
{
    if (!item.IsOk())
        return;
    if (state == -1) {
        state = (GetItemImage(item) + 1) % 3;
        if (state == STATE_PARTIAL)
            state = STATE_CHECKED;
    }
    if (m_singleMode && !m_keepOthers && GetRootItem().IsOk())
        SetSubtreeState(GetRootItem(), STATE_UNCHECKED);
    if (state == STATE_CHECKED)
        m_checkedItems.Add(item);
    else if (state == STATE_PARTIAL)
        m_partialItems.Add(item);
    SetImageState(item, state);
    if (m_singleMode)
        return;

    wxTreeItemIdValue cookie;
    for (wxTreeItemId child = GetFirstChild(item, cookie); child.IsOk();
         child = GetNextChild(item, cookie))
        ToggleItem(child, state);
    UpdateParentState(GetRootItem());
}

int CheckedTreeCtrl::UpdateParentState(const wxTreeItemId& item)
{
    if (!item.IsOk())
        return STATE_UNCHECKED;
    const int old = GetItemImage(item);
    wxTreeItemIdValue cookie;
    wxTreeItemId child = GetFirstChild(item, cookie);
    if (!child.IsOk())
        return old;
    bool allChecked = true;
    bool allUnchecked = true;
    for (; child.IsOk(); child = GetNextChild(item, cookie)) {
        const int state = UpdateParentState(child);
        allChecked = allChecked && state == STATE_CHECKED;
        allUnchecked = allUnchecked && state == STATE_UNCHECKED;
    }
    const int state = allChecked ? STATE_CHECKED : allUnchecked ? STATE_UNCHECKED : STATE_PARTIAL;
    if (state != old) {
        if (state == STATE_CHECKED)
            m_checkedItems.Add(item);
        else if (state == STATE_PARTIAL)
            m_partialItems.Add(item);
        SetImageState(item, state);
    }
    return state;
}

void CheckedTreeCtrl::UncheckAll()
{
    if (m_singleMode)
        SetSubtreeState(GetRootItem(), STATE_UNCHECKED);
    else
        ToggleItem(GetRootItem(), STATE_UNCHECKED);
}

void CheckedTreeCtrl::CheckAll()
{
    UncheckAll();
    ToggleItem(GetRootItem(), STATE_CHECKED);
}

bool CheckedTreeCtrl::HasNoCheckedProfile(size_t category) const
{
    for (const wxTreeItemId& profile : m_profiles[category])
        if (GetItemImage(profile) == STATE_CHECKED)
            return false;
    return true;
}

bool CheckedTreeCtrl::SaveVisibility(wxString* reason)
{
    std::vector<wxString> categoryValues;
    std::vector<std::vector<wxString>> profileValues;
    for (size_t i = 0; i < m_categories.size(); ++i) {
        const bool shown =
            GetItemImage(m_categories[i]) == STATE_CHECKED || !HasNoCheckedProfile(i);
        categoryValues.push_back(shown ? "1" : "0");
        profileValues.emplace_back();
        for (const wxTreeItemId& profile : m_profiles[i])
            profileValues.back().push_back(GetItemImage(profile) == STATE_CHECKED ? "1" : "0");
    }

    // The file as it is now, not as it was when the tree was filled; one
    // write for both changes: a failure leaves the old catalog whole.
    auto document = std::make_unique<wxXmlDocument>();
    const bool saved = LiveCatalog::Update(
        *document,
        [&](wxXmlDocument& fresh, wxString&) {
            size_t j = 0;
            for (wxXmlNode* group = FirstElement(fresh.GetRoot());
                 group && j < categoryValues.size(); group = NextElement(group), ++j) {
                SetShowValue(group, categoryValues[j]);
                size_t k = 0;
                for (wxXmlNode* profile = FirstElement(group); profile && k < profileValues[j].size();
                     profile = NextElement(profile), ++k)
                    SetShowValue(profile, profileValues[j][k]);
            }
            PruneRecent(fresh);
            return true;
        },
        1, reason);
    if (saved)
        m_document = std::move(document);
    return saved;
}

void CheckedTreeCtrl::PruneRecent(wxXmlDocument& document)
{
    wxXmlNode* recent = FirstElement(document.GetRoot());
    while (recent && recent->GetAttribute("id") != "Recent")
        recent = NextElement(recent);
    if (!recent)
        return;
    const wxString show = recent->GetAttribute("isShow");
    if (show != "0" && show != "1")
        return;
    if (show == "0")
        SetShowValue(recent, "1");
    for (wxXmlNode* profile = FirstElement(recent); profile;) {
        wxXmlNode* next = NextElement(profile);
        if (show == "0" || profile->GetAttribute("isShow") == "0") {
            recent->RemoveChild(profile);
            delete profile;
        }
        profile = next;
    }
}

void CheckedTreeCtrl::SetItemState(const wxTreeItemId& item, bool checked)
{
    ToggleItem(item, checked ? STATE_CHECKED : STATE_UNCHECKED);
}

void CheckedTreeCtrl::Toggle(const wxTreeItemId& item)
{
    ToggleItem(item, -1);
}

void CheckedTreeCtrl::UncheckSelection()
{
    const wxTreeItemId selection = GetSelection();
    if (selection.IsOk())
        ToggleItem(selection, STATE_UNCHECKED);
}

wxTreeItemId CheckedTreeCtrl::GetFirstChecked() const
{
    return m_checkedItems.IsEmpty() ? wxTreeItemId() : m_checkedItems[0];
}

size_t CheckedTreeCtrl::GetCheckedItems(wxArrayTreeItemIds& items) const
{
    items = m_checkedItems;
    return items.GetCount();
}

void CheckedTreeCtrl::CollapseRemembered()
{
    const wxArrayTreeItemIds expanded = m_expandedItems;
    Freeze();
    for (size_t i = 0; i < expanded.GetCount(); ++i)
        Collapse(expanded[i]);
    Thaw();
}

void CheckedTreeCtrl::OnItemExpanding(wxTreeEvent& event)
{
    event.Skip();
    if (HasFlag(wxTR_HIDE_ROOT) && event.GetItem() == GetRootItem())
        return;
    m_expandedItems.Add(event.GetItem());
}

void CheckedTreeCtrl::OnItemCollapsed(wxTreeEvent& event)
{
    const wxTreeItemId item = event.GetItem();
    m_expandedItems.erase(std::remove(m_expandedItems.begin(), m_expandedItems.end(), item),
                          m_expandedItems.end());
}

void CheckedTreeCtrl::OnIconClick(wxMouseEvent& event)
{
    int flags = 0;
    const wxTreeItemId item = HitTest(event.GetPosition(), flags);
    if (item.IsOk() && (flags & wxTREE_HITTEST_ONITEMICON)) {
        ToggleItem(item, -1);
        return;
    }
    event.Skip();
}

void CheckedTreeCtrl::OnKeyDown(wxKeyEvent& event)
{
    const wxTreeItemId selection = GetSelection();
    if (event.GetKeyCode() == WXK_SPACE && selection.IsOk()) {
        ToggleItem(selection, -1);
        return;
    }
    event.Skip();
}

void CheckedTreeCtrl::OnSetFocus(wxFocusEvent& event)
{
    event.Skip();
}
