#include "small_disk.h"

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace fractions::testing {

namespace {

bool mounts_allowed = false;

void SetFileSizeLimit(rlim_t limit) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, nullptr);
  const struct rlimit value { limit, limit };
  ::setrlimit(RLIMIT_FSIZE, &value);
}

}  // namespace

void SmallDisk::SetMountsAllowed(bool allowed) {
  mounts_allowed = allowed && qEnvironmentVariableIsEmpty("FRACTIONS_TEST_NO_MOUNT");
}

SmallDisk::SmallDisk(int kib) : limit_bytes_(qint64{kib} * 1024) {
  if (!folder_.isValid()) {
    throw std::runtime_error("no temporary folder");
  }
  if (mounts_allowed) {
    const QByteArray options = "size=" + QByteArray::number(kib) + "k,mode=0700";
    mounted_ = ::mount("tmpfs", QFile::encodeName(Path()).constData(), "tmpfs", 0,
                       options.constData()) == 0;
  }
}

SmallDisk::~SmallDisk() {
  if (mounted_) {
    ::umount2(QFile::encodeName(Path()).constData(), MNT_DETACH);
  }
}

bool SmallDisk::Hold(const FileSet& files) const {
  for (const auto& [name, bytes] : files) {
    QFile file(FilePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
      file.close();
      for (const QString& written : QDir(Path()).entryList(QDir::Files | QDir::Hidden)) {
        QFile::remove(FilePath(written));
      }
      return false;
    }
  }
  return true;
}

FileSet SmallDisk::Files() const {
  FileSet files;
  for (const QString& name : QDir(Path()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    QFile file(FilePath(name));
    files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
  }
  return files;
}

void SmallDisk::Limited(const std::function<void()>& body) const {
  if (mounted_) {
    body();
    return;
  }
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  SetFileSizeLimit(static_cast<rlim_t>(limit_bytes_));
  try {
    body();
  } catch (...) {
    ::setrlimit(RLIMIT_FSIZE, &old);
    throw;
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
}

void SmallDisk::Limit(QProcess& process) const {
  if (mounted_) {
    return;
  }
  const auto limit = static_cast<rlim_t>(limit_bytes_);
  process.setChildProcessModifier([limit] { SetFileSizeLimit(limit); });
}

}  // namespace fractions::testing
