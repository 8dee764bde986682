#include "written_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>

namespace fractions {

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool ReadAll(int fd, std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      return false;
    }
    done += static_cast<std::size_t>(got);
  }
  return true;
}

std::size_t HashOf(std::string_view bytes) {
  return std::hash<std::string_view>{}(bytes);
}

}  // namespace

bool WrittenFiles::IsOurs(const std::filesystem::path& path) const {
  const auto found = written_.find(path);
  if (found == written_.end()) {
    return false;
  }
  // No link is followed, and opening a pipe put at the name does not wait.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return false;
  }
  const Identity& ours = found->second;
  struct stat status {};
  bool same = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
              status.st_dev == ours.device && status.st_ino == ours.inode &&
              static_cast<std::size_t>(status.st_size) == ours.size;
  if (same) {
    std::string bytes(ours.size, '\0');
    same = ReadAll(fd, bytes) && HashOf(bytes) == ours.content_hash;
  }
  ::close(fd);
  return same;
}

bool WrittenFiles::IsFreeOrOurs(const std::filesystem::path& path) const {
  struct stat status {};
  return (::lstat(path.c_str(), &status) != 0 && errno == ENOENT) || IsOurs(path);
}

bool WrittenFiles::Write(const std::filesystem::path& path, std::string_view bytes,
                         std::error_code& error) {
  error.clear();
  if (!IsFreeOrOurs(path)) {
    error = std::make_error_code(std::errc::file_exists);
    return false;
  }
  Remove(path);
  // Exclusive: whatever takes the name in between makes it fail rather
  // than be written through.
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) {
    error = LastError();
    return false;
  }
  struct stat status {};
  errno = 0;
  const bool written = WriteAll(fd, bytes) && ::fstat(fd, &status) == 0;
  if (!written) {
    error = errno != 0 ? LastError() : std::make_error_code(std::errc::io_error);
  }
  if (::close(fd) != 0 && written) {
    error = LastError();
  }
  if (error) {
    ::unlink(path.c_str());  // made a moment ago, exclusively: ours, half written
    return false;
  }
  written_[path] = {status.st_dev, status.st_ino, bytes.size(), HashOf(bytes)};
  return true;
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
