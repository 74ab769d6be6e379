// Receiver half of the pane signalling: told of every notification of the
// subjects it is attached to.
#pragma once

class PvSubject;

class PvObserver {
public:
    virtual ~PvObserver();
    // Called by PvSubject::Notify; switch on subject->GetState(). Does nothing
    // unless overridden.
    virtual void Update(PvSubject* subject, void* argument);
};
