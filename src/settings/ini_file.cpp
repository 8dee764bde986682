#include "ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>

namespace fractions {

namespace {

// Closes its descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now, reporting the error close may give (a delayed write error).
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

std::error_code LastError() {
  return {errno, std::generic_category()};
}

// Reads at most `limit` + 1 bytes: enough to tell that the file is above
// the limit without trusting the size it claims.
std::error_code ReadAtMost(int fd, std::size_t limit, std::string& bytes) {
  constexpr std::size_t kChunk = 64 * 1024;
  while (bytes.size() <= limit) {
    const std::size_t old_size = bytes.size();
    bytes.resize(old_size + std::min(kChunk, limit + 1 - old_size));
    const ssize_t got = ::read(fd, bytes.data() + old_size, bytes.size() - old_size);
    if (got < 0 && errno == EINTR) {
      bytes.resize(old_size);
      continue;
    }
    if (got < 0) {
      return LastError();
    }
    bytes.resize(old_size + static_cast<std::size_t>(got));
    if (got == 0) {
      break;
    }
  }
  return {};
}

std::error_code WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return written < 0 ? LastError() : std::make_error_code(std::errc::io_error);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

// The file a save must replace: `path`, or the file a symbolic link there
// points to, so that the link survives the rename.
std::filesystem::path ResolveLinks(std::filesystem::path path, std::error_code& error) {
  constexpr int kMaxLinks = 40;
  for (int i = 0; i < kMaxLinks; ++i) {
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
      error.clear();  // a missing file is no error here
      return path;
    }
    const std::filesystem::path link = std::filesystem::read_symlink(path, error);
    if (error) {
      return path;
    }
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return path;
}

// The number of lines IniDocument::Parse makes of `bytes`.
std::size_t LineCount(std::string_view bytes) {
  const auto breaks = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
  return breaks + (!bytes.empty() && bytes.back() != '\n' ? 1 : 0);
}

// Makes the rename itself durable; a folder that cannot be synced (some file
// systems refuse) does not make the save fail, the data is already on disk.
void SyncFolder(const std::filesystem::path& folder) {
  FileDescriptor fd(
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) {
    ::fsync(fd.get());
  }
}

std::error_code WriteTemporary(const std::filesystem::path& temporary, std::string_view bytes,
                               const struct stat* old_file) {
  // A leftover of an interrupted save would make O_EXCL fail.
  ::unlink(temporary.c_str());
  FileDescriptor fd(
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
  if (!fd.valid()) {
    return LastError();
  }
  std::error_code error;
  if (old_file != nullptr && ::fchmod(fd.get(), old_file->st_mode & 07777) != 0) {
    error = LastError();
  }
  if (!error) {
    error = WriteAll(fd.get(), bytes);
  }
  if (!error && ::fsync(fd.get()) != 0) {
    error = LastError();
  }
  if (fd.Close() != 0 && !error) {
    error = LastError();
  }
  return error;
}

}  // namespace

IniLoadResult LoadIniFile(const std::filesystem::path& path) {
  IniLoadResult result;
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!fd.valid()) {
    result.status = (errno == ENOENT || errno == ENOTDIR) ? IniLoadStatus::kMissing
                                                          : IniLoadStatus::kUnreadable;
    return result;
  }
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    result.status = IniLoadStatus::kUnreadable;
    return result;
  }
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxIniFileBytes) {
    result.status = IniLoadStatus::kTooLarge;
    return result;
  }
  std::string bytes;
  if (ReadAtMost(fd.get(), kMaxIniFileBytes, bytes)) {
    result.status = IniLoadStatus::kUnreadable;
    return result;
  }
  if (bytes.size() > kMaxIniFileBytes || LineCount(bytes) > kMaxIniFileLines) {
    result.status = IniLoadStatus::kTooLarge;
    return result;
  }
  result.document = IniDocument::Parse(bytes);
  result.status = IniLoadStatus::kLoaded;
  return result;
}

std::error_code SaveIniFile(const IniDocument& document, const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path target = ResolveLinks(path, error);
  if (error) {
    return error;
  }
  struct stat old_file {};
  const bool exists = ::stat(target.c_str(), &old_file) == 0;
  if (exists && S_ISREG(old_file.st_mode) &&
      ((old_file.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
    return std::make_error_code(std::errc::permission_denied);
  }
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  error = WriteTemporary(temporary, document.Serialize(),
                         exists && S_ISREG(old_file.st_mode) ? &old_file : nullptr);
  if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) {
    error = LastError();
  }
  if (error) {
    ::unlink(temporary.c_str());
    return error;
  }
  SyncFolder(target.parent_path());
  return {};
}

}  // namespace fractions
