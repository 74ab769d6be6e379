#include "ControlsTestUtil.h"

#include "AppUtil.h"

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>

#include <gtest/gtest.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <filesystem>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace ctest {

void Pump(int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        wxTheApp->Yield(true);
        wxTheApp->ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < end);
}

bool WaitFor(const std::function<bool()>& cond, int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!cond()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        Pump(10);
    }
    return true;
}

bool ShowAndWait(wxWindow* topLevel)
{
    topLevel->Show();
    const bool ok = WaitFor([&] { return topLevel->IsShownOnScreen(); });
    Pump(100);
    return ok;
}

bool OnScreen(wxWindow* win)
{
    return win && win->IsShown() && WidgetOnScreen(win->GetHandle());
}

bool WidgetOnScreen(GtkWidget* widget)
{
    if (!widget || !gtk_widget_get_mapped(widget))
        return false;
    GdkWindow* window = gtk_widget_get_window(gtk_widget_get_toplevel(widget));
    if (!window || !GDK_IS_X11_WINDOW(window))
        return false;
    GdkDisplay* display = gdk_window_get_display(window);
    XWindowAttributes attributes{};
    gdk_x11_display_error_trap_push(display);
    const Status ok = XGetWindowAttributes(GDK_DISPLAY_XDISPLAY(display),
                                           GDK_WINDOW_XID(window), &attributes);
    gdk_x11_display_error_trap_pop_ignored(display);
    return ok && attributes.map_state == IsViewable;
}

GtkWidget* ShownMessageBox()
{
    GtkWidget* shown = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w && !shown; w = w->next)
        if (GTK_IS_MESSAGE_DIALOG(w->data) && WidgetOnScreen(GTK_WIDGET(w->data)))
            shown = GTK_WIDGET(w->data);
    g_list_free(windows);
    return shown;
}

bool AnswerMessageBox(GtkWidget* box, int keyCode)
{
    GdkRectangle frame{};
    gdk_window_get_frame_extents(gtk_widget_get_window(box), &frame);
    const wxPoint centre(frame.x + frame.width / 2, frame.y + frame.height / 2);
    SyncWithServer();
    wxUIActionSimulator sim;
    sim.MouseMove(centre);
    WaitFor([&] { return wxGetMousePosition() == centre; }, 5000);
    // Without a window manager nobody hands the new box the keyboard: the
    // keys would go to the window that had it. Do what a manager would.
    if (!gtk_window_is_active(GTK_WINDOW(box))) {
        GdkWindow* window = gtk_widget_get_window(box);
        GdkDisplay* display = gdk_window_get_display(window);
        gdk_x11_display_error_trap_push(display);
        XSetInputFocus(GDK_DISPLAY_XDISPLAY(display), GDK_WINDOW_XID(window), RevertToParent, CurrentTime);
        gdk_x11_display_error_trap_pop_ignored(display);
    }
    if (!WaitFor([box] { return gtk_window_is_active(GTK_WINDOW(box)) != FALSE; }))
        ADD_FAILURE() << "the message box never had the keyboard";
    // The box answers from inside its own loop, which returns only after
    // the caller does: its response is what shows the key arrived.
    bool answered = false;
    const gulong handler = g_signal_connect_swapped(
        box, "response", G_CALLBACK(+[](bool* seen) { *seen = true; }), &answered);
    SyncWithServer();
    sim.Char(keyCode);
    const bool ok = WaitFor([&] { return answered; });
    g_signal_handler_disconnect(box, handler);
    if (!ok)
        CloseShownMessageBox();
    return ok;
}

bool CloseShownMessageBox()
{
    GtkWidget* box = ShownMessageBox();
    if (box)
        gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_DELETE_EVENT);
    return box != nullptr;
}

void SyncWithServer()
{
    if (GdkDisplay* display = gdk_display_get_default(); display && GDK_IS_X11_DISPLAY(display))
        XSync(GDK_DISPLAY_XDISPLAY(display), False);
}

bool SendMouse(wxWindow* win, wxEventType type, const wxPoint& pt, bool leftDown, bool ctrl)
{
    wxMouseEvent event(type);
    event.SetEventObject(win);
    event.SetId(win->GetId());
    event.SetPosition(pt);
    event.SetLeftDown(leftDown);
    event.SetControlDown(ctrl);
    return win->GetEventHandler()->ProcessEvent(event);
}

// After each simulated action: wait until the server shows it, then let
// the events reach the windows.
void MoveTo(wxWindow* win, const wxPoint& clientPt)
{
    const wxPoint target = win->ClientToScreen(clientPt);
    SyncWithServer();
    wxUIActionSimulator sim;
    sim.MouseMove(target);
    WaitFor([&] { return wxGetMousePosition() == target; }, 1000);
    Pump(60);
}

void Press()
{
    SyncWithServer();
    wxUIActionSimulator sim;
    sim.MouseDown();
    WaitFor([] { return wxGetMouseState().LeftIsDown(); }, 1000);
    Pump(60);
}

void Release()
{
    SyncWithServer();
    wxUIActionSimulator sim;
    sim.MouseUp();
    WaitFor([] { return !wxGetMouseState().LeftIsDown(); }, 1000);
    Pump(60);
}

void Click(wxWindow* win, const wxPoint& clientPt)
{
    MoveTo(win, clientPt);
    Press();
    Release();
}

void Drag(wxWindow* win, const wxPoint& from, const wxPoint& to, int steps)
{
    MoveTo(win, from);
    Press();
    for (int i = 1; i <= steps; ++i)
        MoveTo(win, from + wxPoint((to.x - from.x) * i / steps, (to.y - from.y) * i / steps));
    Release();
    Pump(50);
}

wxBitmap MakeBitmap(const wxSize& size, const wxColour& fill)
{
    return wxBitmap(Solid(size, fill));
}

wxBitmap MakeGradient(const wxSize& size)
{
    wxImage image(size);
    for (int y = 0; y < size.y; ++y)
        for (int x = 0; x < size.x; ++x) {
            const wxColour c = GradientAt(x, y);
            image.SetRGB(x, y, c.Red(), c.Green(), c.Blue());
        }
    return wxBitmap(image);
}

wxColour GradientAt(int x, int y)
{
    return wxColour(x % 256, y % 256, 77);
}

wxColour PixelAt(const wxBitmap& bitmap, int x, int y)
{
    const wxImage image = bitmap.ConvertToImage();
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

bool SameColour(const wxColour& a, const wxColour& b, int tolerance)
{
    return std::abs(a.Red() - b.Red()) <= tolerance && std::abs(a.Green() - b.Green()) <= tolerance &&
           std::abs(a.Blue() - b.Blue()) <= tolerance;
}

SkinArchive::SkinArchive(const std::map<std::string, wxImage>& entries)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxInitAllImageHandlers();
    std::filesystem::create_directories(m_dir / "Themes");
    {
        wxFFileOutputStream file(wxString::FromUTF8(m_dir / "Themes/default.zip"));
        wxZipOutputStream zip(file);
        m_ok = file.IsOk();
        for (const auto& [name, image] : entries) {
            m_ok = m_ok && zip.PutNextEntry(wxString::FromUTF8(name));
            m_ok = m_ok && image.SaveFile(zip, wxBITMAP_TYPE_PNG);
        }
        m_ok = zip.Close() && m_ok;
    }
    AppUtil::SetAppRootDir(wxString::FromUTF8(m_dir.path()));
}

SkinArchive::~SkinArchive()
{
    AppUtil::SetAppRootDir(wxString());
}

wxImage Solid(const wxSize& size, const wxColour& colour)
{
    wxImage image(size);
    image.SetRGB(wxRect(size), colour.Red(), colour.Green(), colour.Blue());
    return image;
}

std::map<std::string, wxImage> StandardSkin()
{
    return {
        {"surface/base/close-normal.png", Solid({16, 16}, wxColour(200, 40, 40))},
        {"surface/base/close-over.png", Solid({16, 16}, wxColour(40, 200, 40))},
        {"surface/base/movie.png", Solid({16, 12}, wxColour(40, 40, 200))},
        {"surface/base/info_bg.png", Solid({400, 320}, wxColour(250, 250, 250))},
        {"surface/base/loading.png", Solid({360, 120}, wxColour(235, 240, 250))},
        {"surface/window/fileinformation-bg.png", Solid({420, 420}, wxColour(245, 245, 235))},
        {"application/application.png", Solid({64, 64}, wxColour(14, 177, 242))},
    };
}

wxImage GrabScreen()
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxInitAllImageHandlers();
    mvtest::TempDir dir;
    const std::string path = dir / "screen.png";
    mvtest::Run({"import", "-window", "root", path});
    wxImage image;
    image.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG);
    return image;
}

wxColour ScreenColour(const wxImage& screen, const wxWindow* win, const wxPoint& clientPt)
{
    const wxPoint at = win->ClientToScreen(clientPt);
    if (!screen.IsOk() || !wxRect(screen.GetSize()).Contains(at))
        return wxNullColour;
    return wxColour(screen.GetRed(at.x, at.y), screen.GetGreen(at.x, at.y), screen.GetBlue(at.x, at.y));
}

int CountColour(const wxImage& screen, const wxRect& rect, const wxColour& colour, int tolerance)
{
    if (!screen.IsOk())
        return 0;
    const wxRect area = rect.Intersect(wxRect(screen.GetSize()));
    int count = 0;
    for (int y = area.y; y <= area.GetBottom(); ++y)
        for (int x = area.x; x <= area.GetRight(); ++x)
            count += SameColour(wxColour(screen.GetRed(x, y), screen.GetGreen(x, y), screen.GetBlue(x, y)),
                                colour, tolerance)
                         ? 1
                         : 0;
    return count;
}

Backdrop::Backdrop(const wxColour& colour) : m_colour(colour)
{
    m_window = new wxFrame(nullptr, wxID_ANY, "backdrop", wxPoint(0, 0), wxGetDisplaySize(),
                           wxBORDER_NONE);
    m_window->SetBackgroundColour(colour);
    ShowAndWait(m_window);
}

Backdrop::~Backdrop()
{
    m_window->Destroy();
    Pump(50);
}

void Screenshot(const std::string& name)
{
    const char* dir = std::getenv("MV_SCREENSHOT_DIR");
    if (!dir || !*dir)
        return;
    Pump(200);
    mvtest::Run({"import", "-window", "root", std::string(dir) + "/" + name + ".png"});
}

PaintRecorder::PaintRecorder(wxWindow* window) : m_window(window)
{
    m_window->Bind(wxEVT_PAINT, &PaintRecorder::OnPaint, this);
}

PaintRecorder::~PaintRecorder()
{
    m_window->Unbind(wxEVT_PAINT, &PaintRecorder::OnPaint, this);
}

void PaintRecorder::OnPaint(wxPaintEvent& event)
{
    for (wxRegionIterator it(m_window->GetUpdateRegion()); it; ++it)
        m_painted.push_back(it.GetRect());
    event.Skip();
}

}  // namespace ctest
