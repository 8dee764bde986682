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
// kind fails with an errno (a close after closing, as a lost write shows),
// staging names come from a list, hooks run at chosen moments.
class FaultyFileSystem : public PosixFileSystem {
 public:
  enum class Call { kWrite, kFsync, kClose, kRename };
  void Fail(Call call, int nth, int error) { faults_[call] = {nth, error}; }

  bool no_exchange = false;       // names cannot be swapped (FAT, some network disks)
  bool no_new_files = false;      // the folder takes no new file
  bool half_writes = false;       // each write takes half of what it is given
  std::deque<std::string> names;  // the next staging names' letters
  std::function<void()> on_first_lock;
  std::function<void()> after_first_rename;

  int Open(const char* path, int flags, mode_t mode) override {
    return no_new_files && (flags & O_CREAT) ? Refuse(EACCES)
                                             : PosixFileSystem::Open(path, flags, mode);
  }
  ssize_t Write(int fd, const void* data, std::size_t size) override {
    return Failing(Call::kWrite)
               ? -1
               : PosixFileSystem::Write(fd, data, half_writes ? (size + 1) / 2 : size);
  }
  int Fsync(int fd) override { return Failing(Call::kFsync) ? -1 : PosixFileSystem::Fsync(fd); }
  int Close(int fd) override {
    const int result = PosixFileSystem::Close(fd);
    return Failing(Call::kClose) ? -1 : result;
  }
  int Rename(const char* from, const char* to, unsigned flags) override {
    if (no_exchange && flags != 0) {
      return Refuse(EINVAL);
    }
    const int result = Failing(Call::kRename) ? -1 : PosixFileSystem::Rename(from, to, flags);
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
    std::string next = std::move(names.front());
    names.pop_front();
    return next;
  }

 private:
  static int Refuse(int error) {
    errno = error;
    return -1;
  }
  bool Failing(Call call) {
    const auto fault = faults_.find(call);
    if (fault == faults_.end() || --fault->second.first != 0) {
      return false;
    }
    errno = fault->second.second;
    return true;
  }

  std::map<Call, std::pair<int, int>> faults_;  // countdown to the failing call, errno
};

}  // namespace fractions::testing
