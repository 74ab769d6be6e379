// A title set written as sparse VOB files with navigation packs spread over
// them, for the sync search over large data: one audio stream, every pack
// out of sync except the last, which lies two sectors after the sync start.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class SparseTitleSet {
public:
    // Writes root/VIDEO_TS with `files` VOB files of `fileSectors` sectors
    // each and `vobus` VOBUs evenly spread over them.
    SparseTitleSet(const std::string& root, int files, int64_t fileSectors, int vobus);

    const std::vector<std::string>& VobPaths() const { return vobPaths_; }
    // The search's answer: the last VOBU's position less two sectors.
    int64_t Expected() const { return expected_; }
    int Vobus() const { return vobus_; }

private:
    std::vector<std::string> vobPaths_;
    int64_t expected_ = 0;
    int vobus_ = 0;
};
