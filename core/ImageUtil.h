// Skin pictures from the theme archive and bitmap cropping.
#pragma once

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/string.h>

class ImageUtil {
public:
    virtual ~ImageUtil() = default;

    // program folder + "/Themes/default.zip".
    static wxString GetThemeArchivePath();
    // The file-system location of an archive entry, e.g.
    // "file:///opt/Merovant/Themes/default.zip#zip:surface/base/movie.png".
    static wxString GetThemeLocation(const wxString& entry);
    // What keeps the theme archive from being used, as the end of a sentence
    // ("is missing.", "is damaged or truncated."); empty when every entry
    // reads back whole.
    static wxString DescribeThemeArchiveProblem();

    // The entry of the theme archive as an image; not OK when the entry is
    // missing or unreadable. Needs no display.
    static wxImage LoadThemeImage(const wxString& entry, wxBitmapType type = wxBITMAP_TYPE_PNG);
    // The same from another archive.
    static wxImage LoadArchiveImage(const wxString& archive, const wxString& entry,
                                    wxBitmapType type = wxBITMAP_TYPE_PNG);

    // A new bitmap owned by the caller, or null when the entry cannot be loaded.
    static wxBitmap* LoadThemeBitmap(const wxString& entry, wxBitmapType type = wxBITMAP_TYPE_PNG);
    // By value; wxNullBitmap when loading fails.
    static wxBitmap LoadThemeBitmapValue(const wxString& entry, wxBitmapType type = wxBITMAP_TYPE_PNG);
    // Like LoadThemeBitmap, but pixels whose alpha lies from 1 to threshold - 1
    // become fully transparent first.
    static wxBitmap* LoadThemeBitmapKeyed(const wxString& entry, int threshold,
                                          wxBitmapType type = wxBITMAP_TYPE_PNG);

    // A w x h bitmap of the screen's depth holding the source's area at
    // (x, y), copied with the source's mask. wxNullBitmap when the source is
    // not OK or the size is empty.
    static wxBitmap CropBitmap(const wxBitmap& source, int x, int y, int w, int h);
    // The same, allocated and owned by the caller; null when it fails.
    static wxBitmap* CropBitmapNew(const wxBitmap& source, int x, int y, int w, int h);
    // Repeats the pattern from (0, 0) across the destination, row by row.
    static bool TileBitmap(wxBitmap& destination, const wxBitmap& pattern);
};
