#include "OutputFileHelper.h"

#include "FileUtil.h"

#include <filesystem>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The folder as one spelling: absolute, without "." and "..", links resolved
// where it exists.
std::string SameFolderKey(const std::string& folder)
{
    std::error_code ec;
    fs::path path = fs::absolute(folder.empty() ? std::string(".") : folder, ec);
    fs::path canonical = fs::weakly_canonical(path, ec);
    if (!ec)
        path = canonical;
    std::string key = path.lexically_normal().string();
    while (key.size() > 1 && key.back() == '/')
        key.pop_back();
    return key;
}

bool EntryExists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

}  // namespace

wxString OutputFileHelper::MakeUniqueFileName(const wxString& folder, const wxString& fileName,
                                              const wxArrayString& pathsInUse)
{
    if (fileName.empty() || fileName.Contains("/"))
        return wxString();
    const std::string nativeFolder = FileUtil::ToNative(folder);
    struct stat info;
    if (stat(nativeFolder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        access(nativeFolder.c_str(), R_OK | X_OK) != 0)
        return wxString();

    // Names of the paths in use that lie in this folder.
    const std::string folderKey = SameFolderKey(nativeFolder);
    std::set<std::string> reserved;
    for (const wxString& used : pathsInUse) {
        const fs::path path(FileUtil::ToNative(used));
        if (!path.has_filename())
            continue;
        if (SameFolderKey(path.parent_path().string()) == folderKey)
            reserved.insert(path.filename().string());
    }

    // A leading dot belongs to the name (".profile" has no extension).
    int dot = fileName.Find('.', true);
    const bool hasDot = dot > 0;
    const wxString base = hasDot ? fileName.Left(static_cast<size_t>(dot)) : fileName;
    const wxString extension = hasDot ? fileName.Mid(static_cast<size_t>(dot)) : wxString();

    auto isFree = [&](const wxString& name) {
        const std::string native = FileUtil::ToNative(name);
        return reserved.count(native) == 0 && !EntryExists(nativeFolder + "/" + native);
    };
    if (isFree(fileName))
        return fileName;
    // Every taken name blocks at most one k, so this ends.
    for (unsigned long k = 1;; ++k) {
        const wxString candidate = base + wxString::Format("_%lu", k) + extension;
        if (isFree(candidate))
            return candidate;
    }
}
