// Questions about a file without playing it: can it be decoded, and its media
// properties as a property-list dictionary.
#pragma once

class MediaProbe {
public:
    // True only when a video or audio stream yields a decoded frame.
    static bool CanOpen(const char* path);
    // A plist dictionary (caller frees with plist_free), or null.
    static void* GetMediaInfo(const char* path);
};
