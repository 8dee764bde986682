#include "written_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace fractions {

bool WrittenFiles::IsOurs(const std::filesystem::path& path) const {
  const auto found = written_.find(path);
  struct stat status {};
  // lstat: a link at the name is never ours, whatever it points to.
  return found != written_.end() && ::lstat(path.c_str(), &status) == 0 &&
         S_ISREG(status.st_mode) && status.st_dev == found->second.device &&
         status.st_ino == found->second.inode;
}

bool WrittenFiles::IsFreeOrOurs(const std::filesystem::path& path) const {
  struct stat status {};
  return (::lstat(path.c_str(), &status) != 0 && errno == ENOENT) || IsOurs(path);
}

int WrittenFiles::Create(const std::filesystem::path& path, std::error_code& error) {
  error.clear();
  if (!IsFreeOrOurs(path)) {
    error = std::make_error_code(std::errc::file_exists);
    return -1;
  }
  Remove(path);
  // Exclusive: whatever takes the name in between makes it fail rather
  // than be written through.
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
  struct stat status {};
  if (fd < 0 || ::fstat(fd, &status) != 0) {
    error = {errno, std::generic_category()};
    if (fd >= 0) {
      ::close(fd);
    }
    return -1;
  }
  written_[path] = {status.st_dev, status.st_ino};
  return fd;
}

void WrittenFiles::Remove(const std::filesystem::path& path) {
  if (IsOurs(path)) {
    ::unlink(path.c_str());
  }
  written_.erase(path);
}

void WrittenFiles::RemoveAll() {
  while (!written_.empty()) {
    Remove(written_.begin()->first);
  }
}

}  // namespace fractions
