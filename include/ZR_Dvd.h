/* ZR_Dvd: read-only questions about a DVD-Video folder (the folder holding
 * VIDEO_TS) and the list of optical drives, each as one table of plain
 * function pointers.
 *
 * Ownership: every text, list and record a slot returns comes from malloc or
 * calloc and belongs to the caller, who frees each element, then the array or
 * record, with free (or ZRCallStdFree). A list's element count goes out
 * through its int*; a null list always comes with a count of 0 unless the
 * array itself could not be allocated, so test the array before the count. */
#ifndef ZR_DVD_H
#define ZR_DVD_H

#include <stdbool.h>
#include <stdint.h>
#include <stdio.h>

#if defined(_WIN32)
#define ZR_DVD_API __declspec(dllexport)
#else
#define ZR_DVD_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Where one cell of a title set lies in the joined VOB data (VTS_nn_1.VOB,
 * VTS_nn_2.VOB, ...) of its title set. */
typedef struct TitleInfo {
    int64_t startByte; /* first byte of the cell's first VOBU */
    int64_t endByte;   /* first byte of the cell's last sector */
    int64_t duration;  /* whole seconds, rounded up when there are frames */
    char* vobList;     /* the VOB paths in order, joined by "|" */
    int vobCount;      /* number of paths in vobList */
    int64_t* vobSizes; /* vobCount sizes in bytes */
} TitleInfo;

/* A cell's start as a file and an offset in it. */
typedef struct TitleLocation {
    TitleInfo* info;         /* owned by the location */
    char* vobPath;           /* into info->vobList: the file holding startByte */
    int64_t startOffset;     /* offset of startByte in that file */
    int64_t syncStartOffset; /* as GetSyncStartOffset for the same title set */
    int64_t firstCellOffset; /* start offset of title set 1, chain 1, cell 1
                                when VTS_01_1.VOB is among the files from
                                vobPath on; else 0 */
} TitleLocation;

/* The disc table, 14 slots in this order. `root` is the folder that holds
 * VIDEO_TS, vts a title-set number, pgc a program chain and cell a cell, all
 * 1-based. Slots 0 to 3 work on a binary stdio stream on an IFO file that the
 * caller opened and owns; they leave it at byte 0. */
typedef struct DvdService {
    FILE* (*ReadBytes)(char* buffer, int length, FILE* stream);
    void (*GetIfoVersion)(char* buffer, int length, FILE* stream);
    int (*GetTitleCount)(FILE* videoManager);
    int (*GetTitleChapterCount)(FILE* videoManager, int title);
    int (*GetTitleSetCount)(const char* root);
    int (*GetVtsTitleCount)(const char* root, int vts);
    char* (*GetCellPlaybackTime)(const char* root, int vts, int pgc, int cell);
    char** (*GetSubtitleStreams)(const char* root, int vts, int* count);
    char** (*GetAudioStreams)(const char* root, int vts, int* count);
    bool (*IsDvdFolder)(const char* root);
    int (*GetPgcProgramCount)(const char* root, int vts, int pgc);
    TitleInfo* (*GetTitleInfo)(const char* root, int vts, int pgc, int cell);
    TitleLocation* (*GetTitleLocation)(const char* root, int vts, int pgc, int cell);
    int64_t (*GetSyncStartOffset)(const char* root, int vts);
} DvdService;

/* The drive table, 3 slots in this order. A drive's root is its mount point
 * with a trailing "/", or its device node when it is not mounted. */
typedef struct DriverService {
    char* (*GetVolumeLabel)(const char* root);
    char** (*ListOpticalDrivesWithLabels)(int* count);
    char** (*ListOpticalDrives)(int* count);
} DriverService;

/* Null when the table cannot be allocated. */
ZR_DVD_API DvdService* ZRCreateDvdService(void);
ZR_DVD_API void ZRFreeDvdService(DvdService* service);
ZR_DVD_API DriverService* ZRCreateDriverService(void);
ZR_DVD_API void ZRFreeDriverService(DriverService* service);

/* Maps a position in the joined VOB data of (*info) to the index of the file
 * holding it (stored through fileIndex) and returns the offset in that file.
 * No files: index 0, offset 0. A position in no file: index vobCount,
 * offset 0. */
ZR_DVD_API int64_t LocateVobPosition(TitleInfo** info, int* fileIndex, int64_t position);

#ifdef __cplusplus
}
#endif

#endif
