#include "EditPage.h"

#include "DialogSkin.h"
#include "ImageUtil.h"
#include "PvBitmapButton.h"
#include "PvCheckBox.h"
#include "PvSlider.h"
#include "PvStaticText.h"

#include <wx/arrstr.h>
#include <wx/dialog.h>
#include <wx/odcombo.h>
#include <wx/spinctrl.h>

#include <algorithm>

void EditPage::Begin(wxDialog* dialog, wxBitmap* skin)
{
    m_dialog = dialog;
    m_skin = skin;
    m_smallFont = DialogSkin::GuiFont();
    m_smallFont.SetPointSize(8);
}

void EditPage::Show(bool show)
{
    for (wxWindow* control : m_controls)
        control->Show(show);
}

wxBitmap EditPage::SkinPiece(const wxPoint& pos, const wxSize& size) const
{
    return m_skin ? ImageUtil::CropBitmap(*m_skin, pos.x, pos.y, size.x, size.y) : wxBitmap();
}

PvStaticText* EditPage::Label(const wxString& text, const wxPoint& pos)
{
    return DialogSkin::Label(m_dialog, text, m_smallFont, m_skin, m_dialog, pos);
}

wxSpinCtrl* EditPage::Spin(int id, const wxPoint& pos, const wxSize& size)
{
    // GTK's spin button needs room for its entry and both buttons: below its
    // own size it clips the arrows and logs criticals. It keeps its place
    // and grows right and down from there.
    auto* spin = new wxSpinCtrl(m_dialog, id, "0", pos, wxDefaultSize, wxSP_ARROW_KEYS, 0, 100, 0,
                                "wxSpinCtrl");
    // Room for the widest value of the range beside the two buttons.
    const wxSize least = spin->GetSizeFromTextSize(spin->GetTextExtent("100").x);
    spin->SetSize(wxSize(std::max(size.x, least.x), std::max(size.y, least.y)));
    return spin;
}

wxOwnerDrawnComboBox* EditPage::Combo(int id, const wxPoint& pos, const wxSize& size,
                                      const wxArrayString& items)
{
    auto* combo = new wxOwnerDrawnComboBox(m_dialog, id, wxEmptyString, pos, size, wxArrayString(),
                                           wxCB_READONLY, wxDefaultValidator, wxComboBoxNameStr);
    combo->SetFont(m_smallFont);
    combo->Append(items);
    combo->SetSelection(0);
    return combo;
}

PvSlider* EditPage::Slider(int id, const wxPoint& pos)
{
    auto* slider =
        new PvSlider(ImageUtil::LoadThemeBitmapValue("surface/base/slider-channel.png"),
                     ImageUtil::LoadThemeBitmapValue("surface/base/slider-thumb.png"), m_dialog, id,
                     pos);
    slider->SetBackgroundBitmap(SkinPiece(pos, slider->GetSize()));
    slider->ShowFill(false);
    return slider;
}

PvCheckBox* EditPage::CheckBox(const wxString& label, const wxPoint& pos)
{
    auto* box = new PvCheckBox(m_dialog, wxID_ANY, label, pos);
    box->SetFont(m_smallFont);
    box->FitToLabel();
    box->SetBackgroundBitmap(SkinPiece(pos, box->GetSize()));
    box->SetValue(false);
    return box;
}

PvBitmapButton* EditPage::ResetButton()
{
    const wxSize dialog = m_dialog->GetSize();
    const wxSize size =
        DialogSkin::SizeOf(ImageUtil::LoadThemeBitmapValue("surface/base/reset-normal.png"));
    return DialogSkin::Button(m_dialog, wxID_ANY,
                              wxPoint(dialog.x - size.x - 40, dialog.y - 90),
                              "surface/base/reset-normal.png", m_skin ? *m_skin : wxNullBitmap);
}

EditPage::SpacingRows EditPage::CreateSpacingRows(int x, int y, int sliderGap)
{
    SpacingRows rows;
    const wxString texts[3] = {"Transparency:", "Vertical Space:", "Horizontal Space:"};
    int widths[3] = {};
    for (int i = 0; i < 3; ++i)
        m_dialog->GetTextExtent(texts[i], &widths[i], nullptr, nullptr, nullptr, &m_smallFont);
    for (wxSpinCtrl*& spin : rows.spins)
        spin = Spin(wxID_ANY, wxPoint(x, y), wxSize(50, 20));
    const int spinHeight = rows.spins[0]->GetSize().y;
    const int right = x + widths[2];
    rows.labels[0] = Label(texts[0], wxPoint(right - widths[0], y));
    const int labelHeight = rows.labels[0]->GetSize().y;
    // The spins stand 28 px apart and the rows a label and 10 px apart, or
    // both the height of GTK's spin apart where that is more.
    const int spinPitch = std::max(28, spinHeight + 2);
    const int pitch = std::max(labelHeight + 10, spinPitch);
    const int rowY[3] = {y, y + pitch, y + 2 * pitch};
    rows.labels[1] = Label(texts[1], wxPoint(right - widths[1], rowY[1]));
    rows.labels[2] = Label(texts[2], wxPoint(x, rowY[2]));
    const int sliderX = x + rows.labels[2]->GetSize().x + sliderGap;
    rows.sliders[0] = Slider(wxID_ANY, wxPoint(sliderX, rowY[0] + 2));
    rows.sliders[1] = Slider(wxID_ANY, wxPoint(sliderX, rowY[1]));
    rows.sliders[2] = Slider(wxID_ANY, wxPoint(sliderX, rowY[2]));
    rows.spinX = sliderX + rows.sliders[0]->GetSize().x + 4;
    // Each spin centred on its row, no higher than the rows' first line.
    rows.spinY = std::min(y - 4, y + (labelHeight - spinHeight) / 2);
    for (int i = 0; i < 3; ++i)
        rows.spins[i]->Move(rows.spinX, rows.spinY + spinPitch * i);
    return rows;
}

void EditPage::AddRows(const SpacingRows& rows)
{
    for (PvStaticText* label : rows.labels)
        Add(label);
    for (PvSlider* slider : rows.sliders)
        Add(slider);
    for (wxSpinCtrl* spin : rows.spins)
        Add(spin);
}
