#include "RunPanes.h"

#include "AppMain.h"
#include "AppServices.h"
#include "OutputWindow.h"
#include "ProfileTestEnv.h"
#include "ProfileWindow.h"
#include "SelectWindow.h"
#include "StartWindow.h"

#include <gtest/gtest.h>

#include <wx/frame.h>

namespace ptest {

RunPanes::RunPanes(const std::string& outputFolder)
{
    AppServices::Create(AppMain::LinkedServices());
    frame = new wxFrame(nullptr, wxID_ANY, "run", wxPoint(10, 10), wxSize(620, 470), wxBORDER_NONE);
    list = new SelectWindow;
    pane = new ProfileWindow;
    output = new OutputWindow;
    m_ok = AppServices::Player() && AppServices::Converter() &&
           list->Create(frame, SelectWindow::ID_SELECT_WINDOW, NewPlainBitmap(wxSize(502, 320)),
                        wxPoint(0, 0), wxSize(502, 320)) &&
           pane->Create(frame, 2138, NewPlainBitmap(wxSize(560, 28)), wxPoint(0, 330),
                        wxSize(560, 28)) &&
           output->Create(frame, OutputWindow::ID_OUTPUT_WINDOW, NewPlainBitmap(wxSize(600, 28)),
                          wxPoint(0, 365), wxSize(600, 28));
    EXPECT_TRUE(m_ok) << "a pane or a service is missing";
    if (!m_ok)
        return;
    output->SetOutputFolder(wxString::FromUTF8(outputFolder));
    start = new StartWindow(frame, 2153, NewPlainBitmap(wxSize(136, 64)), wxPoint(0, 400),
                            wxSize(136, 64));
    pane->Attach(list);
    m_ok = ShowAndWait(frame);
}

RunPanes::~RunPanes()
{
    frame->Destroy();
    Pump(100);
    AppServices::Free(AppMain::LinkedServices());
}

}  // namespace ptest
