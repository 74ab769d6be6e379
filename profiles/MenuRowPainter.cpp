#include "MenuRowPainter.h"

#include <wx/dc.h>
#include <wx/settings.h>

#include <algorithm>

const wxString& MenuRowPainter::Ellipsis()
{
    static const wxString ellipsis = wxString::FromUTF8("\xE2\x80\xA6");
    return ellipsis;
}

void MenuRowPainter::PaintGround(wxDC& dc, int windowWidth, int top, int rowHeight,
                                 bool highlighted)
{
    dc.SetPen(*wxWHITE_PEN);
    dc.SetBrush(highlighted ? wxBrush(HighlightColour()) : *wxWHITE_BRUSH);
    dc.DrawRectangle(1, top + 1, windowWidth - 2, rowHeight - 2);
    dc.SetTextForeground(highlighted ? *wxWHITE : *wxBLACK);
}

wxFont MenuRowPainter::FitFont(wxDC& dc, bool bold, int lineHeight,
                               const std::vector<wxString>& texts, int width)
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    if (bold)
        font.SetWeight(wxFONTWEIGHT_BOLD);
    return FitFont(dc, font, lineHeight, texts, width);
}

wxFont MenuRowPainter::FitFont(wxDC& dc, const wxFont& font, int lineHeight,
                               const std::vector<wxString>& texts, int width)
{
    const wxFont saved = dc.GetFont();
    dc.SetFont(font);
    // Never taller than the font itself: its own line bounds the sizes tried.
    const int ownLine = dc.GetCharHeight();
    const int limit = std::min(lineHeight, ownLine);
    wxFont fitted = font;
    for (int pixels = ownLine; pixels >= kMinFontPixels; --pixels) {
        fitted = font;
        fitted.SetPixelSize(wxSize(0, pixels));
        dc.SetFont(fitted);
        if (dc.GetCharHeight() > limit)
            continue;
        const bool wide = std::any_of(texts.begin(), texts.end(), [&](const wxString& text) {
            return dc.GetTextExtent(text).x > width;
        });
        if (!wide)
            break;
    }
    if (saved.IsOk())
        dc.SetFont(saved);
    return fitted;
}

wxString MenuRowPainter::Ellipsize(wxDC& dc, const wxString& text, int width)
{
    if (dc.GetTextExtent(text).x <= width)
        return text;
    // The longest head that fits with the ellipsis, found by halving.
    size_t low = 0;
    size_t high = text.length();
    while (low < high) {
        const size_t mid = (low + high + 1) / 2;
        if (dc.GetTextExtent(text.Left(mid) + Ellipsis()).x <= width)
            low = mid;
        else
            high = mid - 1;
    }
    wxString head = text.Left(low);
    head.Trim();
    return head + Ellipsis();
}

void MenuRowPainter::DrawText(wxDC& dc, const Text& text)
{
    if (text.text.empty() || text.box.IsEmpty())
        return;
    dc.SetFont(text.font);
    wxDCClipper clip(dc, text.box);
    dc.DrawText(text.text, text.box.GetTopLeft());
}
