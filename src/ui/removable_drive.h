#pragma once

#include <string>

namespace fractions {

// True when the file lies on a removable drive (a USB stick, a memory
// card): the block device holding it, or the disk that partition belongs
// to, reports itself removable. Network, fixed and unknown drives: false.
bool IsOnRemovableDrive(const std::string& path);

// The same test from a device's sysfs folder (/sys/dev/block/MAJ:MIN),
// split out so that tests can give it a folder of their own.
bool IsRemovableBlockDevice(const std::string& sysfs_device_folder);

}  // namespace fractions
