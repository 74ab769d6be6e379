// Prints the time of one run's unique output names, as the run dialog gives
// them out, for runs of 100, 1,000 and 10,000 rows: every row into one
// folder, half of them colliding (two rows per name), every source in use.
#include "UniqueNameRun.h"

#include "TestSupport.h"

#include <wx/arrstr.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double RunSeconds(const std::string& root, int rows)
{
    const std::string out = root + "/out";
    wxArrayString sources;
    for (int i = 0; i < rows; ++i)
        sources.Add(root + "/src/clip_" + std::to_string(i / 2) + ".mkv");
    const auto begin = Clock::now();
    UniqueNameRun names;
    for (const wxString& source : sources)
        names.Reserve(source);
    int given = 0;
    for (int i = 0; i < rows; ++i)
        given += !names.Take(out, "clip_" + std::to_string(i / 2) + ".mp4").empty();
    const double spent = std::chrono::duration<double>(Clock::now() - begin).count();
    if (given != rows)
        std::printf("  only %d of %d names given\n", given, rows);
    return spent;
}

}  // namespace

int main()
{
    mvtest::TempDir dir;
    std::filesystem::create_directories(dir / "out");
    std::filesystem::create_directories(dir / "src");
    // Names taken on the disk too: the first 50 names and their first k.
    for (int i = 0; i < 50; ++i) {
        mvtest::WriteFile(dir / ("out/clip_" + std::to_string(i) + ".mp4"), "");
        mvtest::WriteFile(dir / ("out/clip_" + std::to_string(i) + "_1.mp4"), "");
    }
    std::vector<double> times;
    for (int rows : {100, 1000, 10000}) {
        double best = 1e9;
        for (int round = 0; round < 3; ++round)
            best = std::min(best, RunSeconds(dir.path(), rows));
        times.push_back(best);
        std::printf("unique names, %5d rows: %.4f s per run (best of 3)\n", rows, best);
    }
    std::printf("growth from 1,000 to 10,000 rows: %.1fx\n", times[2] / times[1]);
    return 0;
}
