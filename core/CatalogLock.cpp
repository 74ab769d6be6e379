#include "CatalogLock.h"

#include "FileUtil.h"

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CatalogLock::CatalogLock(const wxString& path)
{
    const std::string native = FileUtil::ToNative(path);
    const size_t slash = native.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : native.substr(0, slash));
    m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    int result;
    do {
        result = ::flock(m_fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

CatalogLock::~CatalogLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}
