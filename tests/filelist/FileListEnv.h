// Helpers for the file list tests: the staged program folder with its skin
// and catalog, the real player, a host frame, and closing modal dialogs.
#pragma once

#include "AppSettings.h"
#include "ControlsTestUtil.h"
#include "PvObserver.h"
#include "PvSubject.h"
#include "TestSupport.h"

#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/timer.h>
#include <wx/xml/xml.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class SelectWindow;

namespace fltest {

extern const char* const kProfileA;  // an .mp4 profile of the shipped catalog
extern const char* const kProfileB;  // an .avi profile

using ctest::Pump;
using ctest::Screenshot;
using ctest::WaitFor;

// The staged program folder as program folder, the shipped catalog loaded
// into settings (profile A current) installed as the application's client
// data, and the real player bound; all undone on destruction.
class Environment {
public:
    Environment();
    ~Environment();
    bool ok() const { return m_ok; }
    void UseProfile(const wxString& id, const wxString& extension);

    AppSettings settings;
    wxXmlDocument catalog;

private:
    bool m_ok = false;
};

// A shown frame holding a file list pane at the main window's size, skinned
// with the main background's piece.
struct Host {
    Host();
    ~Host();
    wxFrame* frame = nullptr;
    SelectWindow* pane = nullptr;
};

// One Environment per test program; every test gets a fresh host, with
// profile A current.
class PaneTest : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;
    SelectWindow* pane() const { return host->pane; }

    static Environment* env;
    // Left null by tests that bring a window of their own.
    std::unique_ptr<Host> host;
};

// Calls handle(dialog) for each modal dialog of the given class that is shown
// while it lives (native ones too), then ends that dialog's modal loop with
// the code handle returns; wxID_NONE leaves the dialog to end by itself.
// opened(dialog), when given, runs once as each such dialog opens, so a
// dialog that ends before it could be handled is still seen. Message boxes
// are left to a hook that answers them.
class ModalCloser : public wxTimer, public wxModalDialogHook {
public:
    using Handler = std::function<int(wxDialog*)>;
    using Opened = std::function<void(wxDialog*)>;
    ModalCloser(wxClassInfo* type, Handler handle, Opened opened = {});
    ~ModalCloser() override;
    int seen() const { return m_seen; }
    void Notify() override;

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

private:
    wxClassInfo* m_type;
    Handler m_handle;
    Opened m_opened;
    std::vector<wxDialog*> m_open;
    int m_seen = 0;
};

// Records the code of every notification it receives.
class Recorder : public PvObserver {
public:
    void Update(PvSubject* subject, void* argument) override;
    std::vector<int> codes;
    std::vector<void*> arguments;
};

// Sends codes as a pane would.
class Sender : public PvSubject {
public:
    void Send(int code, void* argument = nullptr)
    {
        SetState(code);
        Notify(argument);
    }
};

// Clips made once per test program: name -> path in a shared folder.
std::string ClipFolder();
// A clip of the given seconds (cached by name).
std::string Clip(const std::string& name, double seconds);

// Real pointer click on a point of win, with Ctrl held or not.
void Click(wxWindow* win, const wxPoint& clientPt, bool ctrl = false);

}  // namespace fltest
