#pragma once

#include <sys/types.h>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace fractions {

// Where a write failed: before a byte of the new content was written (the
// file could not be created or may not be replaced), or while writing it.
enum class WriteStep { kCreate, kWrite };

struct WriteFailure {
  std::error_code error;
  WriteStep step = WriteStep::kCreate;
};

// A new content for a file, written in full beside it before it takes the
// file's name, so that the file is at every moment either its old self or
// the whole new content. Staging writes "<target>.tmp" in the target's
// folder (created exclusively, never through a link), checks every write,
// syncs it to the disk and checks its closing, where a full disk shows on
// some file systems. Committing renames it over the target. Until then the
// old file is untouched, and a staged file that is never committed removes
// its temporary file. Several files can be staged first and committed
// together once all of them are whole.
//
// The target follows WriteTarget's rule for links. An existing file keeps
// its permission bits; one with no write permission at all, or that the
// user may not write, is refused.
//
// A folder may let its files be written but take no new one (a shared
// folder where the teacher owns the file, not the folder). There an
// existing file is written in place instead: staging opens it (never
// through a link) and reserves the room its new content needs, so that a
// full disk fails before a byte of the old content changes; committing
// writes it.
class StagedFile {
 public:
  StagedFile() = default;
  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&& other) noexcept;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  ~StagedFile();

  // Writes `bytes` as the coming content of `path`. Nothing on failure.
  std::optional<WriteFailure> Stage(const std::filesystem::path& path, std::string_view bytes);

  // Gives the staged content the target's name. Once only.
  std::optional<WriteFailure> Commit();

 private:
  std::optional<WriteFailure> CheckTarget(mode_t& mode, bool& keep_mode) const;
  std::optional<WriteFailure> WriteTemporary(std::string_view bytes, mode_t mode, bool keep_mode);
  std::optional<WriteFailure> StageInPlace(std::string_view bytes);
  std::optional<WriteFailure> CommitInPlace();
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;  // empty when nothing is staged there
  int in_place_fd_ = -1;             // the target, open, when it is written in place
  std::string in_place_bytes_;
};

// Stages and commits one file.
std::optional<WriteFailure> WriteWholeFile(const std::filesystem::path& path,
                                           std::string_view bytes);

}  // namespace fractions
