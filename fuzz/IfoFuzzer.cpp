// libFuzzer target: every reader of the disc service over one in-memory
// VIDEO_TS folder (see FuzzDisc.h).
#include "DvdFolder.h"
#include "FuzzDisc.h"
#include "MemoryByteSource.h"
#include "VideoManagerIfo.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const MemoryDiscFiles files = FuzzDisc::Unpack(data, size);
    const DvdFolder dvd(files);
    if (const auto vmg = files.Open("VIDEO_TS.IFO")) {
        const VideoManagerIfo manager(*vmg);
        for (int title : {-1, 0, 1, 2, 99, INT_MAX})
            (void)manager.ChapterCount(title);
        (void)manager.TitleCount();
        (void)VideoManagerIfo::VersionText(*vmg);
    }
    (void)dvd.TitleSetCount();
    (void)dvd.VtsTitleCount(1);
    (void)dvd.AudioStreams(1);
    (void)dvd.SubtitleStreams(1);
    const int last = size > 0 ? data[size - 1] : 1;
    for (int pgc : {0, 1, 2, 3, last, INT_MAX}) {
        (void)dvd.PgcProgramCount(1, pgc);
        for (int cell : {-1, 0, 1, 2, 255, INT_MAX}) {
            (void)dvd.CellPlaybackTime(1, pgc, cell);
            if (const auto extent = dvd.Extent(1, pgc, cell)) {
                if (extent->startByte < 0 || extent->endByte < 0 || extent->duration < 0)
                    std::abort();
            }
        }
    }
    if (const auto location = dvd.Location(1, 1, 1)) {
        if (location->syncStartOffset < 0 || location->startOffset < 0)
            std::abort();
    }
    (void)dvd.Location(1, 2, 2);
    if (dvd.SyncStartOffset(1) < 0)
        std::abort();
    return 0;
}
