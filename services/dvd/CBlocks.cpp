#include "CBlocks.h"

#include <climits>
#include <cstdlib>
#include <cstring>

char* CBlocks::Text(const std::string& text)
{
    char* block = static_cast<char*>(std::calloc(text.size() + 1, 1));
    if (block)
        std::memcpy(block, text.data(), text.size());
    return block;
}

char** CBlocks::List(const std::vector<std::string>& lines, int* count)
{
    const size_t n = lines.size() > static_cast<size_t>(INT_MAX) ? 0 : lines.size();
    if (!count)
        return nullptr;
    *count = static_cast<int>(n);
    if (n == 0)
        return nullptr;
    char** array = static_cast<char**>(std::calloc(n, sizeof(char*)));
    if (!array)
        return nullptr;
    for (size_t i = 0; i < n; ++i) {
        array[i] = Text(lines[i]);
        if (!array[i]) {
            for (size_t k = 0; k < i; ++k)
                std::free(array[k]);
            std::free(array);
            return nullptr;
        }
    }
    return array;
}
