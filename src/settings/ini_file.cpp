#include "ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>

#include "files/file_set.h"

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
  if (bytes.size() > kMaxIniFileBytes || IniDocument::LineCount(bytes) > kMaxIniFileLines) {
    result.status = IniLoadStatus::kTooLarge;
    return result;
  }
  result.document = IniDocument::Parse(bytes);
  result.status = IniLoadStatus::kLoaded;
  return result;
}

std::error_code SaveIniFile(const IniDocument& document, const std::filesystem::path& path) {
  if (const auto failure = WriteWholeFile(path, document.Serialize())) {
    return failure->error;
  }
  return {};
}

}  // namespace fractions
