#include "StartWindow.h"

#include "FileUtil.h"
#include "ImageUtil.h"
#include "NotifyCode.h"
#include "OutputWindow.h"
#include "ProgressDialog.h"
#include "PvBitmapButton.h"
#include "PvSubject.h"
#include "ScreenFitText.h"
#include "SkinButton.h"

#include <wx/dcclient.h>
#include <wx/msgdlg.h>

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

bool StartWindow::PrepareOutputFolder()
{
    auto* output = dynamic_cast<OutputWindow*>(wxWindow::FindWindowById(OutputWindow::ID_OUTPUT_WINDOW));
    if (!output)
        return true;
    const wxString folder = output->GetOutputFolder();
    wxString problem;
    if (FileUtil::MakeDir(folder, problem))
        return true;
    const wxString named = folder.empty() ? wxString("No output folder is set")
                                          : "The output folder " + folder + " cannot be used: " + problem;
    FileUtil::WriteLogLine(named);
    wxMessageBox(ScreenFitText::ForMessageBox(named + ".\n\nThe conversion was not started."),
                 wxMessageBoxCaptionStr, wxOK | wxICON_ERROR | wxCENTRE, nullptr);
    return false;
}

void StartWindow::RunConversion()
{
    if (!PrepareOutputFolder())
        return;
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
