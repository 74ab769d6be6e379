#include "FuzzDisc.h"

#include <algorithm>

namespace {

std::string Take(const uint8_t*& data, size_t& size)
{
    size_t length = 0;
    for (int i = 0; i < 4 && size > 0; ++i, ++data, --size)
        length = (length << 8) | *data;
    length = std::min(length, size);
    std::string bytes(reinterpret_cast<const char*>(data), length);
    data += length;
    size -= length;
    return bytes;
}

void PutLength(std::string& out, size_t length)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((length >> shift) & 0xFF);
}

}  // namespace

MemoryDiscFiles FuzzDisc::Unpack(const uint8_t* data, size_t size)
{
    MemoryDiscFiles files;
    files.Add("VIDEO_TS.IFO", Take(data, size));
    files.Add("VTS_01_0.IFO", Take(data, size));
    files.Add("VTS_01_1.VOB", std::string(reinterpret_cast<const char*>(data), size));
    return files;
}

std::string FuzzDisc::Pack(const std::string& videoManager, const std::string& titleSet,
                           const std::string& vob)
{
    std::string out;
    PutLength(out, videoManager.size());
    out += videoManager;
    PutLength(out, titleSet.size());
    out += titleSet;
    return out + vob;
}
