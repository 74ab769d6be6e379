/* Small utility functions shared by ZR_Dvd and the program, bound at load time.
 * Every block these functions hand out comes from malloc and is released with
 * free or ZRCallStdFree. */
#ifndef ZR_TOOL_H
#define ZR_TOOL_H

#include <stdint.h>

#if defined(_WIN32)
#define ZR_TOOL_API __declspec(dllexport)
#else
#define ZR_TOOL_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Non-zero when the path names an existing file that is not a folder. */
ZR_TOOL_API int ZRIsFileExists(const char* path);

/* Size in bytes of an existing file; 0 when the path names no readable file. */
ZR_TOOL_API int64_t ZRGetFileSize(const char* path);

/* The first n bytes (1 to 4) as one big-endian unsigned number; 0 for a null
 * pointer or any other n. Four bytes with the top bit set come out negative. */
ZR_TOOL_API int ZRCharArrayToInt(const char* bytes, int n);

/* Splits text at every occurrence of separator. Empty pieces are kept, so the
 * byte offset of piece i is the sum of (length + 1) over the pieces before it.
 * Returns a malloc'd array of *count malloc'd pieces followed by one null
 * entry; an empty text gives no pieces. Null text or separator, or an empty
 * separator: null and a count of 0. */
ZR_TOOL_API char** ZRSplit(const char* text, const char* separator, int* count);

/* Releases a block made by malloc or calloc (null is allowed). */
ZR_TOOL_API void ZRCallStdFree(void* block);

/* The local current time written with an strftime format into a new block of
 * size bytes (at least 1). Null when size < 1 or format is null. */
ZR_TOOL_API char* ZRGetLocalCurrentTime(const char* format, int size);

#ifdef __cplusplus
}
#endif

#endif
