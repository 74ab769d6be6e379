#include "TempFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<unsigned> g_counter{0};
const char kPrefix[] = ".mv-";
const size_t kPrefixSize = sizeof kPrefix - 1;
const size_t kCheckDigits = 8;

// FNV-1a, as eight hex digits.
std::string CheckOf(const std::string& text)
{
    uint32_t hash = 2166136261u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 16777619u;
    }
    char digits[kCheckDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x", unsigned(hash));
    return digits;
}

// At most `bytes` bytes of the text; a UTF-8 sequence is kept whole or not at all.
std::string CutUtf8(const std::string& text, size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    size_t cut = bytes;
    for (int back = 0; back < 3 && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80;
         ++back)
        --cut;
    return text.substr(0, cut);
}

// The name in at most `room` bytes: its stem is cut and its extension kept
// (ffmpeg picks the format by it), unless the extension alone is too long.
std::string Fit(const std::string& name, size_t room)
{
    if (name.size() <= room)
        return name;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0 && name.size() - dot <= room)
        return CutUtf8(name.substr(0, dot), room - (name.size() - dot)) + name.substr(dot);
    return CutUtf8(name, room);
}

// A number as std::to_string writes it (no sign, no leading zero) and the
// '-' after it.
bool ReadNumber(const std::string& text, size_t& pos, unsigned long long& value)
{
    const size_t start = pos;
    value = 0;
    while (pos < text.size() && pos - start < 10 && text[pos] >= '0' && text[pos] <= '9')
        value = value * 10 + unsigned(text[pos++] - '0');
    if (pos == start || pos >= text.size() || text[pos] != '-' || (text[start] == '0' && pos - start > 1))
        return false;
    ++pos;
    return true;
}

bool Alive(pid_t pid)
{
    return kill(pid, 0) == 0 || errno == EPERM;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// What a temporary left by a writer that is gone looks like; anything else
// may be in use or someone else's.
bool LooksAbandoned(const struct stat& st, time_t now)
{
    return S_ISREG(st.st_mode) && st.st_uid == geteuid() && st.st_nlink == 1 &&
           st.st_mtime <= now - TempFile::kStaleSeconds;
}

}  // namespace

TempFile::~TempFile()
{
    if (fd_ < 0)
        return;
    if (StillOurs())
        unlink(path_.c_str());
    close(fd_);
}

bool TempFile::Create(const std::string& folder, const std::string& name)
{
    long limit = pathconf(folder.c_str(), _PC_NAME_MAX);
    if (limit <= 0)
        limit = NAME_MAX;
    if (name.size() > size_t(limit)) {
        errno = ENAMETOOLONG;
        return false;
    }
    for (;;) {
        const std::string path = folder + "/" + NameFor(name, getpid(), g_counter++, size_t(limit));
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        // A cleaner looking at the new file lets go at once: it is young.
        int locked;
        while ((locked = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        struct stat st;
        // Where the file system keeps no locks, no cleaner can take one
        // either, and the file is never removed as stale.
        if ((locked != 0 && errno != ENOLCK) || fstat(fd, &st) != 0) {
            const int error = errno;
            unlink(path.c_str());
            close(fd);
            errno = error;
            return false;
        }
        path_ = path;
        fd_ = fd;
        dev_ = st.st_dev;
        ino_ = st.st_ino;
        return true;
    }
}

bool TempFile::StillOurs() const
{
    struct stat st;
    return fd_ >= 0 && lstat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_dev == dev_ &&
           st.st_ino == ino_;
}

void TempFile::Release()
{
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
}

std::string TempFile::NameFor(const std::string& name, pid_t pid, unsigned n, size_t limit)
{
    const std::string head = std::to_string(pid) + "-" + std::to_string(n) + "-";
    const size_t fixed = kPrefixSize + head.size() + kCheckDigits + 1;
    const std::string part = Fit(name, limit > fixed ? limit - fixed : 0);
    return kPrefix + head + CheckOf(head + part) + "-" + part;
}

pid_t TempFile::OwnerOf(const std::string& name)
{
    if (name.compare(0, kPrefixSize, kPrefix) != 0)
        return 0;
    size_t pos = kPrefixSize;
    unsigned long long pid = 0, n = 0;
    if (!ReadNumber(name, pos, pid) || !ReadNumber(name, pos, n))
        return 0;
    const size_t check = pos;
    if (name.size() <= check + kCheckDigits || name[check + kCheckDigits] != '-')
        return 0;
    const std::string head = name.substr(kPrefixSize, check - kPrefixSize);
    if (name.compare(check, kCheckDigits, CheckOf(head + name.substr(check + kCheckDigits + 1))) != 0)
        return 0;
    return pid >= 1 && pid <= INT32_MAX && n <= UINT32_MAX ? pid_t(pid) : 0;
}

int TempFile::RemoveStale(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return 0;
    const int at = dirfd(dir);
    const time_t now = time(nullptr);
    int removed = 0;
    while (dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        // A process of that pid here may be its writer, whatever the lock says.
        const pid_t owner = OwnerOf(name);
        if (owner <= 0 || Alive(owner))
            continue;
        struct stat seen;
        if (fstatat(at, name, &seen, AT_SYMLINK_NOFOLLOW) != 0 || !LooksAbandoned(seen, now))
            continue;
        const int fd = openat(at, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        // With the lock held no writer of ours can be at it, and none starts
        // on an existing name; the name must still be this very file.
        struct stat locked, again;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &locked) == 0 && SameFile(seen, locked) &&
            LooksAbandoned(locked, now) && fstatat(at, name, &again, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(locked, again) && unlinkat(at, name, 0) == 0)
            ++removed;
        close(fd);
    }
    closedir(dir);
    return removed;
}
