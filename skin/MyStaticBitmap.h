// One picture over the piece of the parent's skin that lies under it.
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

class MyStaticBitmap : public wxControl {
public:
    MyStaticBitmap();

    virtual bool Create(const wxBitmap& image, wxWindow* parent, int id,
                        const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE,
                        const wxValidator& validator = wxDefaultValidator);

    // The skin of the window the control lies on; borrowed, must outlive
    // the control and be set before it is first shown.
    void SetBackground(wxBitmap* background) { m_background = background; }

    // The face as erase and paint draw it together.
    void DrawFace(wxDC& dc) const;

protected:
    virtual void OnPaint(wxPaintEvent& event);
    virtual void OnEraseBackground(wxEraseEvent& event);
    wxSize DoGetBestSize() const override;

private:
    void DrawBackground(wxDC& dc) const;
    void DrawImage(wxDC& dc) const;

    wxBitmap m_image;
    wxBitmap* m_background = nullptr;

    wxDECLARE_DYNAMIC_CLASS(MyStaticBitmap);
    wxDECLARE_EVENT_TABLE();
};
