#include "document_files.h"

#include <QSaveFile>

namespace fractions {

namespace {

[[noreturn]] void Fail(const QSaveFile& file) {
  throw FileWriteError("Impossible de créer le fichier " + file.fileName().toStdString() + " (" +
                       file.errorString().toStdString() + ")");
}

void WriteAll(QSaveFile& file, const std::string& bytes) {
  if (!file.open(QIODevice::WriteOnly)) {
    Fail(file);
  }
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
      static_cast<qint64>(bytes.size())) {
    Fail(file);
  }
}

}  // namespace

void WriteDocumentPair(const QString& base, const std::string& subject,
                       const std::string& answer_key) {
  QSaveFile subject_file(base + ".rtf");
  QSaveFile answer_file(base + "_Cor.rtf");
  WriteAll(subject_file, subject);
  WriteAll(answer_file, answer_key);
  // Both complete: only the renames are left. An uncommitted QSaveFile
  // removes its temporary file when destroyed.
  if (!subject_file.commit()) {
    Fail(subject_file);
  }
  if (!answer_file.commit()) {
    Fail(answer_file);
  }
}

}  // namespace fractions
