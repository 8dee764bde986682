#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "file_system.h"

namespace fractions {

// Where a write failed: before a byte of the new content was written (the
// file could not be created or may not be replaced), or while writing it.
enum class WriteStep { kCreate, kWrite };

struct WriteFailure {
  std::error_code error;
  WriteStep step = WriteStep::kCreate;
};

// A new content for one file, written in full beside it before it takes the
// file's name, so that the file is at every moment either its old self or
// the whole new content. Files are written as sets (file_set.h), which
// drives the steps below; a StagedFile abandoned before its commit removes
// what it wrote.
//
// Staging writes the content under a name of its own in the target's folder
// ("<name>.XXXXXX.tmp", the name cut to 64 bytes so that a target name of
// 255 bytes still works), created exclusively and never through a link, so
// that two programs saving the same name at once never touch each other's
// staging files. Every write is checked, the file is synced to the disk and
// its closing checked (where some file systems report a full disk).
//
// The target follows WriteTarget's rule for links. It must be a regular file
// the user may replace, or not exist: a folder, a pipe, a device, a file
// with no write permission at all or one the user may not write (or, in a
// sticky folder, may not remove) is refused. An existing file keeps its
// permission bits.
//
// A folder may let its files be written but take no new one (a shared
// folder where the teacher owns the file, not the folder). There an
// existing file is written in place instead: staging opens it (never
// through a link) and reserves the room its new content needs, so that a
// full disk fails before a byte of the old content changes; replacing
// empties it, then writes it, so that an interruption leaves at worst the
// start of the new content, never new bytes followed by old ones.
class StagedFile {
 public:
  explicit StagedFile(FileSystem& fs = SystemFileSystem()) : fs_(&fs) {}
  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&& other) noexcept;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  ~StagedFile();

  // Writes `bytes` as the coming content of `path`. Nothing on failure.
  std::optional<WriteFailure> Stage(const std::filesystem::path& path, std::string_view bytes);

  // The file the content is for, links followed.
  const std::filesystem::path& Target() const { return target_; }
  bool InPlace() const { return in_place_fd_ >= 0; }

  // Checks again that the target may be replaced, just before the set is
  // committed (under the folder's lock): what stands at its name may have
  // changed since it was staged.
  std::optional<WriteFailure> CheckBeforeCommit();

  // Gives the staged content the target's name. A replaced file's old
  // content then waits under the staging name until Finish drops it or Undo
  // puts it back (where the file system cannot swap two names, the old
  // content is gone at once and Undo cannot restore it).
  std::optional<WriteFailure> Replace();
  // Puts the old content back after Replace; best effort, for a set that
  // failed further on.
  void Undo();
  // Drops the old content after a whole set was replaced.
  void Finish();

 private:
  std::optional<WriteFailure> WriteTemporary(std::string_view bytes);
  std::optional<WriteFailure> CreateTemporary(int& fd);
  std::optional<WriteFailure> StageInPlace(std::string_view bytes);
  std::optional<WriteFailure> ReplaceInPlace();
  std::optional<WriteFailure> ReplaceByRename();
  void Discard();

  enum class Outcome { kNone, kCreated, kSwapped, kOverwritten };

  FileSystem* fs_;
  std::filesystem::path target_;
  std::filesystem::path temporary_;  // empty when no file of ours is there
  bool target_exists_ = false;       // as last checked
  mode_t target_mode_ = 0;           // its permission bits
  dev_t target_device_ = 0;
  ino_t target_inode_ = 0;
  int in_place_fd_ = -1;  // the target, open, when it is written in place
  std::string in_place_bytes_;
  Outcome outcome_ = Outcome::kNone;
};

}  // namespace fractions
