// The preview dialogs' use of the playback job: started on the dialog's
// first idle event, stopped (and its thread awaited) before the dialog
// goes, whichever way its modal loop ends.
#pragma once

class PlayJob;
class PvSlider;
class wxWindow;

class PreviewPlayback {
public:
    void SetJob(PlayJob* job) { m_job = job; }
    PlayJob* GetJob() const { return m_job; }
    int Duration() const;
    // position out of range on a slider as whole seconds of the file,
    // truncated, within 0 and the duration.
    int TimeOf(int position, int range) const;
    // A position report: the slider's thumb moves on to where the seconds
    // lie, unless the pointer holds it or `held` (another control of the
    // dialog being dragged).
    void FollowPosition(PvSlider& slider, int seconds, bool held) const;
    // Plays the job's file with positions to eventWindow, frames to canvas.
    void Start(wxWindow* eventWindow, wxWindow* canvas);
    void Stop();

private:
    PlayJob* m_job = nullptr;  // the opener's
};
