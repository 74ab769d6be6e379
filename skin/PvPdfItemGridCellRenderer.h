// Grid cell renderer of the file list: a state icon followed by the file name.
#pragma once

#include <wx/bitmap.h>
#include <wx/grid.h>

#include <memory>

class PvPdfItemGridCellRenderer : public wxGridCellStringRenderer {
public:
    enum { STATE_NONE = 0, STATE_FIRST_ICON = 1, STATE_SECOND_ICON = 2 };

    // Loads both icons from the skin (LoadMovieIcon).
    PvPdfItemGridCellRenderer();
    // Shares the icons given (bitmaps are reference-counted), so that a list
    // of many rows loads them once; an empty bitmap draws no icon.
    PvPdfItemGridCellRenderer(const wxBitmap& firstIcon, const wxBitmap& secondIcon);
    ~PvPdfItemGridCellRenderer() override;

    // 1 draws the first icon, 2 the second, anything else none.
    void SetState(int state) { m_state = state; }
    int GetState() const { return m_state; }
    void SetText(const wxString& text) { m_text = text; }
    wxString GetText() const { return m_text; }

    // The skin's movie icon ("surface/base/movie.png"); empty when missing.
    static wxBitmap LoadMovieIcon();

    // Where the text starts in a cell whose left edge is at x.
    int TextX(int x) const;

    void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
              bool isSelected) override;

private:
    std::unique_ptr<wxBitmap> m_secondIcon;
    std::unique_ptr<wxBitmap> m_firstIcon;
    int m_state = STATE_NONE;
    wxString m_text;
};
