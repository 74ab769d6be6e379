#include "PreviewPicture.h"

#include "PlayJob.h"

#include <wx/dc.h>
#include <wx/image.h>

wxRect PreviewPicture::Place(const wxSize& frame, const wxSize& pane)
{
    if (frame.x <= 0 || frame.y <= 0 || pane.x <= 0 || pane.y <= 0)
        return wxRect();
    if (frame.x <= pane.x && frame.y <= pane.y)
        return wxRect(wxPoint(0, 0), frame);
    // Fitted to the width unless that makes it taller than the pane.
    const long long byWidth = (long long)pane.x * frame.y / frame.x;
    if (byWidth <= pane.y) {
        const int h = int(byWidth);
        return wxRect(0, (pane.y - h) / 2, pane.x, h);
    }
    const int w = int((long long)pane.y * frame.x / frame.y);
    return wxRect((pane.x - w) / 2, 0, w, pane.y);
}

bool PreviewPicture::Make(const PlayJob* job, const wxSize& pane, wxBitmap& bitmap, wxRect& place)
{
    wxImage image;
    if (!job || !job->CopyFrame(image))
        return false;
    place = Place(image.GetSize(), pane);
    if (place.IsEmpty())
        return false;
    if (place.GetSize() != image.GetSize())
        image.Rescale(place.width, place.height, wxIMAGE_QUALITY_NORMAL);
    bitmap = wxBitmap(image);
    return bitmap.IsOk();
}

void PreviewPicture::Clear(wxDC& dc, const wxSize& pane)
{
    dc.SetBrush(*wxBLACK_BRUSH);
    dc.SetPen(wxPen(*wxBLACK, 1, wxPENSTYLE_SOLID));
    dc.DrawRectangle(0, 0, pane.x, pane.y);
}
