// The box that shows the current output profile: the profile's alias, the
// icon of its category at the left edge, and a drop button that opens the
// two-level profile popup instead of a list.
//
// A small control of its own rather than wxOwnerDrawnComboBox: on GTK the
// owner-drawn combo is the generic one, which asks its button-drawing hook
// with other flags than the native MSW combo and would draw neither the icon
// nor the arrow; it would also build a list popup of its own.
#pragma once

#include <wx/control.h>

#include "MenuRowPainter.h"

struct AppSettings;
class MyPopupMenu;

class ProfileComboBox : public wxControl {
public:
    enum { ID_CATEGORY_POPUP = 2201 };
    // Flags of DrawButton.
    enum { Button_PaintBackground = 1, Button_BitmapOnly = 2 };
    // The combo style the choosers are made with; the box draws alike for any.
    static constexpr long kChooserStyle = 17;

    ProfileComboBox();
    ProfileComboBox(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize, long style = 0,
                    const wxValidator& validator = wxDefaultValidator,
                    const wxString& name = "ProfileComboBox");
    ~ProfileComboBox() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0,
                const wxValidator& validator = wxDefaultValidator,
                const wxString& name = "ProfileComboBox");

    // The shown text: the chosen profile's alias.
    void SetValue(const wxString& value);
    wxString GetValue() const { return m_value; }

    // "." and what follows the text's last "." up to the first ")".
    wxString GetExtension() const;
    // The category the profile list shows, or "Recent" without a popup.
    wxString GetCategory() const;
    // The icon drawn at the left edge; not owned.
    ProfileComboBox* SetBitmap(wxBitmap* icon);
    wxBitmap* GetBitmap() const { return m_icon; }
    // The first shown profile's converter parameters, taken at creation.
    const wxString& GetTransferExtraParam() const { return m_transferExtraParam; }

    MyPopupMenu* GetPopup() const { return m_popup; }
    int GetTextIndent() const { return m_textIndent; }
    // The drop button's rectangle at the right edge.
    wxRect GetButtonRect() const;
    // The value as drawn: in the largest font, by pixel height, whose line
    // fits inside the border, cut with "…" left of the button.
    MenuRowPainter::Text GetValueText() const;

    // Opens the popup, or closes it when it is shown.
    virtual void OnButtonClick();
    // Draws the icon at (1, 2) and the drop button in `rect`.
    virtual void DrawButton(wxDC& dc, const wxRect& rect, int flags);

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    // Alt+Down and F4 open the popup, as on a GTK combo.
    void OnKeyDown(wxKeyEvent& event);
    void OnFocusChange(wxFocusEvent& event);
    void OnEnterWindow(wxMouseEvent& event);
    void OnLeaveWindow(wxMouseEvent& event);

    wxString m_transferExtraParam;
    wxBitmap* m_icon = nullptr;
    MyPopupMenu* m_popup = nullptr;
    AppSettings* m_settings = nullptr;
    wxString m_value;
    int m_textIndent = 4;
    bool m_hover = false;

    wxDECLARE_DYNAMIC_CLASS(ProfileComboBox);
    wxDECLARE_EVENT_TABLE();
};
