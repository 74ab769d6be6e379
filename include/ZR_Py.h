/* ZR_Py: the media player and prober, one table of plain function pointers per
 * service and per instance, working in-process over libavformat/libavcodec
 * with SDL2 for the sound.
 *
 * Argument text for Play: " -stats 1  -file \"<path>\" " (quoting as in
 * ZR_Ct.h: \" and \\ are the only escapes inside double quotes).
 *
 * Threads: Play blocks on the calling thread and calls both callbacks there;
 * Stop, TogglePause, Seek and SetVolume may arrive from any other thread
 * meanwhile. Stop returns once Play has left its loop (no callback follows),
 * within 100 ms. Tables come from malloc and are released by the matching free
 * function; GetMediaInfo's dictionary is released with plist_free. */
#ifndef ZR_PY_H
#define ZR_PY_H

#include <stdint.h>

#if defined(_WIN32)
#define ZR_PY_API __declspec(dllexport)
#else
#define ZR_PY_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Results of PlayerInstance::Play. */
enum {
    ZR_PY_ENDED = 0,   /* the file played to its end */
    ZR_PY_STOPPED = 1, /* Stop ended the playback */
    ZR_PY_FAILED = 2   /* the file could not be opened or decoded */
};

/* Position: handle, event kind (1 = position), position in whole seconds,
 * duration in whole seconds, 0, context. */
typedef int (*ZRPyPositionCallback)(void* handle, intptr_t kind, intptr_t seconds,
                                    intptr_t duration, intptr_t reserved, void* context);

/* Frame: width x height packed RGB24 pixels, rows back to back, owned by the
 * player and valid until the next frame; the second argument is the row size
 * in bytes. */
typedef int (*ZRPyFrameCallback)(unsigned char* pixels, intptr_t rowBytes, int width,
                                 int height, void* context);

typedef struct PlayerInstance {
    void* handle;
    void (*Reset)(void* handle);
    int (*Play)(void* handle, const char* arguments, int reserved);
    void (*Stop)(void* handle);
    void (*TogglePause)(void* handle);
    void (*SetPositionCallback)(void* handle, ZRPyPositionCallback callback, void* context);
    void (*SetFrameCallback)(void* handle, ZRPyFrameCallback callback, void* context);
    void (*Seek)(void* handle, int seconds, int reserved);
    void (*SetVolume)(void* handle, int value, int maximum);
    int (*CanOpen)(const char* path);
    /* A plist_t dictionary: "media-length", "frame-width", "frame-height",
     * "video-bit-rate", "frame-rate", "sample-rate", "channel",
     * "audio-bit-rate" (unsigned integers), "channel-layout" (string);
     * "video-length-ms" and "audio-length-ms" (unsigned integers): where the
     * picture and the sound stream end, in milliseconds from the file's
     * start, 0 when unknown or absent; "video-start-ms" and "audio-start-ms"
     * (unsigned integers): where they begin, the same way; "length-estimated" (boolean): true
     * when libavformat estimated the lengths from the bit rate (no length in
     * the container), so that they may be far off. Null when the file cannot
     * be opened. */
    void* (*GetMediaInfo)(const char* path);
} PlayerInstance;

typedef struct PlayerService {
    PlayerInstance* (*CreateInstance)(void);
    void (*FreeInstance)(PlayerInstance* instance);
} PlayerService;

ZR_PY_API PlayerService* ZRCreatePyService(void);
ZR_PY_API void ZRFreePyService(PlayerService* service);

#ifdef __cplusplus
}
#endif

#endif
