#include "FileStamp.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

FileStamp FileStamp::Of(const wxString& path)
{
    FileStamp stamp;
    std::ifstream in(path.fn_str(), std::ios::binary);
    if (!in)
        return stamp;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return stamp;
    stamp.exists_ = true;
    stamp.size_ = bytes.size();
    stamp.digest_ = std::hash<std::string>()(bytes);
    return stamp;
}

bool FileStamp::operator==(const FileStamp& other) const
{
    return exists_ == other.exists_ && size_ == other.size_ && digest_ == other.digest_;
}
