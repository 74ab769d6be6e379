#include "CatalogWriter.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include "FileUtil.h"
#include "MyOutputStream.h"

namespace {

std::atomic<unsigned long> saveCount{0};

// Writes all bytes through the scrambling stream and forces them to disk.
bool WriteScrambled(const wxString& path, const void* bytes, size_t size)
{
    MyOutputStream out(path);
    if (!out.IsOk())
        return false;
    out.Write(bytes, size);
    bool ok = out.LastWrite() == size && out.IsOk();
    ok = ok && ::fsync(out.GetFile()->fd()) == 0;
    return out.Close() && ok;
}

// The new file takes the old one's permissions; a new catalog gets the
// usual ones (what the umask leaves of rw-rw-rw-).
void CopyMode(const std::string& from, const std::string& to)
{
    struct stat st {};
    mode_t mode;
    if (::stat(from.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::chmod(to.c_str(), mode);
}

void SyncFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool CatalogWriter::Save(const wxXmlDocument& document, const wxString& path, int indent)
{
    if (!document.IsOk() || !document.GetRoot())
        return false;

    wxMemoryOutputStream buffer;
    if (!document.Save(buffer, indent))
        return false;
    std::vector<char> bytes(buffer.GetLength());
    buffer.CopyTo(bytes.data(), bytes.size());

    wxLogNull quiet;
    wxFileName target(path);
    wxString folder = target.GetPath();
    if (folder.empty())
        folder = ".";
    wxString temp = wxFileName::CreateTempFileName(folder + "/." + target.GetFullName() + ".");
    if (temp.empty())
        return false;
    std::string nativeTemp = FileUtil::ToNative(temp);
    std::string nativePath = FileUtil::ToNative(path);

    if (!WriteScrambled(temp, bytes.data(), bytes.size())) {
        ::unlink(nativeTemp.c_str());
        return false;
    }
    CopyMode(nativePath, nativeTemp);
    if (::rename(nativeTemp.c_str(), nativePath.c_str()) != 0) {
        ::unlink(nativeTemp.c_str());
        return false;
    }
    SyncFolder(FileUtil::ToNative(folder));
    ++saveCount;
    return true;
}

unsigned long CatalogWriter::GetSaveCount()
{
    return saveCount.load();
}
