// One title of the skinned menu bar: the label drawn on the piece of the bar
// under it, black normally and white while the mouse is over it or its menu
// is open. A click sends wxEVT_COMMAND_BUTTON_CLICKED with the title's id at
// once; the bar opens the menu.
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

class wxMenu;

class RkMenuButton : public wxControl {
public:
    enum { IMAGE_NORMAL = 0, IMAGE_OVER = 1, IMAGE_DISABLED = 2, IMAGE_COUNT = 3 };

    RkMenuButton();
    // A "&" in the label marks its mnemonic letter, drawn underlined.
    // Cuts both images from barSkin at pos (the title's text width + 8 wide,
    // the skin's height - 2 high) and creates the control. Takes ownership
    // of the menu; barSkin is only read.
    RkMenuButton(wxMenu* menu, const wxString& label, const wxBitmap* barSkin, wxWindow* parent,
                 int id, const wxPoint& pos, long style = wxBORDER_NONE,
                 const wxValidator& validator = wxDefaultValidator);
    ~RkMenuButton() override;

    bool Create(wxWindow* parent, int id, const wxPoint& pos, long style = wxBORDER_NONE,
                const wxValidator& validator = wxDefaultValidator);

    wxMenu* GetMenu() const { return m_menu; }
    void SetMenu(wxMenu* menu) { m_menu = menu; }
    // Index IMAGE_NORMAL .. IMAGE_DISABLED; the title owns what it is given.
    wxBitmap* GetImage(int index) const;
    void SetImage(int index, wxBitmap* image);
    int GetHover() const { return m_hover; }
    void SetHover(int hover) { m_hover = hover; }
    bool IsHoverAllowed() const { return m_hoverAllowed; }
    void SetHoverAllowed(bool allowed) { m_hoverAllowed = allowed; }

    // Show the mouse-over or the normal look now, whether hover is allowed or not.
    void HoverOn();
    void HoverOff();

    // The label's mnemonic letter in upper case; 0 when it has none.
    wxChar GetMnemonic() const;

    bool Enable(bool enable = true) override;
    void Disable() { Enable(false); }

protected:
    wxSize DoGetBestSize() const override;

private:
    void Init();
    void SetLook(int hover);

    void OnPaint(wxPaintEvent& event);
    void OnEnterWindow(wxMouseEvent& event);
    void OnLeaveWindow(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);

    int m_hover = 0;
    bool m_hoverAllowed = true;
    wxBitmap* m_images[IMAGE_COUNT] = {nullptr, nullptr, nullptr};
    wxMenu* m_menu = nullptr;

    wxDECLARE_DYNAMIC_CLASS(RkMenuButton);
    wxDECLARE_EVENT_TABLE();
};
