// The exported disc table.
#include "ZR_Dvd.h"

#include "CBlocks.h"

#include <cstdlib>
#include <cstring>

namespace {

FILE* ReadBytes(char* buffer, int length, FILE* stream)
{
    if (buffer && length > 0)
        std::memset(buffer, 0, static_cast<size_t>(length));
    return stream;
}

void GetIfoVersion(char* buffer, int length, FILE*)
{
    if (buffer && length > 0)
        std::memset(buffer, 0, static_cast<size_t>(length));
}

int GetTitleCount(FILE*) { return 0; }
int GetTitleChapterCount(FILE*, int) { return 0; }
int GetTitleSetCount(const char*) { return 0; }
int GetVtsTitleCount(const char*, int) { return 0; }

char* GetCellPlaybackTime(const char*, int, int, int)
{
    return CBlocks::Text("00:00:00.00");
}

char** GetSubtitleStreams(const char*, int, int* count)
{
    return CBlocks::List({}, count);
}

char** GetAudioStreams(const char*, int, int* count)
{
    return CBlocks::List({}, count);
}

bool IsDvdFolder(const char*) { return false; }
int GetPgcProgramCount(const char*, int, int) { return 0; }
TitleInfo* GetTitleInfo(const char*, int, int, int) { return nullptr; }
TitleLocation* GetTitleLocation(const char*, int, int, int) { return nullptr; }
int64_t GetSyncStartOffset(const char*, int) { return 0; }

}  // namespace

extern "C" {

DvdService* ZRCreateDvdService(void)
{
    DvdService* service = static_cast<DvdService*>(std::malloc(sizeof(DvdService)));
    if (!service)
        return nullptr;
    service->ReadBytes = ReadBytes;
    service->GetIfoVersion = GetIfoVersion;
    service->GetTitleCount = GetTitleCount;
    service->GetTitleChapterCount = GetTitleChapterCount;
    service->GetTitleSetCount = GetTitleSetCount;
    service->GetVtsTitleCount = GetVtsTitleCount;
    service->GetCellPlaybackTime = GetCellPlaybackTime;
    service->GetSubtitleStreams = GetSubtitleStreams;
    service->GetAudioStreams = GetAudioStreams;
    service->IsDvdFolder = IsDvdFolder;
    service->GetPgcProgramCount = GetPgcProgramCount;
    service->GetTitleInfo = GetTitleInfo;
    service->GetTitleLocation = GetTitleLocation;
    service->GetSyncStartOffset = GetSyncStartOffset;
    return service;
}

void ZRFreeDvdService(DvdService* service)
{
    std::free(service);
}

int64_t LocateVobPosition(TitleInfo** info, int* fileIndex, int64_t)
{
    if (fileIndex)
        *fileIndex = 0;
    return 0;
}

}  // extern "C"
