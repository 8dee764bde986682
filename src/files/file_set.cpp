#include "file_set.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "folder_lock.h"

namespace fractions {

namespace {

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  const std::filesystem::path folder = path.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

// Makes the renames durable; a folder that cannot be synced (some file
// systems refuse) does not make the write fail, the data itself is on the
// disk.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// Renamed files first, in the set's order: they can still be undone while
// the files written in place (which cannot) wait.
std::vector<std::size_t> CommitOrder(const std::vector<StagedFile>& staged) {
  std::vector<std::size_t> order;
  for (const bool in_place : {false, true}) {
    for (std::size_t i = 0; i < staged.size(); ++i) {
      if (staged[i].InPlace() == in_place) {
        order.push_back(i);
      }
    }
  }
  return order;
}

}  // namespace

std::optional<FileSetFailure> WriteFileSet(const std::vector<FileContent>& files, FileSystem& fs) {
  std::vector<StagedFile> staged;
  staged.reserve(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    staged.emplace_back(fs);
    if (auto failure = staged[i].Stage(files[i].path, files[i].bytes)) {
      return FileSetFailure{i, *failure};
    }
  }
  std::vector<std::filesystem::path> folders;
  for (const StagedFile& file : staged) {
    folders.push_back(FolderOf(file.Target()));
  }
  FolderLocks locks(fs);
  if (const std::error_code error = locks.Lock(folders)) {
    return FileSetFailure{0, {error, WriteStep::kCreate}};
  }
  for (std::size_t i = 0; i < staged.size(); ++i) {
    if (auto failure = staged[i].CheckBeforeCommit()) {
      return FileSetFailure{i, *failure};
    }
  }
  std::vector<std::size_t> replaced;
  for (const std::size_t i : CommitOrder(staged)) {
    if (auto failure = staged[i].Replace()) {
      for (auto done = replaced.rbegin(); done != replaced.rend(); ++done) {
        staged[*done].Undo();
      }
      return FileSetFailure{i, *failure};
    }
    replaced.push_back(i);
  }
  for (StagedFile& file : staged) {
    file.Finish();
  }
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  for (const std::filesystem::path& folder : folders) {
    SyncFolder(folder);
  }
  return std::nullopt;
}

std::optional<WriteFailure> WriteWholeFile(const std::filesystem::path& path,
                                           std::string_view bytes, FileSystem& fs) {
  if (auto failure = WriteFileSet({{path, bytes}}, fs)) {
    return failure->failure;
  }
  return std::nullopt;
}

}  // namespace fractions
