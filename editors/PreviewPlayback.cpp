#include "PreviewPlayback.h"

#include "PlayJob.h"
#include "PvSlider.h"

#include <algorithm>

int PreviewPlayback::Duration() const
{
    return m_job ? std::max(m_job->durationSeconds, 0) : 0;
}

int PreviewPlayback::TimeOf(int position, int range) const
{
    if (range <= 0)
        return 0;
    const long long seconds = (long long)position * Duration() / range;
    return int(std::clamp<long long>(seconds, 0, Duration()));
}

void PreviewPlayback::FollowPosition(PvSlider& slider, int seconds, bool held) const
{
    const int duration = Duration();
    if (duration <= 0 || held || slider.HasCapture())
        return;
    const int range = slider.GetRange();
    const long long target = std::min<long long>((long long)range * seconds / duration, range);
    if (slider.GetThumbPos() < target)
        slider.SetThumbPos(int(target));
}

void PreviewPlayback::Start(wxWindow* eventWindow, wxWindow* canvas)
{
    if (!m_job)
        return;
    m_job->eventWindow = eventWindow;
    m_job->canvas = canvas;
    StartPlayJob(m_job);
}

void PreviewPlayback::Stop()
{
    if (m_job)
        StopPlayJob(m_job);
}
