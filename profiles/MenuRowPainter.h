// The look shared by the rows of both profile menu levels: the row ground,
// fonts chosen by the pixel height a row leaves for a line, and texts cut
// to the box they are drawn in. The catalog dialogs fit their texts with it too.
#pragma once

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <vector>

class wxDC;

class MenuRowPainter {
public:
    // One line of a row: what is drawn, in which font, inside which box
    // (window coordinates; the text starts at the box's top left corner).
    struct Text {
        wxString text;
        wxFont font;
        wxRect box;
    };

    // The smallest pixel height a font is taken down to.
    static constexpr int kMinFontPixels = 9;
    static const wxString& Ellipsis();

    virtual ~MenuRowPainter() = default;

    // The fill of a highlighted row.
    static wxColour HighlightColour() { return wxColour(49, 106, 197); }
    // Fills the row's inner rectangle (1 pixel in from the window's sides
    // and the row's top and bottom) in the highlight or in white, and sets
    // the text colour to go with it (white or black).
    static void PaintGround(wxDC& dc, int windowWidth, int top, int rowHeight, bool highlighted);

    // The default GUI font (bold when asked) at the largest pixel size, no
    // larger than its own, whose line is at most `lineHeight` high and in
    // which every one of `texts` is at most `width` wide; the smallest size
    // when none fits.
    static wxFont FitFont(wxDC& dc, bool bold, int lineHeight,
                          const std::vector<wxString>& texts = {}, int width = 0);
    // The same from another font than the default GUI one.
    static wxFont FitFont(wxDC& dc, const wxFont& font, int lineHeight,
                          const std::vector<wxString>& texts = {}, int width = 0);
    // `text`, or its longest head followed by "…" that is at most `width`
    // wide in the DC's font.
    static wxString Ellipsize(wxDC& dc, const wxString& text, int width);
    // Draws the text in its font, clipped to its box.
    static void DrawText(wxDC& dc, const Text& text);
};
