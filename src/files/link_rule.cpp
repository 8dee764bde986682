#include "link_rule.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "file_errors.h"

namespace fractions {

namespace {

// The kernel's own limit on a chain of links.
constexpr int kMaxLinks = 40;

std::error_code LastError() {
  return {errno, std::generic_category()};
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  const std::filesystem::path folder = path.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

// May a write follow the link `link`, whose own status is `link_status`?
std::error_code CheckLinkOwner(const std::filesystem::path& link, const struct stat& link_status) {
  if (link_status.st_uid == ::geteuid()) {
    return {};
  }
  struct stat folder {};
  if (::stat(FolderOf(link).c_str(), &folder) != 0) {
    return LastError();
  }
  if (folder.st_uid == link_status.st_uid) {
    return {};
  }
  return make_error_code(FileError::kForeignLink);
}

std::filesystem::path ReadLink(const std::filesystem::path& link, std::error_code& error) {
  std::string target(PATH_MAX, '\0');
  const ssize_t size = ::readlink(link.c_str(), target.data(), target.size());
  if (size < 0) {
    error = LastError();
    return {};
  }
  if (static_cast<std::size_t>(size) >= target.size()) {
    error = std::make_error_code(std::errc::filename_too_long);
    return {};
  }
  target.resize(static_cast<std::size_t>(size));
  return target;
}

}  // namespace

std::filesystem::path WriteTarget(const std::filesystem::path& path, std::error_code& error) {
  error.clear();
  std::filesystem::path current = path;
  for (int links = 0; links <= kMaxLinks; ++links) {
    struct stat status {};
    if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
      // Not a link, or nothing there yet (the write creates it), or a
      // folder that cannot be read: the write itself says what is wrong.
      return current;
    }
    if ((error = CheckLinkOwner(current, status))) {
      return current;
    }
    const std::filesystem::path target = ReadLink(current, error);
    if (error) {
      return current;
    }
    current = target.is_absolute() ? target : FolderOf(current) / target;
  }
  error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return current;
}

int CreateFreshFile(const std::filesystem::path& path, std::error_code& error) {
  error.clear();
  // Missing is fine; any other failure shows in the exclusive creation.
  ::unlink(path.c_str());
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) {
    error = LastError();
  }
  return fd;
}

}  // namespace fractions
