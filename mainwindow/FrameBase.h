// The skinned top-level frame: borderless and rounded, with its own copy of
// the option file and the answer to an update check.
#pragma once

#include "PvObserver.h"
#include "PvSubject.h"

#include <wx/frame.h>

#include <memory>

class OptionDomain;

class FrameBase : public wxFrame, public PvSubject, public PvObserver {
public:
    FrameBase();
    ~FrameBase() override;

    // Creates the frame (no parent, shaped), sets its icon and loads the
    // option file. False when the frame cannot be created.
    virtual bool Create(int id, const wxString& title, const wxSize& size);

    // Cuts the frame to a rounded rectangle of the given size.
    bool SetRoundedShape(int width, int height, double radius);

    // The children repaint themselves; the frame itself paints nothing.
    void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;

    // What the frame says to an update answer: a question (open the download
    // page?) when `latest` is newer than `current`, else a notice; the
    // failure notice when `latest` is not a plain version (empty included).
    struct UpdateMessage {
        bool askToDownload = false;
        wxString text;
    };
    static UpdateMessage DescribeUpdateResult(const wxString& latest, const wxString& current);
    // Compares dot-separated versions number by number ("2.10" is newer than
    // "2.9"), numbers of any length; a missing part counts as 0.
    static bool IsNewerVersion(const wxString& latest, const wxString& current);

    // Sets a top-level window's icon from the theme's application picture.
    static void SetAppIcon(wxTopLevelWindow* window);

    using PvObserver::Update;
    using wxFrame::Update;

protected:
    virtual void OnUpdateResult(wxCommandEvent& event);

private:
    std::unique_ptr<OptionDomain> options;

    wxDECLARE_DYNAMIC_CLASS(FrameBase);
    wxDECLARE_EVENT_TABLE();
};
