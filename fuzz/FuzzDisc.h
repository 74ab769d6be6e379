// One fuzz input as a VIDEO_TS folder in memory: a 4-byte big-endian length
// and that many bytes of VIDEO_TS.IFO, the same for VTS_01_0.IFO, and the
// rest as VTS_01_1.VOB. Lengths past the input's end take what is left.
#pragma once

#include "MemoryDiscFiles.h"

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzDisc {
public:
    static MemoryDiscFiles Unpack(const uint8_t* data, size_t size);
    static std::string Pack(const std::string& videoManager, const std::string& titleSet,
                            const std::string& vob);
};
