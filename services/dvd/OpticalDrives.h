// The optical drives of a Linux system: block devices whose
// sys/block/<name>/device/type is 5, with their mount points from
// proc/self/mountinfo and volume labels read by libblkid. The system root is
// "/" for the running system; tests hand in a folder holding a fake tree.
#pragma once

#include <string>
#include <vector>

class OpticalDrives {
public:
    explicit OpticalDrives(std::string systemRoot = "/");

    struct Drive {
        std::string name;    // "sr0"
        std::string device;  // system root + "/dev/sr0"
        std::string root;    // mount point + "/", or the device when not mounted
    };

    // In name order (sr0, sr1, ..., sr10).
    std::vector<Drive> List() const;

    // Each drive's root, and each root followed at once by its label.
    std::vector<std::string> Roots() const;
    std::vector<std::string> RootsWithLabels() const;

    // The volume label of a drive root (a mount point, with or without its
    // trailing "/", or a device node or disc image); empty when there is no
    // disc, no permission or no label.
    std::string Label(const std::string& root) const;

    // The label of a device node or disc image.
    static std::string DeviceLabel(const std::string& device);

    // A mountinfo field with its octal escapes ("\040") decoded.
    static std::string DecodeMountField(const std::string& field);

private:
    struct Mount {
        std::string devNumber;   // "11:0"
        std::string mountPoint;  // decoded
        std::string source;      // decoded
    };
    std::vector<Mount> Mounts() const;
    std::string Path(const std::string& relative) const;
    std::string BlockDevNumber(const std::string& name) const;

    std::string root_;  // without a trailing "/"
};
