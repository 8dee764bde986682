#pragma once

#include <fcntl.h>

#include <cerrno>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "files/file_system.h"

namespace fractions::testing {

// The system's calls, except those a test makes fail: the n-th call of a
// kind fails with an errno (after doing its work, for a close that reports
// a lost write), staging names come from a list, and hooks run at chosen
// moments of a commit.
class FaultyFileSystem : public PosixFileSystem {
 public:
  enum class Call { kWrite, kFsync, kClose, kRename };

  // The `nth` call of `call` (from 1) fails with `error`.
  void Fail(Call call, int nth, int error) { faults_[call] = {nth, error}; }
  // A file system that cannot swap two names (FAT, some network ones).
  bool no_exchange = false;
  // A folder that takes no new file: creating one is refused.
  bool no_new_files = false;
  // Writes stop half-way: every write takes half of what it is given.
  bool half_writes = false;
  std::deque<std::string> names;        // the next staging names' letters
  std::function<void()> on_first_lock;  // once the files are staged
  std::function<void()> after_first_rename;

  int Open(const char* path, int flags, mode_t mode) override {
    if (no_new_files && (flags & O_CREAT) != 0) {
      errno = EACCES;
      return -1;
    }
    return PosixFileSystem::Open(path, flags, mode);
  }
  ssize_t Write(int fd, const void* data, std::size_t size) override {
    if (Failing(Call::kWrite)) {
      return -1;
    }
    return PosixFileSystem::Write(fd, data, half_writes && size > 1 ? size / 2 : size);
  }
  int Fsync(int fd) override { return Failing(Call::kFsync) ? -1 : PosixFileSystem::Fsync(fd); }
  int Close(int fd) override {
    const int result = PosixFileSystem::Close(fd);
    return Failing(Call::kClose) ? -1 : result;
  }
  int Rename(const char* from, const char* to, unsigned flags) override {
    if (no_exchange && flags != 0) {
      errno = EINVAL;
      return -1;
    }
    if (Failing(Call::kRename)) {
      return -1;
    }
    const int result = PosixFileSystem::Rename(from, to, flags);
    if (result == 0 && after_first_rename) {
      std::exchange(after_first_rename, nullptr)();
    }
    return result;
  }
  int Flock(int fd, int operation) override {
    if (on_first_lock) {
      std::exchange(on_first_lock, nullptr)();
    }
    return PosixFileSystem::Flock(fd, operation);
  }
  std::string RandomLetters() override {
    if (names.empty()) {
      return PosixFileSystem::RandomLetters();
    }
    std::string next = names.front();
    names.pop_front();
    return next;
  }

 private:
  struct Fault {
    int nth = 0;
    int error = 0;
  };

  bool Failing(Call call) {
    const auto fault = faults_.find(call);
    if (fault == faults_.end() || --fault->second.nth != 0) {
      return false;
    }
    errno = fault->second.error;
    return true;
  }

  std::map<Call, Fault> faults_;
};

}  // namespace fractions::testing
