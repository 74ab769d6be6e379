// Base of the skinned modal dialogs: a borderless dialog cut to a rounded
// rectangle, painted from a background and an optional title image, with a
// skinned close button (id 2141) and dragged by its face.
//
// Callers: construct on the stack, SetCloseOffsetX/Y if needed, Create(null,
// id, "", title image, background, wxDefaultPosition, background size,
// wxBORDER_NONE | wxFRAME_SHAPED), CentreOnScreen(), ShowModal().
// The dialog owns both images and deletes them with itself.
#pragma once

#include <wx/bitmap.h>
#include <wx/dialog.h>

#include <memory>

class PvBitmapButton;

class PvInfoDialog : public wxDialog {
public:
    enum { ID_CLOSE_BUTTON = 2141 };

    PvInfoDialog();
    ~PvInfoDialog() override;

    // Move the close button; call before Create. x is added to the dialog's
    // width before the button's width is taken off; y is its top.
    void SetCloseOffsetX(int x) { m_closeOffsetX = x; }
    void SetCloseOffsetY(int y) { m_closeOffsetY = y; }

    // Takes ownership of titleImage and background (either may be null).
    // False only when the dialog window itself cannot be created; the images
    // are released in that case too.
    bool Create(wxWindow* parent, int id, const wxString& title, wxBitmap* titleImage,
                wxBitmap* background, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxBORDER_NONE | wxFRAME_SHAPED,
                const wxString& name = wxDialogNameStr);

    // Hiding the dialog (EndModal hides it too) gives back the pointer that
    // the dialog or a child holds.
    bool Show(bool show = true) override;

    void ShowCloseButton(bool show);
    PvBitmapButton* GetCloseButton() const { return m_closeButton; }
    // The background image, for children that paint over it (labels);
    // valid as long as the dialog.
    wxBitmap* GetBackgroundImage() const { return m_background.get(); }
    wxPoint GetTitlePosition() const { return m_titlePos; }

    // Paints the background and the title as the paint handler does.
    void DrawFace(wxDC& dc) const;

protected:
    // Adds the subclass's children; called at the end of Create.
    virtual void CreateControls();
    // What the close button (and, in some subclasses, other buttons) does.
    virtual void OnCloseButton(wxCommandEvent& event) = 0;
    virtual void OnLeftDown(wxMouseEvent& event);
    virtual void OnMotion(wxMouseEvent& event);
    virtual void OnLeftUp(wxMouseEvent& event);

private:
    void OnPaint(wxPaintEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnSize(wxSizeEvent& event);
    void CreateCloseButton();
    void SetWindowShape();

    PvBitmapButton* m_closeButton = nullptr;
    std::unique_ptr<wxBitmap> m_titleImage;
    std::unique_ptr<wxBitmap> m_background;
    wxSize m_closeSize;
    wxPoint m_titlePos;
    wxPoint m_dragOffset;
    int m_closeOffsetX = -8;
    int m_closeOffsetY = 6;

    wxDECLARE_EVENT_TABLE();
};
