#include "FfmpegLog.h"

#include <cstring>
#include <iterator>

namespace {

struct Level {
    const char* name;
    bool error;
};
// av_log's level names (libavutil/log.c).
const Level kLevels[] = {
    {"quiet", true},   {"panic", true},    {"fatal", true}, {"error", true},  {"warning", false},
    {"info", false},   {"verbose", false}, {"debug", false}, {"trace", false},
};

// The length of "[<name> @ 0x<hex>] " at `at`, 0 when none starts there.
size_t ContextAt(const std::string& line, size_t at, std::string& name)
{
    if (at >= line.size() || line[at] != '[')
        return 0;
    const size_t close = line.find("] ", at);
    const size_t sign = line.rfind(" @ 0x", close);
    if (close == std::string::npos || sign == std::string::npos || sign <= at)
        return 0;
    for (size_t k = sign + 5; k < close; ++k)
        if (!std::strchr("0123456789abcdefABCDEF", line[k]))
            return 0;
    name = line.substr(at + 1, sign - at - 1);
    return close + 2 - at;
}

// The length of "[<level>] " at `at`, 0 when none starts there.
size_t LevelAt(const std::string& line, size_t at, bool& error)
{
    for (const Level& level : kLevels) {
        const std::string tag = std::string("[") + level.name + "] ";
        if (line.compare(at, tag.size(), tag) == 0) {
            error = level.error;
            return tag.size();
        }
    }
    return 0;
}

// The format named in "<head><name><tail>", taken once.
void FormatOf(const std::string& text, const std::string& head, const std::string& tail, std::string& name)
{
    if (!name.empty() || text.compare(0, head.size(), head) != 0)
        return;
    const size_t end = text.find(tail, head.size());
    if (end != std::string::npos)
        name = text.substr(head.size(), end - head.size());
}

}  // namespace

FfmpegLog::Line FfmpegLog::Read(const std::string& line)
{
    size_t at = 0;
    std::string context, name;
    while (size_t n = ContextAt(line, at, name)) {
        context = name;
        at += n;
    }
    bool error = false;
    const size_t tag = LevelAt(line, at, error);
    if (!tag) {
        // A newline inside a message (a name holding one) or a note without
        // a level, such as "Last message repeated".
        Line more = last_;
        more.text = line;
        more.continued = true;
        return more;
    }
    last_.context = context;
    last_.error = error;
    last_.continued = false;
    last_.text = line.substr(0, at) + line.substr(at + tag);
    if (!error && context.empty()) {
        FormatOf(last_.text, "Input #0, ", ", from '", demuxer_);
        FormatOf(last_.text, "Output #0, ", ", to '", muxer_);
    }
    return last_;
}
