// Sender half of the pane signalling: a list of observers and a state code
// (one of NotifyCode) that the observers read when notified.
#pragma once

#include <vector>

class PvObserver;

class PvSubject {
public:
    PvSubject();
    virtual ~PvSubject();

    // Appends; an observer attached twice is told twice.
    virtual void Attach(PvObserver* observer);
    // Removes every occurrence.
    virtual void Detach(PvObserver* observer);
    // Calls Update(this, argument) on each observer in attach order, on the
    // calling thread. Observers attached or detached meanwhile take effect from
    // the next notification.
    virtual void Notify(void* argument);
    virtual int GetState() const;
    virtual void SetState(int state);

private:
    std::vector<PvObserver*> observers_;
    int state_ = 0;
};
