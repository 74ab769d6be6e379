// The VOB files VTS_nn_1.VOB, VTS_nn_2.VOB, ... of one title set, whose
// joined contents are the title set's video data.
#pragma once

#include "DiscFiles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class VobFiles {
public:
    static constexpr int kMaxFiles = 100;

    // Reads the files up to the first one that is missing (or a folder), at
    // most kMaxFiles of them.
    VobFiles(const DiscFiles& files, int vts);

    struct Place {
        size_t index;    // file index
        int64_t offset;  // offset within that file
    };

    size_t Count() const { return names_.size(); }
    const std::string& Name(size_t i) const { return names_[i]; }
    const std::vector<int64_t>& Sizes() const { return sizes_; }
    // The file and offset that hold a position of the joined data; none when
    // the position is negative or at or past the total size.
    std::optional<Place> Locate(int64_t position) const;
    // The same over any list of sizes (negative sizes count as 0).
    static std::optional<Place> LocateIn(const int64_t* sizes, size_t count, int64_t position);

    // "VTS_" + two digits + "_" + k + ".VOB".
    static std::string FileName(int vts, int k);

private:
    std::vector<std::string> names_;
    std::vector<int64_t> sizes_;
};
