#include "folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <thread>
#include <tuple>

#include "file_errors.h"

namespace fractions {

namespace {

constexpr std::chrono::milliseconds kRetryEvery{20};

struct OpenFolder {
  int fd;
  dev_t device;
  ino_t inode;
};

// Holds the lock, waiting at most until `deadline`; false only when another
// program kept it all that time.
bool TakeLock(FileSystem& fs, int fd, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    if (fs.Flock(fd, LOCK_EX | LOCK_NB) == 0) {
      return true;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      return true;  // no locks on this file system: go on without
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    std::this_thread::sleep_for(kRetryEvery);
  }
}

}  // namespace

FolderLocks::~FolderLocks() {
  for (const int fd : locked_) {
    fs_->Close(fd);  // closing the only descriptor releases the lock
  }
}

std::error_code FolderLocks::Lock(const std::vector<std::filesystem::path>& folders,
                                  std::chrono::milliseconds wait) {
  std::vector<OpenFolder> open;
  for (const std::filesystem::path& folder : folders) {
    const int fd =
        fs_->Open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    struct stat status {};
    if (fd < 0) {
      continue;  // a folder the user may write to but not list: no lock
    }
    if (::fstat(fd, &status) != 0) {
      fs_->Close(fd);
      continue;
    }
    open.push_back({fd, status.st_dev, status.st_ino});
  }
  std::sort(open.begin(), open.end(), [](const OpenFolder& a, const OpenFolder& b) {
    return std::tie(a.device, a.inode) < std::tie(b.device, b.inode);
  });
  const auto deadline = std::chrono::steady_clock::now() + wait;
  std::error_code error;
  for (std::size_t i = 0; i < open.size(); ++i) {
    const bool same_as_before =
        i > 0 && open[i].device == open[i - 1].device && open[i].inode == open[i - 1].inode;
    if (same_as_before || error) {
      fs_->Close(open[i].fd);
      continue;
    }
    locked_.push_back(open[i].fd);
    if (!TakeLock(*fs_, open[i].fd, deadline)) {
      error = make_error_code(FileError::kFolderBusy);
    }
  }
  return error;
}

}  // namespace fractions
