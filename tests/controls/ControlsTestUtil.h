// Helpers for the toolkit tests: running the event loop, synthetic mouse
// events, pixels of a drawing, screenshots.
#pragma once

#include "PvInfoDialog.h"
#include "TestSupport.h"

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/event.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/window.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

typedef struct _GtkWidget GtkWidget;

namespace ctest {

// Runs the toolkit's event loop for about ms milliseconds.
void Pump(int ms = 50);
// Runs the event loop until cond() holds or ms milliseconds have passed. The
// default gives up only on a hang, not on a loaded machine.
bool WaitFor(const std::function<bool()>& cond, int ms = 60000);
// Shows a top-level window and waits until it is on screen.
bool ShowAndWait(wxWindow* topLevel);
// True when the X server shows the window's top-level window (a round
// trip: what the server holds, not what the toolkit has asked for).
bool OnScreen(wxWindow* win);
// The same for a toolkit widget (a pop-up menu, a message box).
bool WidgetOnScreen(GtkWidget* widget);
// The toolkit's message box (wxMessageBox) the X server shows; null when none.
GtkWidget* ShownMessageBox();
// Answers the shown message box with a real key, from inside its loop (a
// timer): the pointer is put over it and it is given the keyboard, as a
// window manager would, then the key is pressed once. True once the box
// has its answer (it closes when the caller returns to its loop); after a
// hang ceiling without one it is closed unanswered and false returned.
bool AnswerMessageBox(GtkWidget* box, int keyCode);
// Closes the shown message box unanswered (its loop ends once the caller
// returns to it); false when none is shown.
bool CloseShownMessageBox();
// Waits until the X server has carried out every request the toolkit has
// made (a grab released, a window mapped), so that input sent next lands
// where the screen says it will.
void SyncWithServer();

// A mouse event of the given type at a point in win's client coordinates,
// with the left button held as given, handed to win's handler at once.
bool SendMouse(wxWindow* win, wxEventType type, const wxPoint& pt, bool leftDown,
               bool ctrl = false);

// Real pointer actions through the XTest simulator, in screen coordinates
// of a point of win; each first waits for the server (SyncWithServer), then
// for the events to arrive.
void MoveTo(wxWindow* win, const wxPoint& clientPt);
void Press();
void Release();
void Click(wxWindow* win, const wxPoint& clientPt);
// Presses at one client point of win, moves in steps to another (which may
// lie outside win) and releases there.
void Drag(wxWindow* win, const wxPoint& from, const wxPoint& to, int steps = 4);

// A bitmap filled with one colour, optionally with a second colour in a
// rectangle: skins whose pixels tell where a piece came from.
wxBitmap MakeBitmap(const wxSize& size, const wxColour& fill);
// A skin where pixel (x, y) has the colour (x % 256, y % 256, 77).
wxBitmap MakeGradient(const wxSize& size);
wxColour GradientAt(int x, int y);
wxColour PixelAt(const wxBitmap& bitmap, int x, int y);
bool SameColour(const wxColour& a, const wxColour& b, int tolerance = 2);

// A theme archive of the given pictures (entry name -> image) in a fresh
// program folder, made the program folder for its lifetime.
class SkinArchive {
public:
    explicit SkinArchive(const std::map<std::string, wxImage>& entries);
    ~SkinArchive();
    bool ok() const { return m_ok; }
    const std::string& root() const { return m_dir.path(); }

private:
    mvtest::TempDir m_dir;
    bool m_ok = false;
};

// The pictures the toolkit itself loads, in plain colours.
std::map<std::string, wxImage> StandardSkin();
wxImage Solid(const wxSize& size, const wxColour& colour);

// A bitmap that counts its deletions in a counter of the caller's.
class CountedBitmap : public wxBitmap {
public:
    CountedBitmap(const wxBitmap& bitmap, int& deleted) : wxBitmap(bitmap), m_deleted(deleted) {}
    ~CountedBitmap() override { ++m_deleted; }

private:
    int& m_deleted;
};

// Answers every message box at once and keeps its text; other dialogs show.
class MessageBoxCatcher : public wxModalDialogHook {
public:
    MessageBoxCatcher() { Register(); }
    ~MessageBoxCatcher() override { Unregister(); }
    std::vector<wxString> messages;

protected:
    int Enter(wxDialog* dialog) override
    {
        auto* box = dynamic_cast<wxMessageDialogBase*>(dialog);
        if (!box)
            return wxID_NONE;
        messages.push_back(box->GetMessage());
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}
};

// The rectangles a window repaints while this lives (its paint events'
// update regions).
class PaintRecorder {
public:
    explicit PaintRecorder(wxWindow* window);
    ~PaintRecorder();
    PaintRecorder(const PaintRecorder&) = delete;
    PaintRecorder& operator=(const PaintRecorder&) = delete;

    const std::vector<wxRect>& Painted() const { return m_painted; }
    void Clear() { m_painted.clear(); }

private:
    void OnPaint(wxPaintEvent& event);

    wxWindow* m_window;
    std::vector<wxRect> m_painted;
};

// The screen as the X server shows it, popups and shaped windows included.
wxImage GrabScreen();
// The colour the grab shows at a client point of win.
wxColour ScreenColour(const wxImage& screen, const wxWindow* win, const wxPoint& clientPt);
// How many pixels of a screen rectangle of the grab have the colour.
int CountColour(const wxImage& screen, const wxRect& rect, const wxColour& colour,
                int tolerance = 2);

// A borderless window of one colour over the whole screen, below every
// window shown after it: a grab shows the colour wherever those leave the
// screen uncovered.
class Backdrop {
public:
    explicit Backdrop(const wxColour& colour);
    ~Backdrop();
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;
    const wxColour& colour() const { return m_colour; }

private:
    wxColour m_colour;
    wxWindow* m_window = nullptr;
};

// A skinned dialog whose close button ends it with 7.
class PlainDialog : public PvInfoDialog {
protected:
    void OnCloseButton(wxCommandEvent&) override
    {
        if (IsModal())
            EndModal(7);
    }
};

// Saves the screen as <MV_SCREENSHOT_DIR>/<name>.png when that variable is set.
void Screenshot(const std::string& name);

}  // namespace ctest
