// The one-byte key of the files under Plugin/FormatList/. Every byte of such a
// file is the plain byte combined with the key by exclusive or; the same
// operation restores it. Shared by the streams and the build's scrambler, so
// it includes nothing of the toolkit.
#pragma once

#include <cstddef>

constexpr unsigned char kCatalogKey = 0xB3;

inline void ScrambleBytes(unsigned char* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] ^= kCatalogKey;
}
