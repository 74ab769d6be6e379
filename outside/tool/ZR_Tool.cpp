#include "ZR_Tool.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

extern "C" {

int ZRIsFileExists(const char* path)
{
    struct stat st;
    if (!path || !*path || stat(path, &st) != 0)
        return 0;
    return S_ISDIR(st.st_mode) ? 0 : 1;
}

int64_t ZRGetFileSize(const char* path)
{
    struct stat st;
    if (!path || !*path || stat(path, &st) != 0 || !S_ISREG(st.st_mode))
        return 0;
    return static_cast<int64_t>(st.st_size);
}

int ZRCharArrayToInt(const char* bytes, int n)
{
    if (!bytes || n < 1 || n > 4)
        return 0;
    uint32_t value = 0;
    for (int i = 0; i < n; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return static_cast<int>(value);
}

char** ZRSplit(const char* text, const char* separator, int* count)
{
    if (count)
        *count = 0;
    if (!text || !separator || !*separator)
        return nullptr;
    std::vector<std::string> pieces;
    if (*text) {
        const size_t sepLength = std::strlen(separator);
        const char* start = text;
        for (;;) {
            const char* hit = std::strstr(start, separator);
            if (!hit) {
                pieces.emplace_back(start);
                break;
            }
            pieces.emplace_back(start, hit);
            start = hit + sepLength;
        }
    }
    char** array = static_cast<char**>(std::calloc(pieces.size() + 1, sizeof(char*)));
    if (!array)
        return nullptr;
    for (size_t i = 0; i < pieces.size(); ++i) {
        array[i] = static_cast<char*>(std::calloc(pieces[i].size() + 1, 1));
        if (!array[i]) {
            for (size_t k = 0; k < i; ++k)
                std::free(array[k]);
            std::free(array);
            return nullptr;
        }
        std::memcpy(array[i], pieces[i].data(), pieces[i].size());
    }
    if (count)
        *count = static_cast<int>(pieces.size());
    return array;
}

void ZRCallStdFree(void* block)
{
    std::free(block);
}

char* ZRGetLocalCurrentTime(const char* format, int size)
{
    if (!format || size < 1)
        return nullptr;
    char* block = static_cast<char*>(std::calloc(static_cast<size_t>(size), 1));
    if (!block)
        return nullptr;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local))
        std::strftime(block, static_cast<size_t>(size), format, &local);
    return block;
}

}  // extern "C"
