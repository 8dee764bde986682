#include "ui/removable_drive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fractions {
namespace {

namespace fs = std::filesystem;

// A sysfs-like tree: disk "sdb" holding partition "sdb1", with the disk's
// "removable" flag as given; "dev" links to the partition, as
// /sys/dev/block/MAJ:MIN does.
class FakeSysfs : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("sysfs-" + std::to_string(::getpid()));
    fs::create_directories(root_ / "block/sdb/sdb1");
  }
  void TearDown() override { fs::remove_all(root_); }

  void DiskRemovable(const char* flag) {
    std::ofstream(root_ / "block/sdb/removable") << flag << "\n";
  }
  std::string LinkTo(const char* target) {
    const fs::path link = root_ / "dev";
    fs::remove(link);
    fs::create_directory_symlink(root_ / target, link);
    return link.string();
  }

  fs::path root_;
};

TEST_F(FakeSysfs, OnlyARemovableDiskCounts) {
  DiskRemovable("1");
  EXPECT_TRUE(IsRemovableBlockDevice(LinkTo("block/sdb/sdb1")));  // partition: its disk decides
  EXPECT_TRUE(IsRemovableBlockDevice(LinkTo("block/sdb")));
  DiskRemovable("0");
  EXPECT_FALSE(IsRemovableBlockDevice(LinkTo("block/sdb/sdb1")));
  EXPECT_FALSE(IsRemovableBlockDevice((root_ / "nothing-here").string()));
  EXPECT_FALSE(IsOnRemovableDrive("/proc/self/status"));  // no block device at all
}

}  // namespace
}  // namespace fractions
