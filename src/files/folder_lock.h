#pragma once

#include <chrono>
#include <filesystem>
#include <system_error>
#include <vector>

#include "file_system.h"

namespace fractions {

// How long a commit waits for another save into the same folder to end.
inline constexpr std::chrono::milliseconds kFolderLockWait{10'000};

// Exclusive locks (flock) on the folders a set of files is committed to,
// so that two programs committing sets there never interleave their
// renames: one whole set takes its names, then the other. The folders are
// locked in one order (device, then inode), so two sets sharing folders
// cannot wait on each other. A folder that cannot be opened for reading or
// whose file system has no such locks (some network file systems) is
// committed to without a lock. Released when the object goes.
class FolderLocks {
 public:
  explicit FolderLocks(FileSystem& fs = SystemFileSystem()) : fs_(&fs) {}
  FolderLocks(const FolderLocks&) = delete;
  FolderLocks& operator=(const FolderLocks&) = delete;
  ~FolderLocks();

  // Locks every folder of `folders` (duplicates are locked once). Fails
  // with FileError::kFolderBusy after `wait` without the lock.
  std::error_code Lock(const std::vector<std::filesystem::path>& folders,
                       std::chrono::milliseconds wait = kFolderLockWait);

 private:
  FileSystem* fs_;
  std::vector<int> locked_;
};

}  // namespace fractions
