#include "OpticalDrives.h"

#include <blkid/blkid.h>
#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string FirstLine(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    const auto end = line.find_last_not_of(" \t\r\n");
    return end == std::string::npos ? std::string() : line.substr(0, end + 1);
}

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

}  // namespace

OpticalDrives::OpticalDrives(std::string systemRoot) : root_(std::move(systemRoot))
{
    while (!root_.empty() && root_.back() == '/')
        root_.pop_back();
}

std::string OpticalDrives::Path(const std::string& relative) const
{
    return root_ + "/" + relative;
}

std::string OpticalDrives::DecodeMountField(const std::string& field)
{
    std::string text;
    for (size_t i = 0; i < field.size(); ++i) {
        const auto octal = [&](size_t k) { return field[k] >= '0' && field[k] <= '7'; };
        if (field[i] == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) &&
            octal(i + 3)) {
            const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            text += static_cast<char>(value & 0xFF);
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

std::vector<OpticalDrives::Mount> OpticalDrives::Mounts() const
{
    std::vector<Mount> mounts;
    std::ifstream in(Path("proc/self/mountinfo"));
    std::string line;
    while (std::getline(in, line)) {
        // id parent major:minor root mount-point options [optional...] - type source super
        std::istringstream words(line);
        std::vector<std::string> fields;
        for (std::string word; words >> word;)
            fields.push_back(word);
        const auto dash = std::find(fields.begin(), fields.end(), "-");
        if (fields.size() < 5 || dash == fields.end() || dash - fields.begin() < 5)
            continue;
        Mount mount;
        mount.devNumber = fields[2];
        mount.mountPoint = DecodeMountField(fields[4]);
        if (fields.end() - dash > 2)
            mount.source = DecodeMountField(*(dash + 2));
        mounts.push_back(std::move(mount));
    }
    return mounts;
}

std::string OpticalDrives::BlockDevNumber(const std::string& name) const
{
    return FirstLine(Path("sys/block/" + name + "/dev"));
}

std::vector<OpticalDrives::Drive> OpticalDrives::List() const
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(Path("sys/block").c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            if (FirstLine(Path("sys/block/" + name + "/device/type")) == "5")
                names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    const std::vector<Mount> mounts = Mounts();
    std::vector<Drive> drives;
    for (const std::string& name : names) {
        Drive drive{name, Path("dev/" + name), {}};
        const std::string number = BlockDevNumber(name);
        const auto mount = std::find_if(mounts.begin(), mounts.end(), [&](const Mount& m) {
            return (!number.empty() && m.devNumber == number) || m.source == "/dev/" + name;
        });
        if (mount == mounts.end())
            drive.root = drive.device;
        else
            drive.root = mount->mountPoint == "/" ? "/" : mount->mountPoint + "/";
        drives.push_back(std::move(drive));
    }
    return drives;
}

std::vector<std::string> OpticalDrives::Roots() const
{
    std::vector<std::string> roots;
    for (const Drive& drive : List())
        roots.push_back(drive.root);
    return roots;
}

std::vector<std::string> OpticalDrives::RootsWithLabels() const
{
    std::vector<std::string> lines;
    for (const Drive& drive : List())
        lines.push_back(drive.root + DeviceLabel(drive.device));
    return lines;
}

std::string OpticalDrives::Label(const std::string& root) const
{
    if (root.empty())
        return {};
    const std::string point = WithoutTrailingSlash(root);
    for (const Mount& mount : Mounts()) {
        if (mount.mountPoint != point)
            continue;
        for (const Drive& drive : List()) {
            if (drive.root == root || WithoutTrailingSlash(drive.root) == point)
                return DeviceLabel(drive.device);
        }
        return DeviceLabel(mount.source);
    }
    return DeviceLabel(point);
}

std::string OpticalDrives::DeviceLabel(const std::string& device)
{
    if (device.empty())
        return {};
    blkid_probe probe = blkid_new_probe_from_filename(device.c_str());
    if (!probe)
        return {};
    std::string label;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_LABEL);
    if (blkid_do_safeprobe(probe) == 0) {
        const char* value = nullptr;
        size_t length = 0;
        if (blkid_probe_lookup_value(probe, "LABEL", &value, &length) == 0 && value)
            label = value;
    }
    blkid_free_probe(probe);
    return label;
}
