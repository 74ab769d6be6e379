// Prints the rate of the media import job over 1,000 small clips (copies of
// one 1 s MPEG-4 clip): each probed for playability and media information
// and turned into a row text and a record, as the file list adds them.
#include "AppSettings.h"
#include "ImportJob.h"
#include "JobServices.h"
#include "TestSupport.h"

#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

int main()
{
    wxInitializer toolkit;
    mvtest::TempDir dir;
    const std::string clip = dir / "one.mp4";
    if (!mvtest::MakeClip(clip, 1, {"-c:v", "mpeg4", "-c:a", "aac", "-f", "mp4"})) {
        std::printf("could not make the clip\n");
        return 1;
    }
    constexpr int kClips = 1000;
    wxArrayString paths;
    for (int i = 0; i < kClips; ++i) {
        const std::string copy = dir / ("clip" + std::to_string(1000 + i) + ".mp4");
        std::filesystem::copy_file(clip, copy);
        paths.Add(wxString::FromUTF8(copy));
    }
    mvtest::InstallRealServices();
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        wxArrayString rows(paths), failed;
        std::vector<MediaInfo*> records;
        AppSettings settings;
        ImportJob job;
        job.paths = &rows;
        job.failed = &failed;
        job.records = &records;
        job.settings = &settings;
        const auto begin = std::chrono::steady_clock::now();
        ImportMediaFiles(&job);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
        if (records.size() != size_t(kClips))
            std::printf("only %zu of %d clips accepted\n", records.size(), kClips);
        for (MediaInfo* record : records)
            delete record;
    }
    mvtest::UninstallServices();
    std::printf("import job, %d clips: %.3f s (%.0f files/s, best of 3)\n", kClips, best, kClips / best);
    return 0;
}
