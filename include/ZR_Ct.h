/* ZR_Ct: the conversion engine, one table of plain function pointers per
 * service and per instance. An instance runs one conversion command line at a
 * time through the `ffmpeg` program.
 *
 * Command line for Run: -ii "<source>" <parameters> "<destination>"
 * Inside double quotes a backslash escapes the next character only when that
 * character is a double quote or a backslash (\" and \\); any other backslash
 * stands for itself. The parameters are ffmpeg options separated by blanks.
 * The destination is written under a temporary name in its folder and renamed
 * only when the conversion succeeds; an existing destination is never
 * replaced and a source is never its own destination. Only a regular file
 * is taken as a source.
 *
 * Temporary names are "<folder>/.mv-<pid>-<n>-<check>-<destination name>",
 * <check> eight hex digits computed from the rest of the name; the
 * destination name is shortened there (its extension kept) so that the
 * whole fits the folder's name limit (a destination name longer than the
 * limit fails before ffmpeg starts). Run creates its temporary and holds an
 * flock lock on it until it is renamed or removed. A run of files starts
 * with SetProgressCallback; its first Run into each folder removes there
 * only temporaries abandoned beyond doubt: a name of exactly that form whose
 * pid no process has here, a regular file of this user with one link, its
 * lock free, unmodified for ten minutes. Anything else is left alone.
 *
 * Threads: Run blocks on the calling thread and calls the progress callback
 * there; Stop and TogglePause may arrive from any other thread meanwhile.
 * Tables come from malloc and are released by the matching free function. */
#ifndef ZR_CT_H
#define ZR_CT_H

#if defined(_WIN32)
#define ZR_CT_API __declspec(dllexport)
#else
#define ZR_CT_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Results of ConverterInstance::Run. */
enum {
    ZR_CT_DONE = 0,    /* the destination exists and is complete */
    ZR_CT_STOPPED = 1, /* Stop ended the conversion; nothing was left behind */
    ZR_CT_FAILED = 2   /* bad command line, existing destination, engine error */
};

/* Progress: context as given to SetTaskContext, seconds of the source
 * converted so far, finished flag (nonzero once, after a successful end). */
typedef int (*ZRCtProgressCallback)(void* context, double seconds, int finished);

typedef struct ConverterInstance {
    void* handle;
    int (*Run)(void* handle, const char* commandLine);
    void (*Stop)(void* handle);
    void (*TogglePause)(void* handle);
    void (*SetProgressCallback)(void* handle, ZRCtProgressCallback callback);
    /* Also clears a Stop that arrived while no Run was active. */
    void (*SetTaskContext)(void* handle, void* context);
    /* Why the last Run on this thread failed: ffmpeg's last error lines or
     * the system's error, UTF-8 or the file system's bytes, lines joined by
     * "\n"; empty after a success or a stop. Valid until the next Run. */
    const char* (*GetLastError)(void* handle);
    /* What ffmpeg reported about damage in the source during the last Run on
     * this thread: its lines saying that the source could not be read to
     * its end or that its data could not be decoded, or any error of the
     * demuxer that read it (the first three, each ended by "\n", bytes as
     * ffmpeg wrote them, without the level tag); empty when it reported
     * none. A DONE run with a report converted what ffmpeg could read. Valid
     * until the next Run. */
    const char* (*GetSourceDamage)(void* handle);
} ConverterInstance;

typedef struct ConverterService {
    ConverterInstance* (*CreateInstance)(void);
    void (*FreeInstance)(ConverterInstance* instance);
} ConverterService;

ZR_CT_API ConverterService* ZRCreateCtService(void);
ZR_CT_API void ZRFreeCtService(ConverterService* service);

#ifdef __cplusplus
}
#endif

#endif
