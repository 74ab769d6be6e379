// A detached worker thread that runs one job callback with one user record.
#pragma once

#include <wx/thread.h>

class TaskThread : public wxThread {
public:
    using Callback = void (*)(void* user);

    // Callbacks null: the thread does nothing when run.
    TaskThread();
    // Stores the four values; calls start(user) at once on this thread when set.
    TaskThread(void* user, Callback run, Callback start = nullptr, Callback end = nullptr);
    // Runs on the worker thread when Entry returns: calls end(user) when set.
    ~TaskThread() override;

    void SetRunCallback(Callback callback) { run_ = callback; }
    void SetStartCallback(Callback callback) { start_ = callback; }
    void SetEndCallback(Callback callback) { end_ = callback; }

protected:
    ExitCode Entry() override;

private:
    void* user_ = nullptr;
    Callback run_ = nullptr;
    Callback start_ = nullptr;
    Callback end_ = nullptr;
};

// Creates the thread (default stack size) and runs it. The thread deletes
// itself when its run callback returns. When it cannot be created or run it is
// deleted here (its end callback runs on this thread) and the error returned,
// so a failed start never leaks the thread object.
wxThreadError StartTaskThread(TaskThread* thread);
