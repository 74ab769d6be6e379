// Prints the figures of adding a folder of 1,000 small clips to the file
// list on a shown window: the time from the chosen folder to the loading
// dialog's end and to all rows shown, the longest stall of the event loop
// meanwhile, how often the dialog's progress moved, and the heap per row.
// Runs under a display: xvfb-run -a build/bench/mv_filelist_bench
#include "FileListEnv.h"

#include "PvLoadingDialog.h"
#include "PvProgressControl.h"
#include "SelectWindow.h"
#include "WmGrid.h"

#include <gtest/gtest.h>
#include <wx/modalhook.h>
#include <wx/timer.h>

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Ticks every 10 ms while the import runs: the longest gap between two ticks
// is the longest time the window could not repaint.
class StallWatch : public wxTimer, public wxModalDialogHook {
public:
    StallWatch()
    {
        Register();
        Start(10);
    }
    ~StallWatch() override { Unregister(); }

    void Notify() override
    {
        const auto now = Clock::now();
        if (m_ticks++ > 0)
            m_longest = std::max(m_longest, now - m_last);
        m_last = now;
        if (m_loading) {
            const int value = m_loading->GetProgress()->GetValue();
            m_moves += value != m_value;
            m_value = value;
        }
    }
    double Longest() const { return Seconds(m_longest); }
    int ProgressMoves() const { return m_moves; }
    Clock::time_point LoadingEnd() const { return m_loadingEnd; }

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* loading = dynamic_cast<PvLoadingDialog*>(dialog))
            m_loading = loading;
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override
    {
        if (dialog == m_loading) {
            m_loading = nullptr;
            m_loadingEnd = Clock::now();
        }
    }

private:
    Clock::time_point m_last;
    Clock::duration m_longest{};
    int m_ticks = 0;
    PvLoadingDialog* m_loading = nullptr;
    int m_value = -1;
    int m_moves = 0;
    Clock::time_point m_loadingEnd;
};

class FileListBench : public fltest::PaneTest {};

TEST_F(FileListBench, AddAFolderOfAThousandClips)
{
    constexpr int kClips = 1000;
    const std::string clip = fltest::Clip("one.mp4", 1);
    ASSERT_FALSE(clip.empty());
    mvtest::TempDir dir;
    for (int i = 0; i < kClips; ++i)
        std::filesystem::copy_file(clip, dir / ("clip" + std::to_string(1000 + i) + ".mp4"));
    fltest::Pump(200);

    const size_t heapBefore = mallinfo2().uordblks + mallinfo2().hblkhd;
    StallWatch watch;
    const auto begin = Clock::now();
    wxArrayString paths;
    SelectWindow::ListFolderFiles(wxString::FromUTF8(dir.path()), paths);
    pane()->AddFiles(paths);
    pane()->GetGrid()->Update();
    const auto shown = Clock::now();
    watch.Notify();  // the stall up to now counts too
    const size_t heapAfter = mallinfo2().uordblks + mallinfo2().hblkhd;

    ASSERT_EQ(pane()->GetRowCount(), kClips);
    std::printf("add a folder of %d clips: loading dialog ends after %.3f s, all rows shown "
                "after %.3f s (%.0f files/s); longest event-loop stall %.3f s; the dialog's "
                "progress moved %d times; heap %.1f KB per row\n",
                kClips, Seconds(watch.LoadingEnd() - begin), Seconds(shown - begin),
                kClips / Seconds(shown - begin), watch.Longest(), watch.ProgressMoves(),
                double(heapAfter - heapBefore) / kClips / 1024.0);

    // Every other row selected, then removed.
    for (int row = 0; row < kClips; row += 2)
        pane()->GetGrid()->SelectRow(row, true);
    const auto removeBegin = Clock::now();
    pane()->RemoveSelected();
    pane()->GetGrid()->Update();
    std::printf("remove %d selected rows of %d: %.3f s\n", kClips / 2, kClips,
                Seconds(Clock::now() - removeBegin));
    EXPECT_EQ(pane()->GetRowCount(), kClips / 2);
}

}  // namespace
