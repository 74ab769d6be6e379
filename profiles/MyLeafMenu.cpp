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
#include <wx/settings.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kRecentLimit = 10;
const char* const kProfileAttributes[] = {
    "seq", "level", "isShow", "id", "alias", "image", "description", "transfer_extra_param",
};

wxFont BoldGuiFont()
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetWeight(wxFONTWEIGHT_BOLD);
    return font;
}

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(MyLeafMenu, wxWindow);

wxBEGIN_EVENT_TABLE(MyLeafMenu, wxWindow)
    EVT_PAINT(MyLeafMenu::OnPaint)
    EVT_ERASE_BACKGROUND(MyLeafMenu::OnEraseBackground)
    EVT_MOTION(MyLeafMenu::OnMotion)
    EVT_LEFT_DOWN(MyLeafMenu::OnLeftDown)

    EVT_SCROLLWIN_THUMBTRACK(MyLeafMenu::OnScrollThumbTrack)
    EVT_SCROLLWIN_THUMBRELEASE(MyLeafMenu::OnScrollStep)
    EVT_SCROLLWIN_LINEUP(MyLeafMenu::OnScrollStep)
    EVT_SCROLLWIN_LINEDOWN(MyLeafMenu::OnScrollStep)
    EVT_SCROLLWIN_PAGEUP(MyLeafMenu::OnScrollStep)
    EVT_SCROLLWIN_PAGEDOWN(MyLeafMenu::OnScrollStep)
    EVT_SCROLLWIN_TOP(MyLeafMenu::OnScrollStep)
    EVT_SCROLLWIN_BOTTOM(MyLeafMenu::OnScrollStep)
wxEND_EVENT_TABLE()

MyLeafMenu::MyLeafMenu() = default;

MyLeafMenu::MyLeafMenu(wxWindow* parent, wxWindowID id, const wxString& title,
                       const wxPoint& pos, const wxSize& size, long style, const wxString& name)
{
    Create(parent, id, title, pos, size, style, name);
}

MyLeafMenu::~MyLeafMenu() = default;

bool MyLeafMenu::Create(wxWindow* parent, wxWindowID id, const wxString&, const wxPoint& pos,
                        const wxSize& size, long style, const wxString& name)
{
    m_spareNode = std::make_unique<wxXmlNode>(wxXML_ELEMENT_NODE, wxEmptyString);
    m_document.reset();
    m_chooser = parent ? parent->GetParent() : nullptr;
    m_closeHover = false;

    if (!wxWindow::Create(parent, id, pos, size, style | wxVSCROLL, name))
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

bool MyLeafMenu::LoadOwnDocument()
{
    m_document = std::make_unique<wxXmlDocument>();
    return LoadCatalogFile(*m_document, LiveCatalog::Path());
}

bool MyLeafMenu::SaveOwnDocument()
{
    return LiveCatalog::Save(*m_document, 1);
}

wxXmlNode* MyLeafMenu::FindCategoryNode(const wxString& id) const
{
    if (!m_document || !m_document->GetRoot())
        return nullptr;
    for (wxXmlNode* node = m_document->GetRoot()->GetChildren(); node; node = node->GetNext()) {
        if (node->GetType() == wxXML_ELEMENT_NODE && node->GetAttribute("id", wxEmptyString) == id)
            return node;
    }
    return nullptr;
}

void MyLeafMenu::LoadItems()
{
    m_items = std::make_unique<MenuItemArray>();
    m_highlightedRow = -1;
    m_highlightedIndex = -1;
    m_pointedIndex = -1;
    m_closeHover = false;
    // The program's one catalog, which every successful save brings up to date.
    const AppSettings* settings = AppSettings::Get();
    if (settings && settings->catalog)
        m_items->LoadShownChildren(FirstChildWithId(settings->catalog->GetRoot(), m_category),
                                   m_parentItem, true);

    const int count = static_cast<int>(m_items->GetCount());
    m_firstVisible = 0;
    m_lastVisible = m_rowsPerPage < count ? m_rowsPerPage - 1 : count - 1;
    m_visibleCount = m_lastVisible - m_firstVisible + 1;
    SetScrollbar(wxVERTICAL, 0, m_rowsPerPage, count, true);
    Refresh();
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
    dc.SetFont(BoldGuiFont());
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
}

void MyLeafMenu::DrawRow(wxDC& dc, int row, bool highlighted)
{
    const MyMenuItem* item = m_items->ItemAt(m_firstVisible + row);
    if (!item)
        return;
    const int top = row * kRowHeight;
    MenuRowPainter::PaintGround(dc, GetClientSize().x, top, kRowHeight, highlighted);

    int textX = 10;
    if (const wxBitmap* icon = item->GetImage()) {
        dc.DrawBitmap(*icon, 0, top + 3, true);
        textX += icon->GetWidth();
    }
    dc.SetFont(BoldGuiFont());
    dc.DrawText(item->GetAlias(), textX, top + 2);
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    DrawDescription(dc, item->GetDescription(), textX, top + 22);

    if (highlighted && IsUserDefined()) {
        const wxBitmap& close = m_closeHover && m_closeOverImage.IsOk() ? m_closeOverImage
                                                                         : m_closeImage;
        if (close.IsOk())
            dc.DrawBitmap(close, kCloseIconX, top + 3, true);
    }
}

void MyLeafMenu::SplitDescription(wxDC& dc, const wxString& text, wxString& first,
                                  wxString& rest)
{
    if (dc.GetTextExtent(text).x <= kDescriptionWidth) {
        first.clear();
        rest = text;
        return;
    }
    first = text.BeforeLast(' ');
    while (!first.empty() && dc.GetTextExtent(first).x >= kDescriptionWidth)
        first = first.BeforeLast(' ');
    rest = text.Mid(first.length());
}

void MyLeafMenu::DrawDescription(wxDC& dc, const wxString& text, int x, int y)
{
    if (dc.GetTextExtent(text).x <= kDescriptionWidth) {
        dc.DrawText(text, x, y);
        return;
    }
    wxString first;
    wxString rest;
    SplitDescription(dc, text, first, rest);
    dc.DrawText(first, x, y - 8);
    dc.DrawText(rest, x, y + 5);
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
    m_chosenIndex = 0;
    m_pointedIndex = -1;
    const int index = HighlightRow(event.GetPosition(), m_closeHover);
    if (index >= 0)
        m_pointedIndex = index;
}

void MyLeafMenu::OnLeftDown(wxMouseEvent&)
{
    if (m_pointedIndex < 0 || m_pointedIndex >= static_cast<int>(m_items->GetCount())) {
        m_chosenIndex = 0;
        return;
    }
    m_chosenIndex = m_pointedIndex;
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

void MyLeafMenu::OnScrollThumbTrack(wxScrollWinEvent& event)
{
    ScrollToRow(event.GetPosition());
}

void MyLeafMenu::OnScrollStep(wxScrollWinEvent& event)
{
    // GTK moves the bar itself on arrow, trough and wheel scrolling; the
    // rows follow the bar's new position.
    ScrollToRow(event.GetPosition());
}

void MyLeafMenu::ScrollToRow(int first)
{
    const int count = static_cast<int>(m_items->GetCount());
    first = std::max(0, std::min(first, count - m_rowsPerPage));
    SetScrollPos(wxVERTICAL, first, true);
    m_firstVisible = first;
    m_lastVisible = std::min(first + m_rowsPerPage, count) - 1;
    m_visibleCount = m_lastVisible - m_firstVisible + 1;
    Refresh(false);
}

void MyLeafMenu::AddToRecent()
{
    if (!LoadOwnDocument())
        return;
    if (wxXmlNode* recent = FindCategoryNode("Recent")) {
        auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, "subsection");
        for (const char* name : kProfileAttributes)
            node->AddAttribute(name, m_spareNode->GetAttribute(name, wxEmptyString));
        const int count = FileUtil::CountChildNodes(recent);
        FileUtil::RemoveChildrenById(recent, node->GetAttribute("id", wxEmptyString));
        TrimRecent(recent, count);
        FileUtil::AddChildNode(count != 0 ? 1 : 0, recent, node);
    }
    SaveOwnDocument();
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
    if (!LoadOwnDocument())
        return;
    wxXmlNode* userDefined = FindCategoryNode("User Defined");
    if (userDefined && node) {
        const wxString id = node->GetAttribute("id", wxEmptyString);
        for (wxXmlNode* child = userDefined->GetChildren(); child; child = child->GetNext()) {
            if (child->GetAttribute("id", wxEmptyString) == id) {
                userDefined->RemoveChild(child);
                delete child;
                break;
            }
        }
    }
    SaveOwnDocument();
}
