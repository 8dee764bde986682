#include "staged_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "file_errors.h"
#include "link_rule.h"

namespace fractions {

namespace {

// A staging name keeps at most this much of the target's name: with the
// random part and ".tmp" it stays far below the 255 bytes a name may have.
constexpr std::size_t kStagingPrefixBytes = 64;
// Random names tried before giving up; a clash is already unlikely.
constexpr int kStagingAttempts = 100;

std::error_code LastError() {
  return {errno, std::generic_category()};
}

WriteFailure Failed(std::error_code error, WriteStep step) {
  return {error, step};
}

WriteFailure Refused(std::error_code error) {
  return {error, WriteStep::kCreate};
}

std::error_code WriteAll(FileSystem& fs, int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = fs.Write(fd, bytes.data(), bytes.size());
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

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  const std::filesystem::path folder = path.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

// The start of the target's name, cut between two UTF-8 characters.
std::string StagingPrefix(const std::string& name) {
  if (name.size() <= kStagingPrefixBytes) {
    return name;
  }
  std::size_t cut = kStagingPrefixBytes;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
    --cut;
  }
  return name.substr(0, cut);
}

// A sticky folder (/tmp, a shared class folder) lets only the file's
// owner or the folder's replace a file in it: the rename would fail.
std::optional<WriteFailure> CheckStickyFolder(const std::filesystem::path& target,
                                              const struct stat& file) {
  const uid_t me = ::geteuid();
  if (me == 0 || file.st_uid == me) {
    return std::nullopt;
  }
  struct stat folder {};
  if (::stat(FolderOf(target).c_str(), &folder) == 0 && (folder.st_mode & S_ISVTX) != 0 &&
      folder.st_uid != me) {
    return Refused(std::make_error_code(std::errc::operation_not_permitted));
  }
  return std::nullopt;
}

struct TargetState {
  bool exists = false;
  mode_t mode = 0;
  dev_t device = 0;
  ino_t inode = 0;
};

// What stands at the target's name, and whether it may be replaced.
std::optional<WriteFailure> InspectTarget(const std::filesystem::path& target, TargetState& state) {
  state = {};
  struct stat file {};
  if (::lstat(target.c_str(), &file) != 0) {
    // Nothing there yet is fine; a name too long or a path that cannot be
    // followed is said now, not when the file takes its name.
    return errno == ENOENT ? std::nullopt : std::optional(Refused(LastError()));
  }
  if (S_ISLNK(file.st_mode)) {
    // The name was a link's target, or no link at all, when it was looked
    // up: someone put a link there since.
    return Refused(make_error_code(FileError::kChangedMeanwhile));
  }
  if (S_ISDIR(file.st_mode)) {
    return Refused(std::make_error_code(std::errc::is_a_directory));
  }
  if (!S_ISREG(file.st_mode)) {
    return Refused(make_error_code(FileError::kNotRegularFile));
  }
  if ((file.st_mode & 0222) == 0) {
    return Refused(make_error_code(FileError::kReadOnlyFile));
  }
  if (::access(target.c_str(), W_OK) != 0) {
    return Refused(LastError());
  }
  if (auto failure = CheckStickyFolder(target, file)) {
    return failure;
  }
  // Permission bits only: a set-user-ID bit must not pass to a file that
  // now belongs to whoever runs the program.
  state = {true, file.st_mode & 0777, file.st_dev, file.st_ino};
  return std::nullopt;
}

// Where the file system cannot swap two names or refuse to replace one.
bool Unsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Reserves the blocks of `size` bytes without changing the file's size.
int Reserve(int fd, off_t size) {
  int error = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) == 0 ? 0 : errno;
  if (error == EOPNOTSUPP || error == ENOSYS) {
    // Without the file system's help the room is reserved by growing the
    // file with zeros.
    error = ::posix_fallocate(fd, 0, size);
  }
  return error;
}

}  // namespace

StagedFile::StagedFile(StagedFile&& other) noexcept
    : fs_(other.fs_),
      target_(std::move(other.target_)),
      temporary_(std::exchange(other.temporary_, {})),
      target_exists_(other.target_exists_),
      target_mode_(other.target_mode_),
      target_device_(other.target_device_),
      target_inode_(other.target_inode_),
      in_place_fd_(std::exchange(other.in_place_fd_, -1)),
      in_place_bytes_(std::move(other.in_place_bytes_)),
      outcome_(std::exchange(other.outcome_, Outcome::kNone)) {}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
  if (this != &other) {
    Discard();
    fs_ = other.fs_;
    target_ = std::move(other.target_);
    temporary_ = std::exchange(other.temporary_, {});
    target_exists_ = other.target_exists_;
    target_mode_ = other.target_mode_;
    target_device_ = other.target_device_;
    target_inode_ = other.target_inode_;
    in_place_fd_ = std::exchange(other.in_place_fd_, -1);
    in_place_bytes_ = std::move(other.in_place_bytes_);
    outcome_ = std::exchange(other.outcome_, Outcome::kNone);
  }
  return *this;
}

StagedFile::~StagedFile() {
  Discard();
}

// Removes only what this object made: its staging file (or, after a swap,
// the old content that went there). Never a name it did not create.
void StagedFile::Discard() {
  if (!temporary_.empty()) {
    fs_->Unlink(temporary_.c_str());
    temporary_.clear();
  }
  if (in_place_fd_ >= 0) {
    fs_->Close(in_place_fd_);
    in_place_fd_ = -1;
  }
  in_place_bytes_.clear();
}

std::optional<WriteFailure> StagedFile::Stage(const std::filesystem::path& path,
                                              std::string_view bytes) {
  Discard();
  outcome_ = Outcome::kNone;
  std::error_code error;
  target_ = WriteTarget(path, error);
  if (error) {
    return Refused(error);
  }
  TargetState state;
  if (auto failure = InspectTarget(target_, state)) {
    return failure;
  }
  target_exists_ = state.exists;
  target_mode_ = state.mode;
  target_device_ = state.device;
  target_inode_ = state.inode;
  return WriteTemporary(bytes);
}

std::optional<WriteFailure> StagedFile::CreateTemporary(int& fd) {
  const std::string prefix = StagingPrefix(target_.filename().native());
  for (int attempt = 0; attempt < kStagingAttempts; ++attempt) {
    const std::filesystem::path name =
        FolderOf(target_) / (prefix + "." + fs_->RandomLetters() + ".tmp");
    // Exclusive and never through a link: whatever already has the name,
    // another run's staging file or a link someone planted, is left alone.
    fd = fs_->Open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY,
                   0666);
    if (fd >= 0) {
      temporary_ = name;
      return std::nullopt;
    }
    if (errno != EEXIST) {
      return Refused(LastError());
    }
  }
  return Refused(std::make_error_code(std::errc::file_exists));
}

std::optional<WriteFailure> StagedFile::WriteTemporary(std::string_view bytes) {
  int fd = -1;
  if (auto failure = CreateTemporary(fd)) {
    const std::error_code error = failure->error;
    if (target_exists_ &&
        (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)) {
      return StageInPlace(bytes);  // the folder takes no new file, its file may change
    }
    return failure;
  }
  std::optional<WriteFailure> failure;
  if (target_exists_ && fs_->Fchmod(fd, target_mode_) != 0) {
    failure = Failed(LastError(), WriteStep::kCreate);
  }
  if (!failure) {
    if (const std::error_code error = WriteAll(*fs_, fd, bytes)) {
      failure = Failed(error, WriteStep::kWrite);
    }
  }
  if (!failure && fs_->Fsync(fd) != 0) {
    failure = Failed(LastError(), WriteStep::kWrite);
  }
  if (fs_->Close(fd) != 0 && !failure) {
    failure = Failed(LastError(), WriteStep::kWrite);
  }
  if (failure) {
    Discard();
  }
  return failure;
}

// Opens the existing target (InspectTarget found it a regular file the user
// may write) and reserves the blocks of its new content beyond what it
// holds, without changing its size: a disk too full fails here.
std::optional<WriteFailure> StagedFile::StageInPlace(std::string_view bytes) {
  const int fd = fs_->Open(target_.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0);
  if (fd < 0) {
    return Refused(LastError());
  }
  struct stat old_file {};
  if (::fstat(fd, &old_file) != 0 || !S_ISREG(old_file.st_mode)) {
    fs_->Close(fd);
    return Refused(make_error_code(FileError::kChangedMeanwhile));
  }
  const auto size = static_cast<off_t>(bytes.size());
  if (struct rlimit limit{}; ::getrlimit(RLIMIT_FSIZE, &limit) == 0 &&
                             limit.rlim_cur != RLIM_INFINITY &&
                             static_cast<rlim_t>(size) > limit.rlim_cur) {
    fs_->Close(fd);  // a size limit would stop the write half-way
    return Failed(std::make_error_code(std::errc::file_too_large), WriteStep::kWrite);
  }
  if (size > old_file.st_size) {
    if (const int error = Reserve(fd, size)) {
      fs_->Close(fd);
      return Failed({error, std::generic_category()}, WriteStep::kWrite);
    }
  }
  target_device_ = old_file.st_dev;
  target_inode_ = old_file.st_ino;
  in_place_fd_ = fd;
  in_place_bytes_.assign(bytes);
  return std::nullopt;
}

std::optional<WriteFailure> StagedFile::CheckBeforeCommit() {
  TargetState state;
  if (auto failure = InspectTarget(target_, state)) {
    return failure;
  }
  if (InPlace() &&
      (!state.exists || state.device != target_device_ || state.inode != target_inode_)) {
    // The file open for writing is no longer the one at the name.
    return Refused(make_error_code(FileError::kChangedMeanwhile));
  }
  target_exists_ = state.exists;
  return std::nullopt;
}

std::optional<WriteFailure> StagedFile::Replace() {
  if (InPlace()) {
    return ReplaceInPlace();
  }
  if (temporary_.empty()) {
    return Refused(std::make_error_code(std::errc::invalid_argument));
  }
  return ReplaceByRename();
}

// Swaps the new content with the old one where the file system can, so that
// the old one can still come back; renames over it otherwise.
std::optional<WriteFailure> StagedFile::ReplaceByRename() {
  const char* from = temporary_.c_str();
  const char* to = target_.c_str();
  if (target_exists_) {
    if (fs_->Rename(from, to, RENAME_EXCHANGE) == 0) {
      outcome_ = Outcome::kSwapped;
      return std::nullopt;
    }
  } else if (fs_->Rename(from, to, RENAME_NOREPLACE) == 0) {
    temporary_.clear();
    outcome_ = Outcome::kCreated;
    return std::nullopt;
  } else if (errno == EEXIST) {
    return Refused(make_error_code(FileError::kChangedMeanwhile));
  }
  if (!Unsupported(errno) || fs_->Rename(from, to, 0) != 0) {
    return Refused(LastError());
  }
  temporary_.clear();
  outcome_ = target_exists_ ? Outcome::kOverwritten : Outcome::kCreated;
  return std::nullopt;
}

// Empties the file before writing it: an interruption half-way leaves the
// start of the new content, never new bytes followed by the old file's end.
std::optional<WriteFailure> StagedFile::ReplaceInPlace() {
  const int fd = std::exchange(in_place_fd_, -1);
  const std::string bytes = std::exchange(in_place_bytes_, {});
  std::optional<WriteFailure> failure;
  if (fs_->Ftruncate(fd, 0) != 0) {
    failure = Failed(LastError(), WriteStep::kWrite);
  } else {
    // Emptying gave the room back; take it again at once.
    Reserve(fd, static_cast<off_t>(bytes.size()));
    if (const std::error_code error = WriteAll(*fs_, fd, bytes)) {
      failure = Failed(error, WriteStep::kWrite);
    } else if (fs_->Fsync(fd) != 0) {
      failure = Failed(LastError(), WriteStep::kWrite);
    }
  }
  if (fs_->Close(fd) != 0 && !failure) {
    failure = Failed(LastError(), WriteStep::kWrite);
  }
  outcome_ = Outcome::kOverwritten;
  return failure;
}

void StagedFile::Undo() {
  switch (outcome_) {
    case Outcome::kSwapped:
      // The new content goes back to the staging name, which Discard removes.
      if (fs_->Rename(temporary_.c_str(), target_.c_str(), RENAME_EXCHANGE) == 0) {
        outcome_ = Outcome::kNone;
      } else {
        temporary_.clear();  // the old content stays under the staging name, not removed
      }
      break;
    case Outcome::kCreated:
      if (fs_->Unlink(target_.c_str()) == 0) {
        outcome_ = Outcome::kNone;
      }
      break;
    case Outcome::kNone:
    case Outcome::kOverwritten:
      break;
  }
}

void StagedFile::Finish() {
  Discard();  // after a swap, the old content
  outcome_ = Outcome::kNone;
}

}  // namespace fractions
