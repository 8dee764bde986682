#include "file_system.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <random>
#include <string_view>

namespace fractions {

int PosixFileSystem::Open(const char* path, int flags, mode_t mode) {
  return ::open(path, flags, mode);
}

ssize_t PosixFileSystem::Write(int fd, const void* data, std::size_t size) {
  return ::write(fd, data, size);
}

int PosixFileSystem::Fsync(int fd) {
  return ::fsync(fd);
}

int PosixFileSystem::Close(int fd) {
  return ::close(fd);
}

int PosixFileSystem::Fchmod(int fd, mode_t mode) {
  return ::fchmod(fd, mode);
}

int PosixFileSystem::Ftruncate(int fd, off_t length) {
  return ::ftruncate(fd, length);
}

int PosixFileSystem::Rename(const char* from, const char* to, unsigned flags) {
  return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags);
}

int PosixFileSystem::Unlink(const char* path) {
  return ::unlink(path);
}

int PosixFileSystem::Flock(int fd, int operation) {
  return ::flock(fd, operation);
}

std::string PosixFileSystem::RandomLetters() {
  constexpr std::string_view kLetters =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::array<unsigned char, 6> noise{};
  if (::getrandom(noise.data(), noise.size(), 0) != static_cast<ssize_t>(noise.size())) {
    // No entropy yet (very early boot): a clash only costs another try.
    std::random_device device;
    for (unsigned char& byte : noise) {
      byte = static_cast<unsigned char>(device());
    }
  }
  std::string letters;
  for (const unsigned char byte : noise) {
    letters += kLetters[byte % kLetters.size()];
  }
  return letters;
}

FileSystem& SystemFileSystem() {
  static PosixFileSystem system;
  return system;
}

}  // namespace fractions
