// One page of the edit dialog: controls laid directly on the dialog below
// its tab strip, listed so that the tab strip shows and hides them
// together. The pages are layout only: nothing reads their values.
#pragma once

#include <wx/bitmap.h>
#include <wx/font.h>
#include <wx/gdicmn.h>

#include <vector>

class PvBitmapButton;
class PvCheckBox;
class PvSlider;
class PvStaticText;
class wxArrayString;
class wxDialog;
class wxOwnerDrawnComboBox;
class wxSpinCtrl;
class wxWindow;

class EditPage {
public:
    EditPage() = default;
    virtual ~EditPage() = default;
    EditPage(const EditPage&) = delete;
    EditPage& operator=(const EditPage&) = delete;

    // Builds the page on the dialog with its top at pageTop; skin is the
    // dialog's face (borrowed for the labels).
    virtual void Create(wxDialog* dialog, wxBitmap* skin, int pageTop) = 0;
    void Show(bool show);
    const std::vector<wxWindow*>& GetControls() const { return m_controls; }

protected:
    // Each helper creates one control; nothing enters the list until the
    // page adds it in its own order.
    PvStaticText* Label(const wxString& text, const wxPoint& pos);
    wxSpinCtrl* Spin(int id, const wxPoint& pos, const wxSize& size);
    wxOwnerDrawnComboBox* Combo(int id, const wxPoint& pos, const wxSize& size,
                                const wxArrayString& items);
    PvSlider* Slider(int id, const wxPoint& pos);
    // Unchecked, in the small font, sized to its label.
    PvCheckBox* CheckBox(const wxString& label, const wxPoint& pos);
    PvBitmapButton* ResetButton();
    wxBitmap SkinPiece(const wxPoint& pos, const wxSize& size) const;
    // The labels, sliders and spins of "Transparency:", "Vertical Space:"
    // and "Horizontal Space:": labels end at one x; the sliders sit
    // sliderGap px after them; the spins follow the sliders.
public:
    struct SpacingRows {
        PvStaticText* labels[3] = {};
        PvSlider* sliders[3] = {};
        wxSpinCtrl* spins[3] = {};
        int spinX = 0;  // x of the spins
        int spinY = 0;  // y of the first spin
    };

protected:
    SpacingRows CreateSpacingRows(int x, int y, int sliderGap);
    void AddRows(const SpacingRows& rows);
    void Add(wxWindow* control) { m_controls.push_back(control); }

    wxDialog* m_dialog = nullptr;
    wxBitmap* m_skin = nullptr;
    wxFont m_smallFont;
    std::vector<wxWindow*> m_controls;  // not owned: children of the dialog

    void Begin(wxDialog* dialog, wxBitmap* skin);
};
