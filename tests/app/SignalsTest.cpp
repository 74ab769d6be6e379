// Pane signalling and the worker thread, without a display.
#include "NotifyCode.h"
#include "PvObserver.h"
#include "PvSubject.h"
#include "TaskThread.h"

#include <gtest/gtest.h>
#include <wx/init.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// Records "<name>:<state>" for each update it receives.
class Recorder : public PvObserver {
public:
    Recorder(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void Update(PvSubject* subject, void* argument) override
    {
        log_.push_back(name_ + ":" + std::to_string(subject->GetState()));
        lastArgument = argument;
    }
    void* lastArgument = nullptr;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(PvSubjectTest, NotifiesInAttachOrderWithStateAndArgument)
{
    std::vector<std::string> log;
    Recorder select("select", log), output("output", log), profile("profile", log);
    PvSubject menu;
    menu.Attach(&select);
    menu.Attach(&output);
    menu.Attach(&profile);

    int applyAll = 1;
    menu.SetState(NOTIFY_APPLY_TO_ALL);
    menu.Notify(&applyAll);
    EXPECT_EQ(log, (std::vector<std::string>{"select:5", "output:5", "profile:5"}));
    EXPECT_EQ(profile.lastArgument, &applyAll);
    EXPECT_EQ(menu.GetState(), NOTIFY_APPLY_TO_ALL);
}

TEST(PvSubjectTest, DuplicatesAreToldTwiceAndOneDetachRemovesAll)
{
    std::vector<std::string> log;
    Recorder a("a", log), b("b", log);
    PvSubject subject;
    subject.Notify(nullptr);  // nobody attached: nothing happens
    EXPECT_TRUE(log.empty());

    subject.Attach(&a);
    subject.Attach(&b);
    subject.Attach(&a);
    subject.SetState(NOTIFY_CLEAR_ALL);
    subject.Notify(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"a:13", "b:13", "a:13"}));

    log.clear();
    subject.Detach(&a);
    subject.Notify(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"b:13"}));
}

// An observer that detaches itself (and attaches another) while being told.
class SelfDetacher : public PvObserver {
public:
    SelfDetacher(PvSubject& subject, PvObserver& next, int& calls)
        : subject_(subject), next_(next), calls_(calls) {}
    void Update(PvSubject*, void*) override
    {
        ++calls_;
        subject_.Detach(this);
        subject_.Attach(&next_);
    }

private:
    PvSubject& subject_;
    PvObserver& next_;
    int& calls_;
};

TEST(PvSubjectTest, ChangesDuringNotifyApplyToTheNextOne)
{
    std::vector<std::string> log;
    Recorder later("later", log), tail("tail", log);
    PvSubject subject;
    int calls = 0;
    SelfDetacher detacher(subject, later, calls);
    subject.Attach(&detacher);
    subject.Attach(&tail);
    subject.SetState(NOTIFY_ADD_FILES);
    subject.Notify(nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"tail:8"}));
    log.clear();
    subject.Notify(nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"tail:8", "later:8"}));
}

// What the thread callbacks saw, shared between the test and the worker.
struct ThreadRecord {
    std::mutex lock;
    std::vector<std::string> calls;
    std::thread::id startThread, runThread, endThread;
    std::atomic<bool> ended{false};

    void Add(const char* what, std::thread::id& where)
    {
        std::lock_guard<std::mutex> guard(lock);
        calls.push_back(what);
        where = std::this_thread::get_id();
    }
    bool WaitEnded()
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!ended && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return ended;
    }
};

void OnStart(void* user)
{
    auto* r = static_cast<ThreadRecord*>(user);
    r->Add("start", r->startThread);
}
void OnRun(void* user)
{
    auto* r = static_cast<ThreadRecord*>(user);
    r->Add("run", r->runThread);
}
void OnEnd(void* user)
{
    auto* r = static_cast<ThreadRecord*>(user);
    r->Add("end", r->endThread);
    r->ended = true;
}

class TaskThreadTest : public testing::Test {
protected:
    wxInitializer toolkit;
};

TEST_F(TaskThreadTest, StartOnCreatorThenRunAndEndOnTheWorker)
{
    ThreadRecord record;
    auto* thread = new TaskThread(&record, OnRun, OnStart, OnEnd);
    {
        std::lock_guard<std::mutex> guard(record.lock);
        ASSERT_EQ(record.calls, std::vector<std::string>{"start"});
        EXPECT_EQ(record.startThread, std::this_thread::get_id());
    }
    EXPECT_EQ(StartTaskThread(thread), wxTHREAD_NO_ERROR);
    ASSERT_TRUE(record.WaitEnded());
    std::lock_guard<std::mutex> guard(record.lock);
    EXPECT_EQ(record.calls, (std::vector<std::string>{"start", "run", "end"}));
    EXPECT_NE(record.runThread, std::this_thread::get_id());
    EXPECT_EQ(record.endThread, record.runThread);
}

TEST_F(TaskThreadTest, NullRunEndsAtOnce)
{
    ThreadRecord record;
    auto* thread = new TaskThread(&record, nullptr, nullptr, OnEnd);
    EXPECT_EQ(StartTaskThread(thread), wxTHREAD_NO_ERROR);
    ASSERT_TRUE(record.WaitEnded());
    std::lock_guard<std::mutex> guard(record.lock);
    EXPECT_EQ(record.calls, std::vector<std::string>{"end"});
}

}  // namespace
