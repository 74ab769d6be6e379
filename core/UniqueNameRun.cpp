#include "UniqueNameRun.h"

#include "FileUtil.h"

#include <climits>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool EntryExists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

bool UsableFolder(const std::string& folder)
{
    struct stat info;
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           access(folder.c_str(), R_OK | X_OK) == 0;
}

// The longest name the folder takes, in bytes.
size_t NameLimit(const std::string& folder)
{
    const long limit = pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? size_t(limit) : size_t(NAME_MAX);
}

// base + tail, whole characters cut from the end of base until the name
// fits `limit` bytes; empty when not one character of base is left.
wxString Fitted(const wxString& base, const wxString& tail, size_t limit)
{
    auto fits = [&](size_t kept) {
        return FileUtil::ToNative(base.Left(kept) + tail).size() <= limit;
    };
    if (fits(base.length()))
        return base + tail;
    size_t low = 0, high = base.length();  // !fits(high); fits(low) unless low is 0
    while (high - low > 1) {
        const size_t middle = low + (high - low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return low > 0 ? base.Left(low) + tail : wxString();
}

}  // namespace

const std::string& UniqueNameRun::FolderKey(const std::string& nativeFolder)
{
    const auto known = keys_.find(nativeFolder);
    if (known != keys_.end())
        return known->second;
    std::error_code ec;
    fs::path path = fs::absolute(nativeFolder.empty() ? std::string(".") : nativeFolder, ec);
    fs::path canonical = fs::weakly_canonical(path, ec);
    if (!ec)
        path = canonical;
    std::string key = path.lexically_normal().string();
    while (key.size() > 1 && key.back() == '/')
        key.pop_back();
    return keys_.emplace(nativeFolder, std::move(key)).first->second;
}

void UniqueNameRun::Reserve(const wxString& path)
{
    const fs::path native(FileUtil::ToNative(path));
    if (!native.has_filename())
        return;
    reserved_[FolderKey(native.parent_path().string())].insert(native.filename().string());
}

wxString UniqueNameRun::Find(const wxString& folder, const wxString& fileName)
{
    if (fileName.empty() || fileName.Contains("/"))
        return wxString();
    const std::string nativeFolder = FileUtil::ToNative(folder);
    if (!UsableFolder(nativeFolder))
        return wxString();
    const std::string& key = FolderKey(nativeFolder);
    const std::set<std::string>& taken = reserved_[key];
    auto isFree = [&](const std::string& name) {
        return taken.count(name) == 0 && !EntryExists(nativeFolder + "/" + name);
    };

    // A leading dot belongs to the name (".profile" has no extension).
    const int dot = fileName.Find('.', true);
    const bool hasDot = dot > 0;
    const wxString base = hasDot ? fileName.Left(static_cast<size_t>(dot)) : fileName;
    const wxString extension = hasDot ? fileName.Mid(static_cast<size_t>(dot)) : wxString();
    // A name longer than the folder takes loses the end of its base.
    const size_t limit = NameLimit(nativeFolder);
    const wxString first = Fitted(base, extension, limit);
    if (first.empty())
        return wxString();
    if (isFree(FileUtil::ToNative(first)))
        return first;
    // Every taken name blocks at most one k (k is the text after the last
    // "_"), so this ends.
    const std::string nativeName = FileUtil::ToNative(fileName);
    unsigned long& k = firstFree_.emplace(std::make_pair(key, nativeName), 1).first->second;
    for (;; ++k) {
        const wxString candidate = Fitted(base, wxString::Format("_%lu", k) + extension, limit);
        if (candidate.empty())
            return wxString();
        if (isFree(FileUtil::ToNative(candidate)))
            return candidate;
    }
}

wxString UniqueNameRun::Take(const wxString& folder, const wxString& fileName)
{
    const wxString name = Find(folder, fileName);
    if (!name.empty())
        reserved_[FolderKey(FileUtil::ToNative(folder))].insert(FileUtil::ToNative(name));
    return name;
}
