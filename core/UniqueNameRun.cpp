#include "UniqueNameRun.h"

#include "FileUtil.h"

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

    const std::string nativeName = FileUtil::ToNative(fileName);
    if (isFree(nativeName))
        return fileName;
    // A leading dot belongs to the name (".profile" has no extension).
    const int dot = fileName.Find('.', true);
    const bool hasDot = dot > 0;
    const wxString base = hasDot ? fileName.Left(static_cast<size_t>(dot)) : fileName;
    const wxString extension = hasDot ? fileName.Mid(static_cast<size_t>(dot)) : wxString();
    // Every taken name blocks at most one k, so this ends.
    unsigned long& k = firstFree_.emplace(std::make_pair(key, nativeName), 1).first->second;
    for (;; ++k) {
        const wxString candidate = base + wxString::Format("_%lu", k) + extension;
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
