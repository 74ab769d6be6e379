// Test media generated once per build with ffmpeg's lavfi sources and shared by
// every media test process (ctest runs each test case in its own process).
#pragma once

#include <string>
#include <vector>

namespace mvtest {

enum class Media {
    Mp4,        // H.264 + AAC, 4 s, 320x240 at 25 fps, 44.1 kHz mono
    Mkv,        // H.264 + AAC in Matroska, 4 s
    MkvVideo,   // H.264 only in Matroska, 4 s
    Avi,        // MPEG-4 part 2 + MP3, 4 s
    Webm,       // VP8 + Vorbis, 4 s
    AudioOnly,  // MP3, 4 s, 48 kHz mono
    VideoOnly,  // H.264 in MP4 without sound, 4 s, 640x360 at 30 fps
    ZeroByte,   // an empty file named .mp4
    Truncated,  // the first half of Mp4's bytes
    Random,     // random bytes named .mp4
    Long,       // H.264 + AAC, 40 s, 640x480: conversions that last a while
    Hd,         // H.264 + AAC, 10 s, 1920x1080 at 30 fps
    LateSound,  // H.264 + AAC, 4 s of pictures, the sound only from 1.5 s on
    Numbered,   // H.264 + AAC, 12 s, 320x240 at 25 fps: each picture shows its number
    Damaged,    // the first 30 % of a 10 s MP4 whose index is at the front
    ShortSound,  // H.264 + AAC in MP4, 20 s of pictures, the sound only for the first 8 s
    VbrMp3,      // VBR MP3 without a Xing header, 30 s: 10 s of silence, then noise
    VbrAdts,     // VBR AAC in ADTS (.aac), the same 30 s
    Corrupted,   // H.264 + AAC in Matroska, 10 s, 20,000 bytes in its middle overwritten
    NumberedUhd,  // H.264 + AAC, 3 s, 3840x2160 at 25 fps: the test pattern, each picture's number on it
};
// The last kind: MakeAllMedia goes from Mp4 to it.
constexpr Media kLastMedia = Media::Corrupted;

// The frames per second of Media::Numbered.
constexpr int kNumberedRate = 25;
// The number a picture of Media::Numbered shows, read from packed RGB rows
// (16 bars across the top half, bit k white in bar k); -1 for a picture too
// small to hold it.
int PictureNumber(const unsigned char* rgb, int width, int height);
// Filters (each after a comma) that write the picture's number, below 2^bits,
// as PictureNumber reads it, on a band across a picture of that size; the
// rest of the picture is left as it was.
std::string NumberBand(int width, int height, int bits);

// The cached file of that kind, generated on first use.
std::string MediaPath(Media kind);

// Generates every kind not yet cached; false if one could not be made.
bool MakeAllMedia();

// Awkward file names for the same content: blanks, quotes, "|", backslashes,
// non-ASCII letters, names that look like options or protocols.
const std::vector<std::string>& AwkwardNames();

// Copies a file byte for byte.
bool CopyFile(const std::string& from, const std::string& to);

}  // namespace mvtest
