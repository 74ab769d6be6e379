// The picture of a preview pane: the playback job's last frame, fitted to
// the pane when it is larger (keeping its shape), drawn over black.
#pragma once

#include <wx/bitmap.h>
#include <wx/gdicmn.h>

class PlayJob;
class wxDC;

class PreviewPicture {
public:
    // Where a frame of the given size lands in the pane: a frame that fits
    // stays unscaled at the top-left; a larger one is scaled to fit, centred
    // in the direction it does not fill.
    static wxRect Place(const wxSize& frame, const wxSize& pane);
    // The job's frame as a bitmap at its place; false when nothing plays or
    // no frame has arrived yet.
    static bool Make(const PlayJob* job, const wxSize& pane, wxBitmap& bitmap, wxRect& place);
    // Black over the whole pane.
    static void Clear(wxDC& dc, const wxSize& pane);
};
