#include "PvPdfItemGridCellRenderer.h"

#include "ImageUtil.h"

#include <wx/dc.h>

namespace {

std::unique_ptr<wxBitmap> IconOrNone(const wxBitmap& icon)
{
    return icon.IsOk() ? std::make_unique<wxBitmap>(icon) : nullptr;
}

}  // namespace

wxBitmap PvPdfItemGridCellRenderer::LoadMovieIcon()
{
    const std::unique_ptr<wxBitmap> icon(
        ImageUtil::LoadThemeBitmap("surface/base/movie.png", wxBITMAP_TYPE_PNG));
    return icon ? *icon : wxBitmap();
}

PvPdfItemGridCellRenderer::PvPdfItemGridCellRenderer()
    : PvPdfItemGridCellRenderer(LoadMovieIcon(), LoadMovieIcon())
{
}

PvPdfItemGridCellRenderer::PvPdfItemGridCellRenderer(const wxBitmap& firstIcon,
                                                     const wxBitmap& secondIcon)
    : m_secondIcon(IconOrNone(secondIcon)), m_firstIcon(IconOrNone(firstIcon))
{
}

PvPdfItemGridCellRenderer::~PvPdfItemGridCellRenderer() = default;

int PvPdfItemGridCellRenderer::TextX(int x) const
{
    const int iconWidth = m_firstIcon ? m_firstIcon->GetWidth() : 0;
    return x + iconWidth + 8;
}

void PvPdfItemGridCellRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc,
                                     const wxRect& rect, int row, int col, bool isSelected)
{
    wxGridCellStringRenderer::Draw(grid, attr, dc, rect, row, col, isSelected);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const int iconHeight = m_firstIcon ? m_firstIcon->GetHeight() : 0;
    const wxPoint iconAt(rect.x + 4, rect.y + (rect.height - iconHeight) / 2);
    const wxBitmap* icon = m_state == STATE_FIRST_ICON    ? m_firstIcon.get()
                           : m_state == STATE_SECOND_ICON ? m_secondIcon.get()
                                                          : nullptr;
    if (icon)
        dc.DrawBitmap(*icon, iconAt, true);
    if (m_text.empty())
        return;
    wxCoord tw = 0;
    wxCoord th = 0;
    dc.GetTextExtent(m_text, &tw, &th);
    dc.SetClippingRegion(rect);
    dc.DrawText(m_text, TextX(rect.x), rect.y + (rect.height - th) / 2);
    dc.DestroyClippingRegion();
}
