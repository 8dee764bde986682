#include "document_files.h"

#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>
#include <vector>

#include "output/pdf_output.h"
#include "richtext/rtf_reader.h"

namespace fractions {

namespace {

[[noreturn]] void Fail(const QSaveFile& file) {
  throw FileWriteError("Impossible de créer le fichier " + file.fileName().toStdString() + " (" +
                       file.errorString().toStdString() + ")");
}

std::unique_ptr<QSaveFile> Open(const QString& name) {
  auto file = std::make_unique<QSaveFile>(name);
  if (!file->open(QIODevice::WriteOnly)) {
    Fail(*file);
  }
  return file;
}

void WriteRtf(QSaveFile& file, const std::string& bytes) {
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
      static_cast<qint64>(bytes.size())) {
    Fail(file);
  }
}

// The PDF of an RTF document, laid out as a view would show it.
void WritePdf(QSaveFile& file, const std::string& rtf) {
  QTextDocument document;
  QTextCursor cursor(&document);
  if (const auto error = InsertRtf(cursor, rtf)) {
    throw FileWriteError("Impossible de créer le fichier " + file.fileName().toStdString() + " (" +
                         error->message + ")");
  }
  try {
    WriteDocumentPdf(document, file);
  } catch (const PdfError&) {
    Fail(file);
  }
}

}  // namespace

void WriteDocumentFiles(const QString& base, const std::string& subject,
                        const std::string& answer_key, bool pdf) {
  std::vector<std::unique_ptr<QSaveFile>> files;
  files.push_back(Open(base + ".rtf"));
  WriteRtf(*files.back(), subject);
  files.push_back(Open(base + "_Cor.rtf"));
  WriteRtf(*files.back(), answer_key);
  if (pdf) {
    files.push_back(Open(base + ".pdf"));
    WritePdf(*files.back(), subject);
    files.push_back(Open(base + "_Cor.pdf"));
    WritePdf(*files.back(), answer_key);
  }
  // All complete: only the renames are left. An uncommitted QSaveFile
  // removes its temporary file when destroyed.
  for (const auto& file : files) {
    if (!file->commit()) {
      Fail(*file);
    }
  }
}

}  // namespace fractions
