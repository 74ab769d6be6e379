// Events queued by worker threads reach handlers on the GUI thread.
#include "EventTypes.h"
#include "ImportJob.h"
#include "TaskThread.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/utils.h>

#include <atomic>
#include <set>
#include <vector>

namespace {

// A hidden frame with a static event table entry for one type and Bind for another.
class Receiver : public wxFrame {
public:
    Receiver() : wxFrame(nullptr, 2300, "receiver")
    {
        Bind(EVT_PLAYER_POSITION, &Receiver::OnPosition, this);
    }
    std::vector<int> values;
    std::vector<wxString> names;
    bool allOnGuiThread = true;
    int finished = 0;

private:
    void OnImport(wxCommandEvent& event)
    {
        allOnGuiThread = allOnGuiThread && wxThread::IsMain();
        values.push_back(event.GetInt());
        names.push_back(event.GetString());
    }
    void OnPosition(wxCommandEvent& event)
    {
        allOnGuiThread = allOnGuiThread && wxThread::IsMain();
        values.push_back(1000 + event.GetInt());
    }
    void OnFinished(wxCommandEvent&)
    {
        allOnGuiThread = allOnGuiThread && wxThread::IsMain();
        ++finished;
    }
    wxDECLARE_EVENT_TABLE();
};

wxBEGIN_EVENT_TABLE(Receiver, wxFrame)
    EVT_COMMAND(ImportJob::kDialogId, EVT_MEDIA_IMPORT_PROGRESS, Receiver::OnImport)
    EVT_COMMAND(wxID_ANY, EVT_CONVERT_FINISHED, Receiver::OnFinished)
wxEND_EVENT_TABLE()

struct Job {
    wxEvtHandler* target = nullptr;
    std::atomic<bool> done{false};
};

// Posts three import steps, a closing event, a position and the finished event.
void PostAll(void* user)
{
    auto* job = static_cast<Job*>(user);
    const char* files[] = {"a.mp4", "b.mkv", "c b.avi"};
    for (int i = 0; i < 3; ++i) {
        auto* step = new wxCommandEvent(EVT_MEDIA_IMPORT_PROGRESS, ImportJob::kDialogId);
        step->SetInt(i + 1);
        step->SetString(files[i]);
        job->target->QueueEvent(step);
    }
    auto* closing = new wxCommandEvent(EVT_MEDIA_IMPORT_PROGRESS, ImportJob::kDialogId);
    closing->SetInt(3);
    job->target->QueueEvent(closing);
    auto* position = new wxCommandEvent(EVT_PLAYER_POSITION, 2300);
    position->SetInt(42);
    job->target->QueueEvent(position);
    job->target->QueueEvent(new wxCommandEvent(EVT_CONVERT_FINISHED, 2300));
}

void MarkDone(void* user)
{
    static_cast<Job*>(user)->done = true;
}

TEST(EventTypesTest, TwentyDistinctTypesInIndexOrder)
{
    std::set<wxEventType> seen;
    for (int i = 0; i < kEventTypeCount; ++i) {
        EXPECT_NE(static_cast<wxEventType>(kEventTypes[i]), wxEVT_NULL);
        if (i > 0) {
            EXPECT_GT(static_cast<wxEventType>(kEventTypes[i]),
                      static_cast<wxEventType>(kEventTypes[i - 1]));
        }
        seen.insert(kEventTypes[i]);
    }
    EXPECT_EQ(seen.size(), 20u);
    EXPECT_EQ(static_cast<wxEventType>(EVT_MEDIA_IMPORT_PROGRESS),
              static_cast<wxEventType>(kEventTypes[15]));
    EXPECT_EQ(static_cast<wxEventType>(EVT_UPDATE_CHECK_RESULT),
              static_cast<wxEventType>(kEventTypes[19]));
}

TEST(EventTypesTest, WorkerEventsReachHandlersOnTheGuiThread)
{
    auto* receiver = new Receiver;
    Job job;
    job.target = receiver->GetEventHandler();
    ASSERT_EQ(StartTaskThread(new TaskThread(&job, PostAll, nullptr, MarkDone)), wxTHREAD_NO_ERROR);

    wxLongLong deadline = wxGetLocalTimeMillis() + 10000;
    while ((!job.done || receiver->finished == 0) && wxGetLocalTimeMillis() < deadline) {
        wxTheApp->ProcessPendingEvents();
        wxMilliSleep(2);
    }
    EXPECT_TRUE(job.done);
    EXPECT_EQ(receiver->finished, 1);
    EXPECT_EQ(receiver->values, (std::vector<int>{1, 2, 3, 3, 1042}));
    EXPECT_EQ(receiver->names,
              (std::vector<wxString>{"a.mp4", "b.mkv", "c b.avi", wxString()}));
    EXPECT_TRUE(receiver->allOnGuiThread);
    receiver->Destroy();
    wxTheApp->ProcessPendingEvents();
}

}  // namespace
