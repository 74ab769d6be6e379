#include "CatalogLoadJob.h"

#include "EventTypes.h"
#include "FormatCatalog.h"
#include "TaskThread.h"

CatalogLoadJob::CatalogLoadJob(wxEvtHandler* target, int targetId, const wxString& path)
    : m_path(path), m_targetId(targetId), m_target(target)
{
}

CatalogLoadJob::~CatalogLoadJob() = default;

bool CatalogLoadJob::Start(const std::shared_ptr<CatalogLoadJob>& job)
{
    // The thread holds a reference of its own until its end callback runs.
    auto* reference = new std::shared_ptr<CatalogLoadJob>(job);
    auto* thread = new TaskThread(reference, &CatalogLoadJob::RunCallback, nullptr,
                                  &CatalogLoadJob::EndCallback);
    return StartTaskThread(thread) == wxTHREAD_NO_ERROR;
}

void CatalogLoadJob::RunCallback(void* user)
{
    (*static_cast<std::shared_ptr<CatalogLoadJob>*>(user))->Run();
}

void CatalogLoadJob::EndCallback(void* user)
{
    delete static_cast<std::shared_ptr<CatalogLoadJob>*>(user);
}

void CatalogLoadJob::Detach()
{
    std::lock_guard<std::mutex> lock(m_targetLock);
    m_target = nullptr;
}

std::unique_ptr<wxXmlDocument> CatalogLoadJob::TakeDocument()
{
    if (!m_finished.load())
        return nullptr;
    return std::move(m_document);
}

void CatalogLoadJob::Run()
{
    auto document = std::make_unique<wxXmlDocument>();
    const bool loaded = LoadCatalogFile(*document, m_path);
    if (loaded)
        m_document = std::move(document);
    m_loaded = loaded;
    m_finished = true;
    if (!loaded)
        return;
    std::lock_guard<std::mutex> lock(m_targetLock);
    if (m_target)
        m_target->QueueEvent(new wxCommandEvent(EVT_CATALOG_LOADED, m_targetId));
}
