#include "MyLeafMenu.h"

#include "AppSettings.h"
#include "FileUtil.h"
#include "FormatCatalog.h"
#include "ImageUtil.h"
#include "LiveCatalog.h"
#include "MenuItemArray.h"
#include "MenuRowPainter.h"
#include "MyMenuItem.h"
#include "MyPopupMenu.h"

#include <wx/dcclient.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kRecentLimit = 10;
const char* const kProfileAttributes[] = {
    "seq", "level", "isShow", "id", "alias", "image", "description", "transfer_extra_param",
};

wxXmlNode* CategoryNode(wxXmlDocument& document, const wxString& id)
{
    return const_cast<wxXmlNode*>(FirstChildWithId(document.GetRoot(), id));
}

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(MyLeafMenu, wxWindow);

wxBEGIN_EVENT_TABLE(MyLeafMenu, wxWindow)
    EVT_PAINT(MyLeafMenu::OnPaint)
    EVT_ERASE_BACKGROUND(MyLeafMenu::OnEraseBackground)
    EVT_MOTION(MyLeafMenu::OnMotion)
    EVT_LEFT_DOWN(MyLeafMenu::OnLeftDown)
    EVT_LEFT_DCLICK(MyLeafMenu::OnLeftDown)
    EVT_LEFT_UP(MyLeafMenu::OnLeftUp)
    EVT_MOUSEWHEEL(MyLeafMenu::OnWheel)
    EVT_MOUSE_CAPTURE_LOST(MyLeafMenu::OnCaptureLost)
    EVT_LEAVE_WINDOW(MyLeafMenu::OnLeave)
wxEND_EVENT_TABLE()

MyLeafMenu::MyLeafMenu() = default;

MyLeafMenu::MyLeafMenu(wxWindow* parent, wxWindowID id, const wxString& title,
                       const wxPoint& pos, const wxSize& size, long style, const wxString& name)
{
    Create(parent, id, title, pos, size, style, name);
}

MyLeafMenu::~MyLeafMenu()
{
    if (HasCapture())
        ReleaseMouse();
}

bool MyLeafMenu::Create(wxWindow* parent, wxWindowID id, const wxString&, const wxPoint& pos,
                        const wxSize& size, long style, const wxString& name)
{
    m_spareNode = std::make_unique<wxXmlNode>(wxXML_ELEMENT_NODE, wxEmptyString);
    m_chooser = parent ? parent->GetParent() : nullptr;
    m_closeHover = false;

    if (!wxWindow::Create(parent, id, pos, size, style, name))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxWHITE);

    m_rowsPerPage = size.y / kRowHeight;
    m_items = std::make_unique<MenuItemArray>();
    m_closeImage = ImageUtil::LoadThemeBitmapValue("surface/mypopmenu/close.png");
    m_closeOverImage = ImageUtil::LoadThemeBitmapValue("surface/mypopmenu/close_over.png");
    return true;
}

wxSize MyLeafMenu::DoGetBestSize() const
{
    return wxSize(100, 100);
}

void MyLeafMenu::LoadItems()
{
    m_items = std::make_unique<MenuItemArray>();
    m_highlightedRow = -1;
    m_highlightedIndex = -1;
    m_pointedIndex = -1;
    m_closeHover = false;
    EndBarDrag();
    // The program's one catalog, which every successful save brings up to date.
    const AppSettings* settings = AppSettings::Get();
    if (settings && settings->catalog)
        m_items->LoadShownChildren(FirstChildWithId(settings->catalog->GetRoot(), m_category),
                                   m_parentItem, true);

    const int count = static_cast<int>(m_items->GetCount());
    m_firstVisible = 0;
    m_lastVisible = m_rowsPerPage < count ? m_rowsPerPage - 1 : count - 1;
    m_visibleCount = m_lastVisible - m_firstVisible + 1;
    LayOutRows();
    Refresh();
}

int MyLeafMenu::TextRight() const
{
    int right = GetClientSize().x - 3;
    if (HasScrollBar())
        right = GetScrollBarRect().x - 3;
    // The delete icon of a user profile keeps the texts beside it clear.
    if (IsUserDefined())
        right = std::min(right, kCloseIconX - 4);
    return right;
}

void MyLeafMenu::LayOutRows()
{
    m_rowTexts.clear();
    wxClientDC dc(this);
    const wxFont aliasFont = MenuRowPainter::FitFont(dc, true, kAliasHeight);
    const wxFont descriptionFont = MenuRowPainter::FitFont(dc, false, kDescriptionLineHeight);
    const int right = TextRight();
    for (size_t i = 0; i < m_items->GetCount(); ++i) {
        const MyMenuItem* item = m_items->Item(i);
        const int x = 10 + (item->GetImage() ? item->GetImage()->GetWidth() : 0);
        const int width = std::min(right - x, kDescriptionWidth);
        std::vector<MenuRowPainter::Text> texts;

        dc.SetFont(aliasFont);
        texts.push_back({MenuRowPainter::Ellipsize(dc, item->GetAlias(), width), aliasFont,
                         wxRect(x, kAliasY, width, kAliasHeight)});

        dc.SetFont(descriptionFont);
        wxString first;
        wxString rest;
        SplitDescription(dc, item->GetDescription(), first, rest, width);
        if (first.empty() && dc.GetTextExtent(rest).x <= width) {
            texts.push_back({rest, descriptionFont,
                             wxRect(x, kDescriptionY, width, kDescriptionLineHeight)});
        } else {
            texts.push_back({first, descriptionFont,
                             wxRect(x, kFirstLineY, width, kDescriptionLineHeight)});
            texts.push_back({MenuRowPainter::Ellipsize(dc, rest, width), descriptionFont,
                             wxRect(x, kSecondLineY, width, kDescriptionLineHeight)});
        }
        m_rowTexts.push_back(std::move(texts));
    }
}

std::vector<MenuRowPainter::Text> MyLeafMenu::GetRowTexts(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_rowTexts.size()))
        return {};
    return m_rowTexts[index];
}

wxRect MyLeafMenu::GetIconRect(int index) const
{
    const MyMenuItem* item = m_items->ItemAt(index);
    if (!item || !item->GetImage())
        return wxRect();
    return wxRect(wxPoint(0, 3), item->GetImage()->GetSize());
}

bool MyLeafMenu::HasScrollBar() const
{
    return m_items && static_cast<int>(m_items->GetCount()) > m_rowsPerPage;
}

wxRect MyLeafMenu::GetScrollBarRect() const
{
    const wxSize size = GetClientSize();
    return wxRect(size.x - 1 - kScrollBarWidth, 1, kScrollBarWidth, size.y - 2);
}

wxRect MyLeafMenu::GetThumbRect() const
{
    const wxRect trough = GetScrollBarRect();
    const int count = static_cast<int>(m_items->GetCount());
    if (!HasScrollBar())
        return wxRect();
    const int height =
        std::min(trough.height, std::max(kMinThumbHeight, trough.height * m_rowsPerPage / count));
    const int range = count - m_rowsPerPage;
    const int top = trough.y + (trough.height - height) * m_firstVisible / range;
    return wxRect(trough.x + 2, top, trough.width - 4, height);
}

wxRect MyLeafMenu::GetRowsArea() const
{
    const wxSize size = GetClientSize();
    const int width = HasScrollBar() ? GetScrollBarRect().x : size.x;
    return wxRect(0, 0, width, size.y);
}

wxRect MyLeafMenu::GetRowRect(int row) const
{
    return wxRect(0, row * kRowHeight, GetClientSize().x, kRowHeight);
}

wxRect MyLeafMenu::GetCloseIconRect(int row) const
{
    const wxBitmap& image = m_closeOverImage.IsOk() ? m_closeOverImage : m_closeImage;
    const wxSize size = image.IsOk() ? image.GetSize() : wxSize(0, 0);
    return wxRect(wxPoint(kCloseIconX, row * kRowHeight + 3), size);
}

bool MyLeafMenu::IsHighlightShown() const
{
    return m_highlightedRow >= 0 && m_highlightedRow < m_visibleCount &&
           m_highlightedIndex == m_highlightedRow + m_firstVisible;
}

void MyLeafMenu::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(0, 0, size.x, size.y);
    // No outline where the list touches the category rows.
    dc.SetPen(*wxWHITE_PEN);
    dc.DrawLine(0, 0, 0, size.y);
    DrawItems(dc);
}

void MyLeafMenu::OnEraseBackground(wxEraseEvent&)
{
}

void MyLeafMenu::DrawItems(wxDC& dc)
{
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    m_visibleCount = m_lastVisible - m_firstVisible + 1;
    const bool highlight = IsHighlightShown();
    for (int row = 0; row < m_visibleCount; ++row)
        DrawRow(dc, row, highlight && row == m_highlightedRow);
    DrawScrollBar(dc);
}

void MyLeafMenu::DrawScrollBar(wxDC& dc)
{
    if (!HasScrollBar())
        return;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(232, 232, 232)));
    dc.DrawRectangle(GetScrollBarRect());
    const wxColour thumb = m_barDragging ? wxColour(90, 90, 90)
                           : m_barHover  ? wxColour(120, 120, 120)
                                         : wxColour(150, 150, 150);
    dc.SetBrush(wxBrush(thumb));
    dc.DrawRoundedRectangle(GetThumbRect(), 3.0);
}

void MyLeafMenu::DrawRow(wxDC& dc, int row, bool highlighted)
{
    const MyMenuItem* item = m_items->ItemAt(m_firstVisible + row);
    if (!item)
        return;
    const int top = row * kRowHeight;
    MenuRowPainter::PaintGround(dc, GetRowsArea().width + 1, top, kRowHeight, highlighted);

    if (const wxBitmap* icon = item->GetImage())
        dc.DrawBitmap(*icon, 0, top + 3, true);
    for (MenuRowPainter::Text text : GetRowTexts(m_firstVisible + row)) {
        text.box.Offset(0, top);
        MenuRowPainter::DrawText(dc, text);
    }

    if (highlighted && IsUserDefined()) {
        const wxBitmap& close = m_closeHover && m_closeOverImage.IsOk() ? m_closeOverImage
                                                                         : m_closeImage;
        if (close.IsOk())
            dc.DrawBitmap(close, kCloseIconX, top + 3, true);
    }
}

void MyLeafMenu::SplitDescription(wxDC& dc, const wxString& text, wxString& first,
                                  wxString& rest, int width)
{
    if (dc.GetTextExtent(text).x <= width) {
        first.clear();
        rest = text;
        return;
    }
    first = text.BeforeLast(' ');
    while (!first.empty() && dc.GetTextExtent(first).x >= width)
        first = first.BeforeLast(' ');
    rest = text.Mid(first.length());
}

int MyLeafMenu::HighlightRow(const wxPoint& point, bool& closeHover)
{
    const int row = std::abs(point.y / kRowHeight);
    // Below the rows the highlighted profile stays the pointed one; with none
    // highlighted (or the highlight scrolled away) nothing is pointed at.
    if (row > m_visibleCount - 1)
        return IsHighlightShown() ? m_highlightedIndex : -1;

    if (row != m_highlightedRow || m_highlightedIndex != m_highlightedRow + m_firstVisible) {
        if (m_highlightedRow < 0) {
            m_highlightedRow = 0;
            m_highlightedIndex = 0;
        }
        RefreshRect(GetRowRect(m_highlightedRow), false);
        m_highlightedRow = row;
        m_highlightedIndex = m_firstVisible + row;
        closeHover = false;
        RefreshRect(GetRowRect(m_highlightedRow), false);
        return m_highlightedRow + m_firstVisible;
    }

    const bool wasHovered = closeHover;
    closeHover = IsUserDefined() && GetCloseIconRect(row).Contains(point);
    if (closeHover != wasHovered)
        RefreshRect(GetCloseIconRect(row), false);
    return m_highlightedRow + m_firstVisible;
}

void MyLeafMenu::OnMotion(wxMouseEvent& event)
{
    if (m_barDragging) {
        DragThumbTo(event.GetY());
        return;
    }
    const bool overBar = HasScrollBar() && GetScrollBarRect().Contains(event.GetPosition());
    if (overBar != m_barHover) {
        m_barHover = overBar;
        RefreshRect(GetScrollBarRect(), false);
    }
    m_chosenIndex = 0;
    m_pointedIndex = -1;
    // The bar is no row: pointing at it points at no profile.
    if (overBar)
        return;
    const int index = HighlightRow(event.GetPosition(), m_closeHover);
    if (index >= 0)
        m_pointedIndex = index;
}

void MyLeafMenu::OnLeave(wxMouseEvent& event)
{
    event.Skip();
    if (m_barHover && !m_barDragging) {
        m_barHover = false;
        RefreshRect(GetScrollBarRect(), false);
    }
}

void MyLeafMenu::OnLeftDown(wxMouseEvent& event)
{
    if (HasScrollBar() && GetScrollBarRect().Contains(event.GetPosition())) {
        const wxRect thumb = GetThumbRect();
        // A press on the trough first brings the thumb's middle there.
        m_barGrabOffset = thumb.Contains(event.GetPosition()) ? event.GetY() - thumb.y
                                                              : thumb.height / 2;
        m_barDragging = true;
        if (!HasCapture())
            CaptureMouse();
        DragThumbTo(event.GetY());
        RefreshRect(GetScrollBarRect(), false);
        return;
    }
    Choose(m_pointedIndex);
}

void MyLeafMenu::OnLeftUp(wxMouseEvent& event)
{
    event.Skip();
    if (m_barDragging) {
        EndBarDrag();
        m_barHover = HasScrollBar() && GetScrollBarRect().Contains(event.GetPosition());
        RefreshRect(GetScrollBarRect(), false);
    }
}

void MyLeafMenu::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_barDragging = false;
    RefreshRect(GetScrollBarRect(), false);
}

void MyLeafMenu::EndBarDrag()
{
    m_barDragging = false;
    if (HasCapture())
        ReleaseMouse();
}

bool MyLeafMenu::Show(bool show)
{
    if (!show)
        EndBarDrag();
    return wxWindow::Show(show);
}

void MyLeafMenu::OnWheel(wxMouseEvent& event)
{
    if (!HasScrollBar() || event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL ||
        event.GetWheelRotation() == 0)
        return;
    ScrollToRow(m_firstVisible + (event.GetWheelRotation() > 0 ? -1 : 1), true);
}

void MyLeafMenu::DragThumbTo(int y)
{
    const wxRect trough = GetScrollBarRect();
    const wxRect thumb = GetThumbRect();
    const int travel = trough.height - thumb.height;
    const int range = static_cast<int>(m_items->GetCount()) - m_rowsPerPage;
    if (travel <= 0 || range <= 0)
        return;
    const int offset = y - m_barGrabOffset - trough.y;
    ScrollToRow((offset * range + travel / 2) / travel, false);
}

void MyLeafMenu::Choose(int index)
{
    if (index < 0 || index >= static_cast<int>(m_items->GetCount())) {
        m_chosenIndex = 0;
        return;
    }
    m_chosenIndex = index;
    MyMenuItem* item = m_items->Item(m_chosenIndex);
    if (m_chooser) {
        wxCommandEvent chosen(wxEVT_COMMAND_TEXT_UPDATED, m_chooser->GetId());
        chosen.SetEventObject(this);
        chosen.SetString(item->GetAlias());
        chosen.SetClientData(item);
        m_chooser->GetEventHandler()->ProcessEvent(chosen);
    }
    if (auto* popup = dynamic_cast<MyPopupMenu*>(GetParent()))
        popup->HidePopup();
    else
        Hide();
}

bool MyLeafMenu::ChooseHighlighted()
{
    if (!IsHighlightShown())
        return false;
    Choose(m_highlightedIndex);
    return true;
}

void MyLeafMenu::HighlightIndex(int index)
{
    const int count = static_cast<int>(m_items->GetCount());
    if (count == 0)
        return;
    index = std::max(0, std::min(index, count - 1));
    if (index < m_firstVisible)
        ScrollToRow(index, false);
    else if (index > m_lastVisible)
        ScrollToRow(index - m_rowsPerPage + 1, false);
    if (m_highlightedRow >= 0)
        RefreshRect(GetRowRect(m_highlightedRow), false);
    m_highlightedRow = index - m_firstVisible;
    m_highlightedIndex = index;
    m_pointedIndex = index;
    m_closeHover = false;
    RefreshRect(GetRowRect(m_highlightedRow), false);
}

void MyLeafMenu::ClearHighlight()
{
    if (m_highlightedRow >= 0)
        RefreshRect(GetRowRect(m_highlightedRow), false);
    m_highlightedRow = -1;
    m_highlightedIndex = -1;
    m_pointedIndex = -1;
    m_closeHover = false;
}

int MyLeafMenu::FindAlias(const wxString& alias) const
{
    for (size_t i = 0; i < m_items->GetCount(); ++i)
        if (m_items->Item(i)->GetAlias() == alias)
            return static_cast<int>(i);
    return -1;
}

void MyLeafMenu::ScrollToRow(int first, bool followPointer)
{
    const int count = static_cast<int>(m_items->GetCount());
    first = std::max(0, std::min(first, count - m_rowsPerPage));
    if (first == m_firstVisible)
        return;
    m_firstVisible = first;
    m_lastVisible = std::min(first + m_rowsPerPage, count) - 1;
    m_visibleCount = m_lastVisible - m_firstVisible + 1;
    Refresh(false);
    if (followPointer)
        PointAtPointer();
}

void MyLeafMenu::PointAtPointer()
{
    // The rows moved under a pointer that stayed: the row now under it is
    // the one a click takes.
    const wxPoint pointer = ScreenToClient(wxGetMousePosition());
    if (!GetRowsArea().Contains(pointer))
        return;
    m_pointedIndex = -1;
    const int index = HighlightRow(pointer, m_closeHover);
    if (index >= 0)
        m_pointedIndex = index;
}

void MyLeafMenu::AddToRecent()
{
    wxXmlDocument document;
    LiveCatalog::Update(document, [this](wxXmlDocument& fresh, wxString&) {
        wxXmlNode* recent = CategoryNode(fresh, "Recent");
        if (!recent)
            return false;
        auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, "subsection");
        for (const char* name : kProfileAttributes)
            node->AddAttribute(name, m_spareNode->GetAttribute(name, wxEmptyString));
        const int count = FileUtil::CountChildNodes(recent);
        FileUtil::RemoveChildrenById(recent, node->GetAttribute("id", wxEmptyString));
        TrimRecent(recent, count);
        FileUtil::AddChildNode(count != 0 ? 1 : 0, recent, node);
        return true;
    }, 1);
}

void MyLeafMenu::TrimRecent(wxXmlNode* recent, int count)
{
    if (count < kRecentLimit)
        return;
    wxXmlNode* tenth = recent->GetChildren();
    for (int i = 1; tenth && i < kRecentLimit; ++i)
        tenth = tenth->GetNext();
    if (tenth) {
        recent->RemoveChild(tenth);
        delete tenth;
    }
}

void MyLeafMenu::DeleteUserProfile(const wxXmlNode* node)
{
    if (!node)
        return;
    const wxString id = node->GetAttribute("id", wxEmptyString);
    wxXmlDocument document;
    LiveCatalog::Update(document, [&id](wxXmlDocument& fresh, wxString&) {
        wxXmlNode* userDefined = CategoryNode(fresh, "User Defined");
        for (wxXmlNode* child = userDefined ? userDefined->GetChildren() : nullptr; child;
             child = child->GetNext()) {
            if (child->GetAttribute("id", wxEmptyString) == id) {
                userDefined->RemoveChild(child);
                delete child;
                return true;
            }
        }
        return false;
    }, 1);
}
