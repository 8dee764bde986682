#include "staged_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "file_errors.h"
#include "link_rule.h"

namespace fractions {

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

WriteFailure Failed(std::error_code error, WriteStep step) {
  return {error, step};
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

// Makes a rename durable; a folder that cannot be synced (some file systems
// refuse) does not make the write fail, the data itself is on the disk.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::exchange(other.temporary_, {})),
      in_place_fd_(std::exchange(other.in_place_fd_, -1)),
      in_place_bytes_(std::move(other.in_place_bytes_)) {}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
  if (this != &other) {
    Discard();
    target_ = std::move(other.target_);
    temporary_ = std::exchange(other.temporary_, {});
    in_place_fd_ = std::exchange(other.in_place_fd_, -1);
    in_place_bytes_ = std::move(other.in_place_bytes_);
  }
  return *this;
}

StagedFile::~StagedFile() {
  Discard();
}

void StagedFile::Discard() {
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
  if (in_place_fd_ >= 0) {
    ::close(in_place_fd_);
    in_place_fd_ = -1;
  }
  in_place_bytes_.clear();
}

std::optional<WriteFailure> StagedFile::Stage(const std::filesystem::path& path,
                                              std::string_view bytes) {
  Discard();
  std::error_code error;
  target_ = WriteTarget(path, error);
  if (error) {
    return Failed(error, WriteStep::kCreate);
  }
  mode_t mode = 0;
  bool keep_mode = false;
  if (auto failure = CheckTarget(mode, keep_mode)) {
    return failure;
  }
  return WriteTemporary(bytes, mode, keep_mode);
}

// An existing regular file gives its permission bits to the new one, unless
// it may not be replaced; a folder cannot be replaced by a file.
std::optional<WriteFailure> StagedFile::CheckTarget(mode_t& mode, bool& keep_mode) const {
  struct stat old_file {};
  if (::lstat(target_.c_str(), &old_file) != 0) {
    return std::nullopt;
  }
  if (S_ISDIR(old_file.st_mode)) {
    // The rename would refuse it: said now, before any file takes its name.
    return Failed(std::make_error_code(std::errc::is_a_directory), WriteStep::kCreate);
  }
  if (!S_ISREG(old_file.st_mode)) {
    return std::nullopt;
  }
  if ((old_file.st_mode & 0222) == 0) {
    return Failed(make_error_code(FileError::kReadOnlyFile), WriteStep::kCreate);
  }
  if (::access(target_.c_str(), W_OK) != 0) {
    return Failed(LastError(), WriteStep::kCreate);
  }
  // Permission bits only: a set-user-ID bit must not pass to a file that
  // now belongs to whoever runs the program.
  mode = old_file.st_mode & 0777;
  keep_mode = true;
  return std::nullopt;
}

std::optional<WriteFailure> StagedFile::WriteTemporary(std::string_view bytes, mode_t mode,
                                                       bool keep_mode) {
  std::filesystem::path temporary = target_;
  temporary += ".tmp";
  // A leftover of an interrupted write would make the exclusive creation
  // fail; removing a name never touches what a link there points to.
  ::unlink(temporary.c_str());
  const int fd = ::open(temporary.c_str(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) {
    const std::error_code error = LastError();
    if (keep_mode &&
        (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)) {
      return StageInPlace(bytes);  // the folder takes no new file, its file may change
    }
    return Failed(error, WriteStep::kCreate);
  }
  temporary_ = temporary;
  std::optional<WriteFailure> failure;
  if (keep_mode && ::fchmod(fd, mode) != 0) {
    failure = Failed(LastError(), WriteStep::kCreate);
  }
  if (!failure) {
    if (const std::error_code error = WriteAll(fd, bytes)) {
      failure = Failed(error, WriteStep::kWrite);
    }
  }
  if (!failure && ::fsync(fd) != 0) {
    failure = Failed(LastError(), WriteStep::kWrite);
  }
  if (::close(fd) != 0 && !failure) {
    failure = Failed(LastError(), WriteStep::kWrite);
  }
  if (failure) {
    Discard();
  }
  return failure;
}

// Opens the existing target (CheckTarget found it a regular file the user
// may write) and reserves the blocks of its new content beyond what it
// holds, without changing its size: a disk too full fails here.
std::optional<WriteFailure> StagedFile::StageInPlace(std::string_view bytes) {
  const int fd = ::open(target_.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return Failed(LastError(), WriteStep::kCreate);
  }
  struct stat old_file {};
  if (::fstat(fd, &old_file) != 0 || !S_ISREG(old_file.st_mode)) {
    ::close(fd);
    return Failed(std::make_error_code(std::errc::permission_denied), WriteStep::kCreate);
  }
  const auto size = static_cast<off_t>(bytes.size());
  if (struct rlimit limit{}; ::getrlimit(RLIMIT_FSIZE, &limit) == 0 &&
                             limit.rlim_cur != RLIM_INFINITY &&
                             static_cast<rlim_t>(size) > limit.rlim_cur) {
    ::close(fd);  // a size limit would stop the write half-way
    return Failed(std::make_error_code(std::errc::file_too_large), WriteStep::kWrite);
  }
  if (size > old_file.st_size) {
    int error = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) == 0 ? 0 : errno;
    if (error == EOPNOTSUPP || error == ENOSYS) {
      // Without the file system's help the room is reserved by growing the
      // file; the old content itself stays as it was.
      error = ::posix_fallocate(fd, 0, size);
    }
    if (error != 0) {
      ::close(fd);
      return Failed({error, std::generic_category()}, WriteStep::kWrite);
    }
  }
  in_place_fd_ = fd;
  in_place_bytes_.assign(bytes);
  return std::nullopt;
}

std::optional<WriteFailure> StagedFile::CommitInPlace() {
  const int fd = std::exchange(in_place_fd_, -1);
  const std::string bytes = std::exchange(in_place_bytes_, {});
  std::optional<WriteFailure> failure;
  if (::lseek(fd, 0, SEEK_SET) != 0) {
    failure = Failed(LastError(), WriteStep::kWrite);
  } else if (const std::error_code error = WriteAll(fd, bytes)) {
    failure = Failed(error, WriteStep::kWrite);
  } else if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd) != 0) {
    failure = Failed(LastError(), WriteStep::kWrite);
  }
  if (::close(fd) != 0 && !failure) {
    failure = Failed(LastError(), WriteStep::kWrite);
  }
  return failure;
}

std::optional<WriteFailure> StagedFile::Commit() {
  if (in_place_fd_ >= 0) {
    return CommitInPlace();
  }
  if (temporary_.empty()) {
    return Failed(std::make_error_code(std::errc::invalid_argument), WriteStep::kCreate);
  }
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    const std::error_code error = LastError();
    Discard();
    return Failed(error, WriteStep::kCreate);
  }
  temporary_.clear();
  SyncFolder(target_.parent_path());
  return std::nullopt;
}

std::optional<WriteFailure> WriteWholeFile(const std::filesystem::path& path,
                                           std::string_view bytes) {
  StagedFile file;
  if (auto failure = file.Stage(path, bytes)) {
    return failure;
  }
  return file.Commit();
}

}  // namespace fractions
