// The panes of a conversion in a frame of their own, laid out one below the
// other: the file list, the profile pane (attached to the list), the output
// folder pane and the start pane, with the real player and converter bound
// while it lives. For the tests that go from a chosen profile to a file.
#pragma once

#include <string>

class OutputWindow;
class ProfileWindow;
class SelectWindow;
class StartWindow;
class wxFrame;

namespace ptest {

class RunPanes {
public:
    // Converted files go to `outputFolder`.
    explicit RunPanes(const std::string& outputFolder);
    ~RunPanes();
    // False (with a test failure) when a pane or a service is missing.
    bool ok() const { return m_ok; }

    wxFrame* frame = nullptr;
    SelectWindow* list = nullptr;
    ProfileWindow* pane = nullptr;
    OutputWindow* output = nullptr;
    StartWindow* start = nullptr;

private:
    bool m_ok = false;
};

}  // namespace ptest
