// Results handed across the library boundary: malloc'd texts and calloc'd lists.
#pragma once

#include <string>
#include <vector>

class CBlocks {
public:
    // A zero-filled block of the text's length plus one holding the text; null
    // only when memory runs out.
    static char* Text(const std::string& text);

    // An array of Text blocks; stores the number of lines through count. An
    // empty list, or no count pointer, gives null. When the array
    // cannot be allocated the count stays stored and null is returned.
    static char** List(const std::vector<std::string>& lines, int* count);
};
