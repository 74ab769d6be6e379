// What the media import job learns about one source file; one record per row
// of the file list, in row order.
#pragma once

#include <cstdint>

#include <wx/string.h>

struct MediaInfo {
    wxString path;      // full source path; set by the file list and the dialogs
    wxString spare;     // never written
    wxString duration;  // media length as "hh:mm:ss"
    wxString fileName;  // file name without folder
    uint64_t mediaLength = 0;   // seconds
    uint64_t frameWidth = 0;    // pixels
    uint64_t frameHeight = 0;   // pixels
    uint64_t videoBitRate = 0;  // bit/s
    uint64_t frameRate = 0;     // frames per second
    uint64_t sampleRate = 0;    // Hz
    uint64_t channel = 0;       // audio channels
    wxString channelLayout;
    uint64_t audioBitRate = 0;  // bit/s
    bool removeMark = false;    // set by the file list for rows being removed
    // Where the picture and the sound end, in milliseconds from the start
    // (keys "video-length-ms", "audio-length-ms"; 0 unknown or absent), where
    // they begin ("video-start-ms", "audio-start-ms"), and whether
    // libavformat only estimated the lengths from the bit rate
    // ("length-estimated").
    uint64_t videoLengthMs = 0;
    uint64_t audioLengthMs = 0;
    uint64_t videoStartMs = 0;
    uint64_t audioStartMs = 0;
    bool lengthEstimated = false;

    // Reads the player's media dictionary (a plist_t); a key that is missing
    // or of another type leaves its field at 0 or empty. Null reads nothing.
    void ReadDictionary(void* dictionary);
    // Reads the player's probe of the file at path (the bound player
    // instance); nothing when there is none or it cannot read the file.
    void ProbeFile(const wxString& path);
};
