#include "preview_files.h"

#include <QFile>

namespace fractions {

namespace {

std::filesystem::path Local(const QString& file) {
  return QFile::encodeName(file).toStdString();
}

bool NamesFreeOrOurs(const QDir& folder, const WrittenFiles& files) {
  for (int page = 0; page < kPreviewPageCount; ++page) {
    if (!files.IsFreeOrOurs(Local(PreviewPageFile(folder, page)))) {
      return false;
    }
  }
  return files.IsFreeOrOurs(Local(WriteTestFile(folder)));
}

}  // namespace

QString PreviewPageFile(const QDir& folder, int page) {
  return folder.absoluteFilePath(QStringLiteral("Temp%1.EMF").arg(page));
}

QString WriteTestFile(const QDir& folder) {
  return folder.absoluteFilePath(QStringLiteral("TWFile.txt"));
}

bool WriteTest(const QDir& folder, WrittenFiles& files) {
  std::error_code error;
  return files.Write(Local(WriteTestFile(folder)), {}, error);
}

std::optional<QDir> PreviewFiles::Folder(const QDir& working) {
  if (NamesFreeOrOurs(working, written_) && WriteTest(working, written_)) {
    return working;
  }
  if (own_folder_ == nullptr || !own_folder_->isValid()) {
    own_folder_ = std::make_unique<QTemporaryDir>();
  }
  const QDir own(own_folder_->path());
  if (own_folder_->isValid() && WriteTest(own, written_)) {
    return own;
  }
  return std::nullopt;
}

void PreviewFiles::RemovePages(const QDir& folder) {
  for (int page = 0; page < kPreviewPageCount; ++page) {
    written_.Remove(Local(PreviewPageFile(folder, page)));
  }
}

void PreviewFiles::RemoveAll() {
  written_.RemoveAll();
  own_folder_.reset();
}

}  // namespace fractions
