#include "TaskThread.h"

TaskThread::TaskThread() : wxThread(wxTHREAD_DETACHED) {}

TaskThread::TaskThread(void* user, Callback run, Callback start, Callback end)
    : wxThread(wxTHREAD_DETACHED), user_(user), run_(run), start_(start), end_(end)
{
    if (start_)
        start_(user_);
}

TaskThread::~TaskThread()
{
    if (end_)
        end_(user_);
}

wxThread::ExitCode TaskThread::Entry()
{
    if (run_)
        run_(user_);
    return nullptr;
}

wxThreadError StartTaskThread(TaskThread* thread)
{
    if (!thread)
        return wxTHREAD_MISC_ERROR;
    wxThreadError error = thread->Create(0);
    if (error == wxTHREAD_NO_ERROR)
        error = thread->Run();
    if (error != wxTHREAD_NO_ERROR)
        delete thread;
    return error;
}
