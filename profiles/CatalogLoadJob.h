// The record of the settings editor's catalog load. The editor and the worker
// thread share it, so it outlives whichever of the two ends first. The worker
// only fills the record and, while the editor is still attached, queues one
// EVT_CATALOG_LOADED on the editor's handler; it never calls a window.
#pragma once

#include <wx/event.h>
#include <wx/string.h>
#include <wx/xml/xml.h>

#include <atomic>
#include <memory>
#include <mutex>

class CatalogLoadJob {
public:
    CatalogLoadJob(wxEvtHandler* target, int targetId, const wxString& path);
    virtual ~CatalogLoadJob();

    CatalogLoadJob(const CatalogLoadJob&) = delete;
    CatalogLoadJob& operator=(const CatalogLoadJob&) = delete;

    // Starts the load on a TaskThread; false when the thread cannot start.
    static bool Start(const std::shared_ptr<CatalogLoadJob>& job);

    // Called by the editor before it goes: no event is queued after this.
    void Detach();

    // Read on the GUI thread once the event arrived.
    bool IsFinished() const { return m_finished.load(); }
    bool IsLoaded() const { return m_loaded.load(); }
    const wxString& GetPath() const { return m_path; }
    // Hands the loaded document over (once); null when the load failed.
    std::unique_ptr<wxXmlDocument> TakeDocument();

    // The worker's part: loads the file, then tells the editor.
    void Run();

private:
    static void RunCallback(void* user);
    static void EndCallback(void* user);

    const wxString m_path;
    const int m_targetId;
    std::unique_ptr<wxXmlDocument> m_document;
    std::atomic<bool> m_loaded{false};
    std::atomic<bool> m_finished{false};
    std::mutex m_targetLock;
    wxEvtHandler* m_target;
};
