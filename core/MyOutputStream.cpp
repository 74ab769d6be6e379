#include "MyOutputStream.h"

#include <cstring>
#include <vector>

#include "CatalogScramble.h"

MyOutputStream::MyOutputStream(const wxString& fileName) : wxFileOutputStream(fileName) {}

size_t MyOutputStream::OnSysWrite(const void* buffer, size_t size)
{
    if (size == 0)
        return 0;
    const auto* plain = static_cast<const unsigned char*>(buffer);
    const void* zero = std::memchr(plain, 0, size);
    size_t length = zero ? static_cast<const unsigned char*>(zero) - plain : size;
    std::vector<unsigned char> bytes(plain, plain + length);
    ScrambleBytes(bytes.data(), bytes.size());
    return wxFileOutputStream::OnSysWrite(bytes.data(), bytes.size());
}
