#include "TaskThread.h"

#include <system_error>
#include <thread>

// The operating system's thread is detached and no toolkit thread: after the
// end callback the worker touches only its own stack and the C++ runtime's
// thread state, so an owner may free the record, and the program may end,
// as soon as the end has been signalled.

TaskThread::TaskThread() = default;

TaskThread::TaskThread(void* user, Callback run, Callback start, Callback end)
    : user_(user), run_(run), start_(start), end_(end)
{
    if (start_)
        start_(user_);
}

TaskThread::~TaskThread()
{
    if (end_)
        end_(user_);
}

void TaskThread::Entry(TaskThread* thread)
{
    if (thread->run_)
        thread->run_(thread->user_);
    delete thread;
}

wxThreadError StartTaskThread(TaskThread* thread)
{
    if (!thread)
        return wxTHREAD_MISC_ERROR;
    try {
        std::thread(&TaskThread::Entry, thread).detach();
    } catch (const std::system_error&) {
        delete thread;
        return wxTHREAD_NO_RESOURCE;
    }
    return wxTHREAD_NO_ERROR;
}
