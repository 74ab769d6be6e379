#include "StartWindow.h"

#include "ImageUtil.h"
#include "NotifyCode.h"
#include "ProgressDialog.h"
#include "PvBitmapButton.h"
#include "PvSubject.h"
#include "SkinButton.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(StartWindow, wxPanel);

wxBEGIN_EVENT_TABLE(StartWindow, BaseWindow)
    EVT_PAINT(StartWindow::OnPaint)

    EVT_BUTTON(StartWindow::ID_START_BUTTON, StartWindow::OnStart)
wxEND_EVENT_TABLE()

StartWindow::StartWindow() = default;

StartWindow::StartWindow(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                         const wxSize& size, long style, const wxString& name)
{
    if (!Create(parent, id, skin, pos, size, style, name))
        SetShape(skin);
}

bool StartWindow::Create(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                         const wxSize& size, long style, const wxString& name)
{
    if (!BaseWindow::Create(parent, id, skin, pos, size, style, name))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_start = SkinButton::Create(this, ID_START_BUTTON, wxPoint(0, 0), GetShape(),
                                 "surface/window/start-normal.png",
                                 "surface/window/start-current.png",
                                 "surface/window/start-pressed.png");
    return true;
}

void StartWindow::Update(PvSubject* subject, void*)
{
    if (subject && subject->GetState() == NOTIFY_START_CONVERSION)
        RunConversion();
}

void StartWindow::RunConversion()
{
    wxBitmap* background = ImageUtil::LoadThemeBitmap("surface/window/progress-convert.png");
    const wxSize size = background ? background->GetSize() : wxDefaultSize;
    ProgressDialog dialog;
    if (!dialog.Create(nullptr, ID_PROGRESS_DIALOG, wxEmptyString, nullptr, background,
                       wxDefaultPosition, size, wxBORDER_NONE | wxFRAME_SHAPED,
                       wxDialogNameStr))
        return;
    dialog.CentreOnScreen();
    dialog.ShowModal();
}

void StartWindow::OnStart(wxCommandEvent&)
{
    RunConversion();
}

void StartWindow::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (const wxBitmap* face = GetShape())
        dc.DrawBitmap(*face, 0, 0, true);
}
