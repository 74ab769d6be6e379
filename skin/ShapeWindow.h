// Mix-in that owns a window's skin bitmap and hands it to children that
// paint over it; also the shape helpers shared by skinned top-level windows.
#pragma once

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/region.h>

#include <memory>

class wxNonOwnedWindow;

class ShapeWindow {
public:
    ShapeWindow();
    explicit ShapeWindow(wxBitmap* skin);  // takes ownership
    virtual ~ShapeWindow();

    ShapeWindow(const ShapeWindow&) = delete;
    ShapeWindow& operator=(const ShapeWindow&) = delete;

    // Stores the skin and takes ownership of it (a skin stored before is
    // deleted unless it is the same one).
    bool SetShape(wxBitmap* skin);
    // The stored skin, possibly null.
    virtual wxBitmap* GetShape() const;

    // A bitmap of rect's size holding the pixels of skin under rect; parts of
    // rect outside the skin stay black.
    static wxBitmap CopyPiece(const wxBitmap& skin, const wxRect& rect);

    // The region of a rounded rectangle of the given size and corner radius,
    // computed per pixel row so that its edge has no half-covered pixels.
    static wxRegion MakeRoundedRegion(const wxSize& size, double radius);
    // Cuts a wxFRAME_SHAPED top-level window to that rounded rectangle.
    static bool SetRoundedShape(wxNonOwnedWindow* window, const wxSize& size, double radius);

private:
    std::unique_ptr<wxBitmap> m_skin;
};
