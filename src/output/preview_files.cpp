#include "preview_files.h"

#include <QFile>

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
  QFile test(WriteTestFile(folder));
  return test.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

}  // namespace fractions
