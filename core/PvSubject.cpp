#include "PvSubject.h"

#include "PvObserver.h"

#include <algorithm>

PvSubject::PvSubject() = default;

PvSubject::~PvSubject() = default;

void PvSubject::Attach(PvObserver* observer)
{
    observers_.push_back(observer);
}

void PvSubject::Detach(PvObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void PvSubject::Notify(void* argument)
{
    // A copy, so an observer may attach or detach while being told.
    const std::vector<PvObserver*> observers = observers_;
    for (PvObserver* observer : observers)
        if (observer)
            observer->Update(this, argument);
}

int PvSubject::GetState() const
{
    return state_;
}

void PvSubject::SetState(int state)
{
    state_ = state;
}
