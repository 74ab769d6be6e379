#include "ShapeWindow.h"

#include <wx/dcmemory.h>
#include <wx/nonownedwnd.h>

#include <algorithm>
#include <cmath>

ShapeWindow::ShapeWindow() = default;

ShapeWindow::ShapeWindow(wxBitmap* skin) : m_skin(skin) {}

ShapeWindow::~ShapeWindow() = default;

bool ShapeWindow::SetShape(wxBitmap* skin)
{
    if (skin != m_skin.get())
        m_skin.reset(skin);
    return true;
}

wxBitmap* ShapeWindow::GetShape() const
{
    return m_skin.get();
}

wxBitmap ShapeWindow::CopyPiece(const wxBitmap& skin, const wxRect& rect)
{
    wxBitmap piece(std::max(rect.width, 1), std::max(rect.height, 1));
    wxMemoryDC dc(piece);
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
    if (skin.IsOk()) {
        const wxRect inside = rect.Intersect(wxRect(skin.GetSize()));
        if (!inside.IsEmpty()) {
            const wxBitmap sub = skin.GetSubBitmap(inside);
            dc.DrawBitmap(sub, inside.x - rect.x, inside.y - rect.y, true);
        }
    }
    dc.SelectObject(wxNullBitmap);
    return piece;
}

wxRegion ShapeWindow::MakeRoundedRegion(const wxSize& size, double radius)
{
    wxRegion region;
    const int w = size.x;
    const int h = size.y;
    if (w <= 0 || h <= 0)
        return region;
    const double r = std::max(0.0, std::min({radius, w / 2.0, h / 2.0}));
    // Inset of row y: how many pixels the corner arcs cut off on each side.
    auto inset = [&](int y) {
        const double cy = y + 0.5;
        double dy = 0.0;
        if (cy < r)
            dy = r - cy;
        else if (cy > h - r)
            dy = cy - (h - r);
        if (dy <= 0.0)
            return 0;
        const double dx = r - std::sqrt(std::max(0.0, r * r - dy * dy));
        return static_cast<int>(std::ceil(dx - 0.5));
    };
    int runStart = 0;
    int runInset = inset(0);
    for (int y = 1; y <= h; ++y) {
        const int cur = y < h ? inset(y) : -1;
        if (cur != runInset) {
            if (w - 2 * runInset > 0)
                region.Union(runInset, runStart, w - 2 * runInset, y - runStart);
            runStart = y;
            runInset = cur;
        }
    }
    return region;
}

bool ShapeWindow::SetRoundedShape(wxNonOwnedWindow* window, const wxSize& size, double radius)
{
    if (!window || !window->HasFlag(wxFRAME_SHAPED))
        return false;
    return window->SetShape(MakeRoundedRegion(size, radius));
}
