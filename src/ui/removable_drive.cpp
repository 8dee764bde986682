#include "removable_drive.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>

namespace fractions {

namespace {

bool ReadsOne(const std::filesystem::path& file) {
  std::ifstream in(file);
  char flag = '0';
  return in >> flag && flag == '1';
}

}  // namespace

bool IsRemovableBlockDevice(const std::string& sysfs_device_folder) {
  std::error_code error;
  const std::filesystem::path device = std::filesystem::canonical(sysfs_device_folder, error);
  if (error) {
    return false;
  }
  // A partition has no "removable" of its own; its disk is the parent folder.
  if (std::filesystem::exists(device / "removable", error)) {
    return ReadsOne(device / "removable");
  }
  return std::filesystem::exists(device.parent_path() / "removable", error) &&
         ReadsOne(device.parent_path() / "removable");
}

bool IsOnRemovableDrive(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    return false;
  }
  const std::string folder = "/sys/dev/block/" + std::to_string(major(info.st_dev)) + ":" +
                             std::to_string(minor(info.st_dev));
  return IsRemovableBlockDevice(folder);
}

}  // namespace fractions
