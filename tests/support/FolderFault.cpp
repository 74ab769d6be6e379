#include "FolderFault.h"

#include "TestSupport.h"

namespace mvtest {

FolderFault::FolderFault(const std::string& folder, Kind kind) : m_point(folder)
{
    if (kind == READ_ONLY) {
        if (!Mount({"mount", "--bind", folder, folder}))
            return;
        m_mounted = true;
        m_ok = Mount({"mount", "-o", "remount,bind,ro", folder});
        return;
    }
    const std::string saved = folder + ".saved";
    Run({"cp", "-a", folder, saved});
    if (!Mount({"mount", "-t", "tmpfs", "-o", "size=512k", "tmpfs", folder}))
        return;
    m_mounted = true;
    Run({"cp", "-a", saved + "/.", folder + "/"});
    Run({"rm", "-rf", saved});
    // The rest of the tmpfs taken by a filler beside the files.
    Run({"dd", "if=/dev/zero", "of=" + folder + "/filler", "bs=4k"});
    m_ok = true;
}

FolderFault::~FolderFault()
{
    if (m_mounted)
        Run({"umount", m_point});
}

bool FolderFault::Mount(const std::vector<std::string>& argv)
{
    const RunResult result = Run(argv);
    if (result.status != 0)
        m_failure += result.err;
    return result.status == 0;
}

}  // namespace mvtest
