// The exported disc table: each slot turns the answer of a DvdFolder (or, for
// slots 0 to 3, of the caller's stream) into malloc'd blocks.
#include "ZR_Dvd.h"

#include "CBlocks.h"
#include "DvdFolder.h"
#include "FolderDiscFiles.h"
#include "StreamByteSource.h"
#include "VideoManagerIfo.h"
#include "ZR_Tool.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Zero(char* buffer, int length)
{
    if (buffer && length > 0)
        std::memset(buffer, 0, static_cast<size_t>(length));
}

FILE* ReadBytes(char* buffer, int length, FILE* stream)
{
    Zero(buffer, length);
    if (!stream)
        return stream;
    if (buffer && length > 0)
        (void)std::fread(buffer, 1, static_cast<size_t>(length), stream);
    std::clearerr(stream);
    fseeko(stream, 0, SEEK_SET);
    return stream;
}

void GetIfoVersion(char* buffer, int length, FILE* stream)
{
    std::string text;
    {
        const StreamByteSource source(stream);
        text = VideoManagerIfo::VersionText(source);
    }
    Zero(buffer, length);
    if (buffer && length > 0)
        std::memcpy(buffer, text.data(), std::min(text.size(), static_cast<size_t>(length)));
}

int GetTitleCount(FILE* stream)
{
    if (!stream)
        return 0;
    const StreamByteSource source(stream);
    return VideoManagerIfo(source).TitleCount();
}

int GetTitleChapterCount(FILE* stream, int title)
{
    if (!stream)
        return 0;
    const StreamByteSource source(stream);
    return VideoManagerIfo(source).ChapterCount(title);
}

int GetTitleSetCount(const char* root)
{
    return root ? DvdFolder(FolderDiscFiles(root)).TitleSetCount() : 0;
}

int GetVtsTitleCount(const char* root, int vts)
{
    return root ? DvdFolder(FolderDiscFiles(root)).VtsTitleCount(vts) : 0;
}

char* GetCellPlaybackTime(const char* root, int vts, int pgc, int cell)
{
    if (!root)
        return CBlocks::Text(DvdFolder::TimeText({}));
    return CBlocks::Text(DvdFolder(FolderDiscFiles(root)).CellPlaybackTime(vts, pgc, cell));
}

char** GetSubtitleStreams(const char* root, int vts, int* count)
{
    if (!root || !count)
        return CBlocks::List({}, count);
    return CBlocks::List(DvdFolder(FolderDiscFiles(root)).SubtitleStreams(vts), count);
}

char** GetAudioStreams(const char* root, int vts, int* count)
{
    if (!root || !count)
        return CBlocks::List({}, count);
    return CBlocks::List(DvdFolder(FolderDiscFiles(root)).AudioStreams(vts), count);
}

bool IsDvdFolder(const char* root)
{
    // No separator is put after root: callers pass a root ending in "/".
    return root && ZRIsFileExists((std::string(root) + "VIDEO_TS/VIDEO_TS.IFO").c_str()) != 0;
}

int GetPgcProgramCount(const char* root, int vts, int pgc)
{
    return root ? DvdFolder(FolderDiscFiles(root)).PgcProgramCount(vts, pgc) : 0;
}

void FreeInfo(TitleInfo* info)
{
    if (!info)
        return;
    std::free(info->vobList);
    std::free(info->vobSizes);
    std::free(info);
}

TitleInfo* MakeInfo(const TitleExtent& extent, const DiscFiles& files)
{
    auto* info = static_cast<TitleInfo*>(std::calloc(1, sizeof(TitleInfo)));
    if (!info)
        return nullptr;
    const VobFiles& vobs = extent.vobs;
    std::string list;
    for (size_t i = 0; i < vobs.Count(); ++i)
        list += (i ? "|" : "") + files.PathOf(vobs.Name(i));
    info->startByte = extent.startByte;
    info->endByte = extent.endByte;
    info->duration = extent.duration;
    info->vobCount = static_cast<int>(vobs.Count());
    info->vobList = CBlocks::Text(list);
    if (vobs.Count() > 0) {
        info->vobSizes = static_cast<int64_t*>(std::calloc(vobs.Count(), sizeof(int64_t)));
        if (info->vobSizes)
            std::memcpy(info->vobSizes, vobs.Sizes().data(), vobs.Count() * sizeof(int64_t));
    }
    if (!info->vobList || (vobs.Count() > 0 && !info->vobSizes)) {
        FreeInfo(info);
        return nullptr;
    }
    return info;
}

TitleInfo* GetTitleInfo(const char* root, int vts, int pgc, int cell)
{
    if (!root)
        return nullptr;
    const FolderDiscFiles files(root);
    const auto extent = DvdFolder(files).Extent(vts, pgc, cell);
    return extent ? MakeInfo(*extent, files) : nullptr;
}

TitleLocation* GetTitleLocation(const char* root, int vts, int pgc, int cell)
{
    if (!root)
        return nullptr;
    const FolderDiscFiles files(root);
    const auto start = DvdFolder(files).Location(vts, pgc, cell);
    if (!start)
        return nullptr;
    auto* location = static_cast<TitleLocation*>(std::calloc(1, sizeof(TitleLocation)));
    TitleInfo* info = MakeInfo(start->extent, files);
    if (!location || !info) {
        std::free(location);
        FreeInfo(info);
        return nullptr;
    }
    size_t skip = 0;
    for (size_t i = 0; i < start->fileIndex; ++i)
        skip += files.PathOf(start->extent.vobs.Name(i)).size() + 1;
    location->info = info;
    location->vobPath = info->vobList + skip;
    location->startOffset = start->startOffset;
    location->syncStartOffset = start->syncStartOffset;
    location->firstCellOffset = start->firstCellOffset;
    return location;
}

int64_t GetSyncStartOffset(const char* root, int vts)
{
    return root ? DvdFolder(FolderDiscFiles(root)).SyncStartOffset(vts) : 0;
}

}  // namespace

extern "C" {

DvdService* ZRCreateDvdService(void)
{
    auto* service = static_cast<DvdService*>(std::malloc(sizeof(DvdService)));
    if (!service)
        return nullptr;
    *service = DvdService{
        ReadBytes,
        GetIfoVersion,
        GetTitleCount,
        GetTitleChapterCount,
        GetTitleSetCount,
        GetVtsTitleCount,
        GetCellPlaybackTime,
        GetSubtitleStreams,
        GetAudioStreams,
        IsDvdFolder,
        GetPgcProgramCount,
        GetTitleInfo,
        GetTitleLocation,
        GetSyncStartOffset,
    };
    return service;
}

void ZRFreeDvdService(DvdService* service)
{
    std::free(service);
}

int64_t LocateVobPosition(TitleInfo** info, int* fileIndex, int64_t position)
{
    const TitleInfo* title = info ? *info : nullptr;
    const int count = title && title->vobSizes && title->vobCount > 0 ? title->vobCount : 0;
    if (fileIndex)
        *fileIndex = 0;
    if (count == 0)
        return 0;
    const auto place = VobFiles::LocateIn(title->vobSizes, static_cast<size_t>(count), position);
    if (fileIndex)
        *fileIndex = place ? static_cast<int>(place->index) : count;
    return place ? place->offset : 0;
}

}  // extern "C"
