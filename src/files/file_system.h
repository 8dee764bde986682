#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace fractions {

// The system calls the file writer makes to put new content on the disk,
// behind one interface so that tests can make any of them fail (a disk
// that fails fsync, a close that reports a lost write, a rename refused
// half-way through a set) or choose the staging names. Each call behaves as
// the system call of its name: -1 with errno set on failure.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual int Open(const char* path, int flags, mode_t mode) = 0;
  virtual ssize_t Write(int fd, const void* data, std::size_t size) = 0;
  virtual int Fsync(int fd) = 0;
  virtual int Close(int fd) = 0;
  virtual int Fchmod(int fd, mode_t mode) = 0;
  virtual int Ftruncate(int fd, off_t length) = 0;
  // renameat2(2) in the current folder: `flags` 0, RENAME_NOREPLACE or
  // RENAME_EXCHANGE.
  virtual int Rename(const char* from, const char* to, unsigned flags) = 0;
  virtual int Unlink(const char* path) = 0;
  virtual int Flock(int fd, int operation) = 0;

  // Six letters or digits drawn at random, for a staging file's name.
  virtual std::string RandomLetters() = 0;
};

// The system's own calls.
class PosixFileSystem : public FileSystem {
 public:
  int Open(const char* path, int flags, mode_t mode) override;
  ssize_t Write(int fd, const void* data, std::size_t size) override;
  int Fsync(int fd) override;
  int Close(int fd) override;
  int Fchmod(int fd, mode_t mode) override;
  int Ftruncate(int fd, off_t length) override;
  int Rename(const char* from, const char* to, unsigned flags) override;
  int Unlink(const char* path) override;
  int Flock(int fd, int operation) override;
  std::string RandomLetters() override;
};

// The one the program uses.
FileSystem& SystemFileSystem();

}  // namespace fractions
