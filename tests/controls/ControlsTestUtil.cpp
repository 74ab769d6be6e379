#include "ControlsTestUtil.h"

#include "TestSupport.h"

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

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

void MoveTo(wxWindow* win, const wxPoint& clientPt)
{
    wxUIActionSimulator sim;
    sim.MouseMove(win->ClientToScreen(clientPt));
    Pump(60);
}

void Press()
{
    wxUIActionSimulator sim;
    sim.MouseDown();
    Pump(60);
}

void Release()
{
    wxUIActionSimulator sim;
    sim.MouseUp();
    Pump(60);
}

void Click(wxWindow* win, const wxPoint& clientPt)
{
    MoveTo(win, clientPt);
    Press();
    Release();
}

wxBitmap MakeBitmap(const wxSize& size, const wxColour& fill)
{
    wxImage image(size);
    image.SetRGB(wxRect(size), fill.Red(), fill.Green(), fill.Blue());
    return wxBitmap(image);
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

void Screenshot(const std::string& name)
{
    const char* dir = std::getenv("MV_SCREENSHOT_DIR");
    if (!dir || !*dir)
        return;
    Pump(200);
    mvtest::Run({"import", "-window", "root", std::string(dir) + "/" + name + ".png"});
}

}  // namespace ctest
