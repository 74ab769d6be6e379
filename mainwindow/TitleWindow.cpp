#include "TitleWindow.h"

#include "AppUtil.h"
#include "FrameTESSALINE.h"
#include "ImageUtil.h"
#include "PvBitmapButton.h"
#include "PvStaticText.h"
#include "PvWindowMove.h"
#include "SkinButton.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/toplevel.h>

namespace {

constexpr int kPictureSide = 16;
const wxPoint kPicturePos(13, 5);
const wxPoint kLabelPos(34, 6);
constexpr int kButtonTop = 6;
constexpr int kRightMargin = 10;

wxWindow* TopWindow()
{
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(TitleWindow, wxPanel);

wxBEGIN_EVENT_TABLE(TitleWindow, BaseWindow)
    EVT_PAINT(TitleWindow::OnPaint)

    EVT_BUTTON(TitleWindow::ID_CLOSE, TitleWindow::OnClose)
    EVT_BUTTON(TitleWindow::ID_MINIMIZE, TitleWindow::OnMinimize)

    EVT_LEFT_DOWN(TitleWindow::OnLeftDown)
    EVT_LEFT_DCLICK(TitleWindow::OnLeftDown)
    EVT_LEFT_UP(TitleWindow::OnLeftUp)
    EVT_MOTION(TitleWindow::OnMotion)
    EVT_MOUSE_CAPTURE_LOST(TitleWindow::OnCaptureLost)
wxEND_EVENT_TABLE()

TitleWindow::TitleWindow() = default;

TitleWindow::TitleWindow(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                         const wxSize& size, long style, const wxString& name)
{
    if (!BaseWindow::Create(parent, id, skin, pos, size, style, name)) {
        SetShape(skin);
        return;
    }
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    CreateControls();
}

bool TitleWindow::CreateControls()
{
    wxBitmap* face = GetShape();
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetWeight(wxFONTWEIGHT_BOLD);
    m_label = new PvStaticText(this, ID_NAME_LABEL, GetAppDisplayName(), font, TopWindow(),
                               kLabelPos);
    m_label->SetBackground(face);

    const wxBitmap small = ImageUtil::LoadThemeBitmapValue("surface/top/small.png");
    const wxBitmap close = ImageUtil::LoadThemeBitmapValue("surface/top/close.png");
    const int width = face ? face->GetWidth() : GetSize().x;
    const int smallWidth = small.IsOk() ? small.GetWidth() : 0;
    const int closeWidth = close.IsOk() ? close.GetWidth() : 0;
    const wxPoint minimizePos(width - smallWidth - closeWidth - kRightMargin, kButtonTop);
    m_minimize = SkinButton::Create(this, ID_MINIMIZE, minimizePos, face, "surface/top/small.png",
                                    "surface/top/small_over.png");
    const wxPoint closePos(minimizePos.x + m_minimize->GetSize().x, kButtonTop);
    m_close = SkinButton::Create(this, ID_CLOSE, closePos, face, "surface/top/close.png",
                                 "surface/top/close_over.png");
    return true;
}

wxSize TitleWindow::DoGetBestSize() const
{
    if (const wxBitmap* face = GetShape())
        return face->GetSize();
    return BaseWindow::DoGetBestSize();
}

wxBitmap TitleWindow::BarPicture(const wxBitmap& picture)
{
    if (!picture.IsOk() ||
        (picture.GetWidth() == kPictureSide && picture.GetHeight() == kPictureSide))
        return picture;
    return wxBitmap(picture.ConvertToImage().Scale(kPictureSide, kPictureSide,
                                                   wxIMAGE_QUALITY_NORMAL));
}

void TitleWindow::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (const wxBitmap* face = GetShape())
        dc.DrawBitmap(*face, 0, 0, true);
    const wxBitmap picture =
        BarPicture(ImageUtil::LoadThemeBitmapValue("application/application.png"));
    if (picture.IsOk())
        dc.DrawBitmap(picture, kPicturePos, true);
}

void TitleWindow::OnMinimize(wxCommandEvent&)
{
    if (auto* top = dynamic_cast<wxTopLevelWindow*>(TopWindow()))
        top->Iconize(true);
}

void TitleWindow::OnClose(wxCommandEvent&)
{
    wxWindow* top = TopWindow();
    if (!top)
        return;
    auto* event = new wxCloseEvent(wxEVT_CLOSE_WINDOW, FrameTESSALINE::ID_MAIN_FRAME);
    event->SetEventObject(top);
    event->SetCanVeto(false);
    top->GetEventHandler()->QueueEvent(event);
}

void TitleWindow::OnLeftDown(wxMouseEvent& event)
{
    if (wxWindow* top = TopWindow())
        PvWindowMove::BeginMove(top, this, event, m_dragOffset);
}

void TitleWindow::OnLeftUp(wxMouseEvent&)
{
    if (wxWindow* top = TopWindow())
        PvWindowMove::EndMove(top, this);
}

void TitleWindow::OnMotion(wxMouseEvent& event)
{
    if (wxWindow* top = TopWindow())
        PvWindowMove::MoveWindow(top, this, event, m_dragOffset);
}

void TitleWindow::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // Without the capture the motion handler moves nothing.
}
