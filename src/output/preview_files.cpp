#include "preview_files.h"

#include <unistd.h>
#include <QFile>

#include "files/link_rule.h"

namespace fractions {

QString PreviewPageFile(const QDir& folder, int page) {
  return folder.filePath(QStringLiteral("Temp%1.EMF").arg(page));
}

QString WriteTestFile(const QDir& folder) {
  return folder.filePath(QStringLiteral("TWFile.txt"));
}

QStringList PreviewFiles(const QDir& folder) {
  QStringList files;
  for (int page = 0; page < kPreviewPageCount; ++page) {
    files << PreviewPageFile(folder, page);
  }
  files << WriteTestFile(folder);
  return files;
}

bool WriteTest(const QDir& folder) {
  std::error_code error;
  const int fd = CreateFreshFile(QFile::encodeName(WriteTestFile(folder)).toStdString(), error);
  return fd >= 0 && ::close(fd) == 0;
}

}  // namespace fractions
