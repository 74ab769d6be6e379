#include "MyPopupMenu.h"

#include "AppSettings.h"
#include "CheckTreeDialog.h"
#include "FormatCatalog.h"
#include "ImageUtil.h"
#include "MenuItemArray.h"
#include "MenuRowPainter.h"
#include "MyLeafMenu.h"
#include "MyMenuItem.h"
#include "ProfileComboBox.h"
#include "PvBitmapButton.h"
#include "SkinButton.h"

#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/settings.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kArrowSize = 14;

// An image button of the popup's bottom strip on the popup's white ground.
PvBitmapButton* MakeStripButton(wxWindow* parent, int id, const wxString& normal,
                                const wxString& over, const wxPoint& pos)
{
    PvBitmapButton* button = SkinButton::Create(parent, id, pos, nullptr, normal, over);
    button->SetBackgroundColour(*wxWHITE);
    return button;
}

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(MyPopupMenu, wxPopupTransientWindow);

wxBEGIN_EVENT_TABLE(MyPopupMenu, wxPopupTransientWindow)
    EVT_PAINT(MyPopupMenu::OnPaint)
    EVT_MOTION(MyPopupMenu::OnMotion)
    EVT_LEFT_DOWN(MyPopupMenu::OnLeftDown)
    EVT_KILL_FOCUS(MyPopupMenu::OnKillFocus)
    EVT_CHAR_HOOK(MyPopupMenu::OnCharHook)

    EVT_BUTTON(MyPopupMenu::ID_CUSTOMIZE, MyPopupMenu::Customize)
    EVT_BUTTON(MyPopupMenu::ID_SPIN_LEFT, MyPopupMenu::ScrollUp)
    EVT_BUTTON(MyPopupMenu::ID_SPIN_RIGHT, MyPopupMenu::ScrollDown)
wxEND_EVENT_TABLE()

MyPopupMenu::MyPopupMenu() = default;

MyPopupMenu::MyPopupMenu(wxWindow* parent, wxWindowID id, const wxString& title,
                         const wxPoint& pos, const wxSize& size, long style,
                         const wxString& name)
{
    Create(parent, id, title, pos, size, style, name);
}

MyPopupMenu::~MyPopupMenu() = default;

bool MyPopupMenu::Create(wxWindow* parent, wxWindowID id, const wxString& title,
                         const wxPoint& pos, const wxSize& size, long style,
                         const wxString& name)
{
    if (!wxPopupTransientWindow::Create(parent, wxBORDER_NONE))
        return false;
    SetId(id);
    SetName(name);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxWHITE);

    m_settings = AppSettings::Get();
    m_chooser = parent;
    m_menuSize = size;

    InitItems();
    CreateSpinButtons();

    const wxPoint spinPos = m_leftSpin->GetPosition();
    m_customizeButton = MakeStripButton(this, ID_CUSTOMIZE, "surface/mypopmenu/custom.png",
                                        "surface/mypopmenu/custom_over.png",
                                        wxPoint(spinPos.x - 60 - 5, spinPos.y));
    m_customizeButton->Bind(wxEVT_KILL_FOCUS, &MyPopupMenu::OnKillFocus, this);

    const int leafHeight = GetCatalogPopupHeight();
    m_leaf = new MyLeafMenu(this, ID_LEAF_MENU, wxEmptyString, wxPoint(m_menuSize.x, 0),
                            wxSize(kLeafWidth, leafHeight), wxBORDER_NONE, wxFrameNameStr);
    m_leaf->Hide();
    m_leaf->Bind(wxEVT_KILL_FOCUS, &MyPopupMenu::OnKillFocus, this);

    SetSize(pos.x, pos.y, m_menuSize.x + kLeafWidth, std::max(m_menuSize.y, leafHeight));
    MakeArrowBitmap();
    LayOutAliases();
    return true;
}

void MyPopupMenu::InitItems()
{
    m_hideOnFocusLoss = true;
    FillCategories();
}

void MyPopupMenu::FillCategories()
{
    m_items = std::make_unique<MenuItemArray>();
    LoadCategories();
    m_hoveredRow = -1;
    m_hoveredIndex = -1;
    m_firstVisible = 0;
    const int count = static_cast<int>(m_items->GetCount());
    m_lastVisible = count <= kMaxVisibleRows ? count - 1 : kMaxVisibleRows - 1;
    m_visibleCount = m_lastVisible - m_firstVisible + 1;
}

void MyPopupMenu::LoadCategories()
{
    const wxXmlDocument* catalog = m_settings ? m_settings->catalog : nullptr;
    m_catalogGeneration = m_settings ? m_settings->catalogGeneration : 0;
    if (!catalog || !catalog->GetRoot())
        return;
    m_items->LoadShownChildren(catalog->GetRoot(), nullptr, false);
}

void MyPopupMenu::RefillIfCatalogChanged()
{
    if (!m_settings || m_settings->catalogGeneration == m_catalogGeneration)
        return;
    // The chooser's icon and the profile entries handed out point into the
    // old list: it lives on with the popup.
    m_retiredItems.push_back(std::move(m_items));
    FillCategories();
    LayOutAliases();
}

wxRect MyPopupMenu::GetArrowRect() const
{
    return wxRect(m_menuSize.x - kArrowRight, (kRowHeight - kArrowSize) / 2, kArrowSize, kArrowSize);
}

wxRect MyPopupMenu::GetIconRect(int index) const
{
    const MyMenuItem* item = m_items->ItemAt(index);
    if (!item || !item->GetImage())
        return wxRect();
    const wxSize size = item->GetImage()->GetSize();
    return wxRect(wxPoint(0, (kRowHeight - size.y) / 2), size);
}

MenuRowPainter::Text MyPopupMenu::GetAliasText(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_aliasTexts.size()))
        return {};
    return m_aliasTexts[index];
}

void MyPopupMenu::LayOutAliases()
{
    // One font for every row: the largest in which all aliases fit between
    // their icons and the arrows.
    m_aliasTexts.clear();
    const int right = GetArrowRect().x - 2;
    int widest = 0;
    for (size_t i = 0; i < m_items->GetCount(); ++i)
        widest = std::max(widest, GetIconRect(static_cast<int>(i)).width);
    std::vector<wxString> aliases;
    for (size_t i = 0; i < m_items->GetCount(); ++i)
        aliases.push_back(m_items->Item(i)->GetAlias());
    wxClientDC dc(this);
    const wxFont font = MenuRowPainter::FitFont(dc, false, kAliasHeight, aliases, right - 10 - widest);
    dc.SetFont(font);
    for (size_t i = 0; i < m_items->GetCount(); ++i) {
        const int x = 10 + GetIconRect(static_cast<int>(i)).width;
        m_aliasTexts.push_back({MenuRowPainter::Ellipsize(dc, aliases[i], right - x), font,
                                wxRect(x, kAliasY, right - x, kAliasHeight)});
    }
}

void MyPopupMenu::CreateSpinButtons()
{
    const int w = m_menuSize.x;
    const int h = m_menuSize.y;
    m_leftSpin = MakeStripButton(this, ID_SPIN_LEFT, "surface/mypopmenu/spinButton/left.png",
                                 "surface/mypopmenu/spinButton/left_over.png",
                                 wxPoint(w - 40 - 9, h - 25));
    m_leftSpin->Bind(wxEVT_KILL_FOCUS, &MyPopupMenu::OnKillFocus, this);
    const int leftWidth = m_leftSpin->GetSize().x;
    m_rightSpin = MakeStripButton(this, ID_SPIN_RIGHT, "surface/mypopmenu/spinButton/right.png",
                                  "surface/mypopmenu/spinButton/right_over.png",
                                  wxPoint(w + leftWidth - 40 - 8, h - 25));
    m_rightSpin->Bind(wxEVT_KILL_FOCUS, &MyPopupMenu::OnKillFocus, this);
}

void MyPopupMenu::MakeArrowBitmap()
{
    // A black triangle (7, 1), (7, 13), (13, 7) on red, red masked out. Set
    // pixel by pixel: an anti-aliased drawing would leave reddish edges.
    wxImage image(kArrowSize, kArrowSize);
    for (int y = 0; y < kArrowSize; ++y) {
        for (int x = 0; x < kArrowSize; ++x) {
            const bool inside = x >= 7 && x - 7 <= 6 - std::abs(y - 7);
            if (inside)
                image.SetRGB(x, y, 0, 0, 0);
            else
                image.SetRGB(x, y, 255, 0, 0);
        }
    }
    auto arrow = std::make_unique<wxBitmap>(image);
    arrow->SetMask(new wxMask(wxBitmap(image), *wxRED));
    m_arrow = std::move(arrow);
}

wxString MyPopupMenu::GetCategory() const
{
    if (!m_leaf)
        return "Recent";
    return m_leaf->GetCategory();
}

void MyPopupMenu::ResetHover()
{
    m_hoveredRow = -1;
    m_hoveredIndex = -1;
}

wxString MyPopupMenu::GetAliasAt(int index) const
{
    if (!m_items || index < 0 || index >= static_cast<int>(m_items->GetCount()))
        return wxEmptyString;
    return m_items->Item(index)->GetAlias();
}

wxRect MyPopupMenu::GetRowRect(int row) const
{
    return wxRect(0, row * kRowHeight, m_menuSize.x, kRowHeight);
}

bool MyPopupMenu::IsHighlightShown() const
{
    return m_highlightDrawn && m_hoveredRow >= 0 && m_hoveredRow < m_visibleCount &&
           m_hoveredIndex == m_hoveredRow + m_firstVisible;
}

void MyPopupMenu::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(0, 0, m_menuSize.x, m_menuSize.y);
    DrawItems(dc);
}

void MyPopupMenu::OnEraseBackground(wxEraseEvent&)
{
}

void MyPopupMenu::DrawItems(wxDC& dc)
{
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    m_visibleCount = m_lastVisible - m_firstVisible + 1;
    const bool highlight = IsHighlightShown();
    for (int row = 0; row < m_visibleCount; ++row)
        DrawRow(dc, row, highlight && row == m_hoveredRow);
}

void MyPopupMenu::DrawRow(wxDC& dc, int row, bool highlighted)
{
    const MyMenuItem* item = m_items->ItemAt(m_firstVisible + row);
    if (!item)
        return;
    const int index = m_firstVisible + row;
    const int top = row * kRowHeight;
    MenuRowPainter::PaintGround(dc, m_menuSize.x, top, kRowHeight, highlighted);

    if (const wxBitmap* icon = item->GetImage())
        dc.DrawBitmap(*icon, GetIconRect(index).GetTopLeft() + wxPoint(0, top), true);
    MenuRowPainter::Text alias = GetAliasText(index);
    alias.box.Offset(0, top);
    MenuRowPainter::DrawText(dc, alias);
    if (m_arrow)
        dc.DrawBitmap(*m_arrow, GetArrowRect().GetTopLeft() + wxPoint(0, top), true);
}

int MyPopupMenu::HighlightRow(const wxPoint& point)
{
    const int row = std::abs(point.y / kRowHeight);
    const int kept = m_hoveredRow + m_firstVisible;
    if (row > m_visibleCount - 1)
        return kept;
    if (row == m_hoveredRow && m_hoveredIndex == m_hoveredRow + m_firstVisible && m_highlightDrawn)
        return m_hoveredIndex;

    HoverIndex(row + m_firstVisible);
    return m_hoveredIndex;
}

void MyPopupMenu::HoverIndex(int index)
{
    const int count = static_cast<int>(m_items->GetCount());
    if (count == 0)
        return;
    index = std::max(0, std::min(index, count - 1));
    for (int before = -1; index < m_firstVisible && before != m_firstVisible;) {
        before = m_firstVisible;
        ScrollBy(-1);
    }
    for (int before = -1; index > m_lastVisible && before != m_firstVisible;) {
        before = m_firstVisible;
        ScrollBy(1);
    }
    if (index < m_firstVisible || index > m_lastVisible)
        return;

    m_highlightDrawn = true;
    if (m_hoveredRow < 0) {
        m_hoveredRow = 0;
        m_hoveredIndex = 0;
    }
    RefreshRect(GetRowRect(m_hoveredRow), false);
    m_hoveredRow = index - m_firstVisible;
    m_hoveredIndex = index;
    RefreshRect(GetRowRect(m_hoveredRow), false);

    if (m_leaf && m_leaf->GetCategory() != m_items->Item(m_hoveredIndex)->GetId())
        ShowLeaf();
}

int MyPopupMenu::FindStartCategory() const
{
    const wxXmlDocument* catalog = m_settings ? m_settings->catalog : nullptr;
    const auto* chooser = dynamic_cast<const ProfileComboBox*>(m_chooser);
    if (!catalog || !catalog->GetRoot() || m_items->IsEmpty())
        return 0;
    const wxString current = chooser ? chooser->GetValue() : wxString();
    int firstFilled = -1;
    for (size_t i = 0; i < m_items->GetCount(); ++i) {
        const wxString& id = m_items->Item(i)->GetId();
        for (const wxXmlNode* group = FirstElement(catalog->GetRoot()); group;
             group = NextElement(group)) {
            if (!IsShownNode(group) || group->GetAttribute("id", wxEmptyString) != id)
                continue;
            for (const wxXmlNode* profile = FirstElement(group); profile;
                 profile = NextElement(profile)) {
                if (!IsShownNode(profile))
                    continue;
                if (firstFilled < 0)
                    firstFilled = static_cast<int>(i);
                if (!current.empty() && profile->GetAttribute("alias", wxEmptyString) == current)
                    return static_cast<int>(i);
            }
            break;
        }
    }
    return firstFilled < 0 ? 0 : firstFilled;
}

void MyPopupMenu::OnMotion(wxMouseEvent& event)
{
    // The part right of the rows belongs to the profile list.
    if (event.GetX() >= m_menuSize.x)
        return;
    const int index = HighlightRow(event.GetPosition());
    if (index >= 0)
        m_pointedIndex = index;
}

void MyPopupMenu::OnLeftDown(wxMouseEvent&)
{
    // Profiles open by hovering; a category itself cannot be chosen.
    m_clickedIndex = m_pointedIndex;
}

void MyPopupMenu::ShowLeaf()
{
    if (!m_leaf || m_items->IsEmpty())
        return;
    const int index = m_hoveredIndex < 0 ? 0 : m_hoveredIndex;
    MyMenuItem* entry = m_items->Item(index);
    m_leaf->Move(m_menuSize.x, 0);
    m_leaf->SetCategory(entry->GetId());
    m_leaf->SetParentItem(entry);
    m_leaf->LoadItems();
    m_leaf->Refresh(true);
    m_leaf->Show();
}

void MyPopupMenu::ShowPopup()
{
    RefillIfCatalogChanged();
    // The category of the current profile is highlighted and listed.
    if (!m_items->IsEmpty()) {
        const int index = FindStartCategory();
        const int count = static_cast<int>(m_items->GetCount());
        if (index < m_firstVisible || index > m_lastVisible) {
            m_firstVisible = std::max(0, std::min(index, count - m_visibleCount));
            m_lastVisible = m_firstVisible + m_visibleCount - 1;
        }
        m_hoveredIndex = index;
        m_hoveredRow = index - m_firstVisible;
        m_highlightDrawn = true;
    }
    ShowLeaf();
    Refresh(false);
    Popup(this);
}

void MyPopupMenu::OnCharHook(wxKeyEvent& event)
{
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE || key == WXK_F4 || (key == WXK_UP && event.AltDown())) {
        CloseByKey();
        return;
    }
    const bool inProfiles = m_leaf && m_leaf->IsShown() && m_leaf->GetHighlightedIndex() >= 0;
    const bool enter = key == WXK_RETURN || key == WXK_NUMPAD_ENTER;
    if (inProfiles) {
        if (key == WXK_UP || key == WXK_DOWN)
            m_leaf->HighlightIndex(m_leaf->GetHighlightedIndex() + (key == WXK_UP ? -1 : 1));
        else if (enter) {
            const bool chosen = m_leaf->ChooseHighlighted();
            if (chosen && m_chooser)
                m_chooser->SetFocus();
        } else if (key == WXK_LEFT)
            m_leaf->ClearHighlight();
        else
            event.Skip();
        return;
    }
    if (key == WXK_UP || key == WXK_DOWN) {
        const int current = m_hoveredIndex < 0 ? 0 : m_hoveredIndex;
        HoverIndex(current + (key == WXK_UP ? -1 : 1));
    } else if (key == WXK_RIGHT || enter) {
        if (m_leaf && m_leaf->IsShown() && m_leaf->GetItems() && !m_leaf->GetItems()->IsEmpty()) {
            const auto* chooser = dynamic_cast<const ProfileComboBox*>(m_chooser);
            const int current = chooser ? m_leaf->FindAlias(chooser->GetValue()) : -1;
            m_leaf->HighlightIndex(current < 0 ? 0 : current);
        }
    } else {
        event.Skip();
    }
}

void MyPopupMenu::CloseByKey()
{
    HidePopup();
    if (m_chooser)
        m_chooser->SetFocus();
}

void MyPopupMenu::HidePopup()
{
    if (IsShown())
        Dismiss();
    OnDismiss();
}

void MyPopupMenu::OnDismiss()
{
    // Also reached directly when a click outside the popup closed it.
    if (m_leaf)
        m_leaf->Hide();
    m_highlightDrawn = false;
    if (m_chooser)
        m_chooser->Refresh(false);
}

void MyPopupMenu::OnKillFocus(wxFocusEvent& event)
{
    event.Skip();
    if (!m_hideOnFocusLoss || !IsShown())
        return;
    for (wxWindow* win = event.GetWindow(); win; win = win->GetParent()) {
        // wxDynamicCast would downcast before it checks the class.
        if (win->IsKindOf(wxCLASSINFO(MyPopupMenu)))
            return;
    }
    HidePopup();
}

void MyPopupMenu::ScrollUp(wxCommandEvent&)
{
    ScrollBy(-1);
}

void MyPopupMenu::ScrollDown(wxCommandEvent&)
{
    ScrollBy(1);
}

void MyPopupMenu::ScrollBy(int step)
{
    const int count = static_cast<int>(m_items->GetCount());
    if (count <= kScrollThreshold)
        return;
    if (step < 0 && m_firstVisible <= 0)
        return;
    if (step > 0 && m_lastVisible + 1 >= count)
        return;
    m_firstVisible += step;
    m_lastVisible += step;
    // The hover stays where it was; the rows are drawn without it.
    RefreshRect(wxRect(wxPoint(0, 0), m_menuSize), false);
}

void MyPopupMenu::Customize(wxCommandEvent&)
{
    HidePopup();
    CheckTreeDialog::RunModal();
}
