// The fields read from VIDEO_TS.IFO: titles, their chapters, title sets.
#pragma once

#include "ByteSource.h"

#include <string>

class VideoManagerIfo {
public:
    explicit VideoManagerIfo(const ByteSource& source) : source_(source) {}

    int TitleCount() const;
    // Chapters of the 1-based title; 0 for a title outside the table.
    int ChapterCount(int title) const;
    int TitleSetCount() const;
    // "major.minor" from the version byte of any IFO file.
    static std::string VersionText(const ByteSource& source);

private:
    uint64_t TitleTable() const;
    const ByteSource& source_;
};
