// The look shared by the rows of both profile menu levels.
#pragma once

#include <wx/colour.h>
#include <wx/gdicmn.h>

class wxDC;

class MenuRowPainter {
public:
    virtual ~MenuRowPainter() = default;

    // The fill of a highlighted row.
    static wxColour HighlightColour() { return wxColour(49, 106, 197); }
    // Fills the row's inner rectangle (1 pixel in from the window's sides
    // and the row's top and bottom) in the highlight or in white, and sets
    // the text colour to go with it (white or black).
    static void PaintGround(wxDC& dc, int windowWidth, int top, int rowHeight, bool highlighted);
};
