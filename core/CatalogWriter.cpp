#include "CatalogWriter.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/log.h>
#include <wx/mstream.h>

#include "CatalogScramble.h"
#include "FileUtil.h"

namespace {

std::atomic<unsigned long> saveCount{0};

// Writes every byte to `fd`, taking short writes as they come.
bool WriteAll(int fd, const unsigned char* bytes, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        bytes += written;
        size -= size_t(written);
    }
    return true;
}

// The new file takes the old one's permissions; a new catalog gets the
// usual ones (what the umask leaves of rw-rw-rw-).
void CopyMode(const std::string& from, int to)
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
    ::fchmod(to, mode);
}

void SyncFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes the scrambled bytes to a new temporary file beside `path` and
// renames it over `path`. 0, or the errno of the step that failed.
int Replace(const std::string& path, std::vector<unsigned char>& bytes)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temp = folder + "/." + name + ".XXXXXX";
    const int fd = ::mkstemp(&temp[0]);
    if (fd < 0)
        return errno;

    ScrambleBytes(bytes.data(), bytes.size());
    CopyMode(path, fd);
    int failure = 0;
    if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0)
        failure = errno;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ::rename(temp.c_str(), path.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(temp.c_str());
        return failure;
    }
    SyncFolder(folder);
    return 0;
}

}  // namespace

bool CatalogWriter::Save(const wxXmlDocument& document, const wxString& path, int indent, int* error)
{
    int failure = EINVAL;
    if (document.IsOk() && document.GetRoot()) {
        wxMemoryOutputStream buffer;
        wxLogNull quiet;
        if (document.Save(buffer, indent)) {
            std::vector<unsigned char> bytes(buffer.GetLength());
            buffer.CopyTo(bytes.data(), bytes.size());
            // The scrambled files hold no zero byte: the text ends at the first one.
            const auto zero = std::find(bytes.begin(), bytes.end(), 0);
            bytes.erase(zero, bytes.end());
            failure = Replace(FileUtil::ToNative(path), bytes);
        } else {
            failure = EIO;
        }
    }
    if (failure != 0) {
        if (error)
            *error = failure;
        return false;
    }
    ++saveCount;
    return true;
}

unsigned long CatalogWriter::GetSaveCount()
{
    return saveCount.load();
}
