#include "SourceDamage.h"

#include <iterator>

namespace {

// ffmpeg 5.1's own words for a source that ends early or cannot be decoded.
const char* const kDamageTexts[] = {
    ": partial file",
    "File ended prematurely",
    "Error while decoding stream #",
    "Invalid data found when processing input",
};

}  // namespace

bool SourceDamage::Reports(const std::string& line, const std::string& sourceUrl)
{
    if (!sourceUrl.empty() && line.size() > sourceUrl.size() + 2 &&
        line.compare(0, sourceUrl.size(), sourceUrl) == 0 &&
        line.compare(sourceUrl.size(), 2, ": ") == 0)
        return true;
    for (const char* text : kDamageTexts)
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}
