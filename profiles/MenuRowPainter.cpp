#include "MenuRowPainter.h"

#include <wx/dc.h>

void MenuRowPainter::PaintGround(wxDC& dc, int windowWidth, int top, int rowHeight,
                                 bool highlighted)
{
    dc.SetPen(*wxWHITE_PEN);
    dc.SetBrush(highlighted ? wxBrush(HighlightColour()) : *wxWHITE_BRUSH);
    dc.DrawRectangle(1, top + 1, windowWidth - 2, rowHeight - 2);
    dc.SetTextForeground(highlighted ? *wxWHITE : *wxBLACK);
}
