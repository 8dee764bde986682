#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>

namespace fractions {

// Files this process wrote under names it shares with the user: the
// preview's files in the working folder, which is often the home folder.
// A file there is this process's only while it is the very file it wrote
// (same device and inode, not a link) and still holds the bytes it wrote:
// inode numbers are reused, so a teacher's file saved where ours was
// deleted may carry our old number. Whatever else stands at such a name is
// neither replaced nor deleted, and no link is ever followed.
class WrittenFiles {
 public:
  // Whether nothing stands at `path`, or the file this process wrote there.
  bool IsFreeOrOurs(const std::filesystem::path& path) const;

  // Writes `bytes` as a new file at `path` and remembers it. A file this
  // process wrote there is replaced; anything else at the name makes it
  // fail with `error` "file exists".
  bool Write(const std::filesystem::path& path, std::string_view bytes, std::error_code& error);

  // Deletes `path` if it is still the file this process wrote there.
  void Remove(const std::filesystem::path& path);

  // Deletes every file still as this process wrote it.
  void RemoveAll();

 private:
  struct Identity {
    dev_t device;
    ino_t inode;
    std::size_t size;
    std::size_t content_hash;
  };
  bool IsOurs(const std::filesystem::path& path) const;

  std::map<std::filesystem::path, Identity> written_;
};

}  // namespace fractions
