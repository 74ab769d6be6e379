#include "DvdTestUtil.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace dvdtest {

std::string TakeText(char* text)
{
    if (!text)
        return "<null>";
    std::string copy(text);
    std::free(text);
    return copy;
}

std::vector<std::string> TakeList(char** list, int count)
{
    std::vector<std::string> lines;
    if (!list)
        return lines;
    for (int i = 0; i < count; ++i) {
        lines.emplace_back(list[i] ? list[i] : "<null>");
        std::free(list[i]);
    }
    std::free(list);
    return lines;
}

void WriteDiscFile(const std::string& root, const std::string& name, const std::string& bytes)
{
    std::filesystem::create_directories(root + "/VIDEO_TS");
    std::ofstream out(root + "/VIDEO_TS/" + name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + name);
}

void WriteSparse(const std::string& path, int64_t size, int64_t offset, const std::string& bytes)
{
    { std::ofstream create(path, std::ios::binary | std::ios::trunc); }
    std::filesystem::resize_file(path, static_cast<uintmax_t>(size));
    if (bytes.empty())
        return;
    std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
    out.seekp(offset);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace dvdtest
