// Main of files_tests. Before anything else (before Qt starts threads,
// which unshare refuses) the program moves into a mount namespace of its
// own when the system lets it: the small disks of the full-disk tests are
// then tmpfs mounts nobody else sees, gone when the program ends, whatever
// way it ends.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>

#include <QApplication>

#include "small_disk.h"

int main(int argc, char** argv) {
  const bool private_mounts = ::unshare(CLONE_NEWNS) == 0 &&
                              ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  fractions::testing::SmallDisk::SetMountsAllowed(private_mounts);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
