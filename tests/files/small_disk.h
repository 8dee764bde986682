#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <map>

namespace fractions::testing {

// Files by name, with their bytes.
using FileSet = std::map<QString, QByteArray>;

// A folder where writes fail once a few KiB are taken. Where the test runs
// in a mount namespace of its own (root, or a machine that allows it), a
// tmpfs of that size: the disk fills up as it would for a teacher. Else (a
// CI machine that refuses mounts), a plain folder where every file stops at
// that size (RLIMIT_FSIZE with SIGXFSZ ignored, so that write fails with
// EFBIG part-way), which still makes writes fail in the middle of a file.
// Setting FRACTIONS_TEST_NO_MOUNT forces the second kind.
class SmallDisk {
 public:
  static void SetMountsAllowed(bool allowed);

  explicit SmallDisk(int kib);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool IsTmpfs() const { return mounted_; }
  QString Path() const { return folder_.path(); }
  QString FilePath(const QString& name) const { return folder_.filePath(name); }
  // What a failed write names as its reason on this disk.
  const char* Reason() const { return mounted_ ? "disque plein" : "fichier trop grand"; }

  // Writes `files` into the folder; false, with the folder emptied, when
  // they do not fit.
  bool Hold(const FileSet& files) const;
  // Every file of the folder, hidden ones included.
  FileSet Files() const;

  // Runs `body` in this process with the size limit in force, if any.
  void Limited(const std::function<void()>& body) const;
  // Makes `process` start with the size limit in force, if any.
  void Limit(QProcess& process) const;

 private:
  QTemporaryDir folder_;
  qint64 limit_bytes_;
  bool mounted_ = false;
};

}  // namespace fractions::testing
