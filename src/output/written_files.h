#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <system_error>

namespace fractions {

// Files this process wrote under names it shares with the user: the
// preview's files in the working folder, which is often the home folder.
// Each is known by its device and inode, so that whatever else stands at
// such a name (a teacher's own TWFile.txt, a file put in the place of ours,
// a link) is neither replaced nor deleted, and no link is ever followed.
class WrittenFiles {
 public:
  // Whether nothing stands at `path`, or the file this process wrote there.
  bool IsFreeOrOurs(const std::filesystem::path& path) const;

  // Makes `path` a new, empty file open for writing, and remembers it. A
  // file this process wrote there is replaced; anything else at the name
  // makes it fail with `error` "file exists". Returns the descriptor, or -1
  // with `error` set.
  int Create(const std::filesystem::path& path, std::error_code& error);

  // Deletes `path` if it is still the file this process wrote there.
  void Remove(const std::filesystem::path& path);

  // Deletes every file still as this process wrote it.
  void RemoveAll();

 private:
  struct Identity {
    dev_t device;
    ino_t inode;
  };
  bool IsOurs(const std::filesystem::path& path) const;

  std::map<std::filesystem::path, Identity> written_;
};

}  // namespace fractions
