// A worker thread that runs one job callback with one user record. The thread
// owns itself: it deletes its object when the run callback returns, and the
// end callback, called from that deletion, is the last thing the thread does
// with anything outside its own object. A record's owner may free the record
// once the end callback (or the job's own last step) has signalled.
#pragma once

#include <wx/thread.h>

class TaskThread {
public:
    using Callback = void (*)(void* user);

    // Callbacks null: the thread does nothing when run.
    TaskThread();
    // Stores the four values; calls start(user) at once on this thread when set.
    TaskThread(void* user, Callback run, Callback start = nullptr, Callback end = nullptr);
    // On the worker when the run callback has returned (or on the deleting
    // thread for a thread never started): calls end(user) when set.
    ~TaskThread();

    TaskThread(const TaskThread&) = delete;
    TaskThread& operator=(const TaskThread&) = delete;

    void SetRunCallback(Callback callback) { run_ = callback; }
    void SetStartCallback(Callback callback) { start_ = callback; }
    void SetEndCallback(Callback callback) { end_ = callback; }

private:
    friend wxThreadError StartTaskThread(TaskThread* thread);
    // The worker's body: the run callback, then the thread's own deletion.
    static void Entry(TaskThread* thread);

    void* user_ = nullptr;
    Callback run_ = nullptr;
    Callback start_ = nullptr;
    Callback end_ = nullptr;
};

// Starts the thread, which deletes itself when its run callback returns. When
// it cannot start it is deleted here (its end callback runs on this thread) and
// the error returned, so a failed start never leaks the thread object.
wxThreadError StartTaskThread(TaskThread* thread);
