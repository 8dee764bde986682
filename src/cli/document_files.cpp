#include "document_files.h"

#include <QBuffer>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

#include "files/file_errors.h"
#include "files/file_set.h"
#include "output/pdf_output.h"
#include "richtext/rtf_reader.h"

namespace fractions {

namespace {

struct PlannedFile {
  std::string name;
  std::string bytes;
};

[[noreturn]] void Fail(const std::string& name, const std::string& reason) {
  throw FileWriteError("Impossible de créer le fichier " + name + " (" + reason + ")");
}

[[noreturn]] void Fail(const std::string& name, const WriteFailure& failure) {
  const std::string reason = FrenchErrorText(failure.error);
  switch (failure.step) {
    case WriteStep::kCreate:
      Fail(name, reason);
    case WriteStep::kWrite:
      throw FileWriteError("Impossible d'écrire le fichier " + name + " (" + reason + ")");
  }
  Fail(name, reason);
}

// The PDF of an RTF document, laid out as a view would show it, in memory:
// it reaches the disk through the same writer as the other files.
std::string PdfBytes(const std::string& name, const std::string& rtf, const PdfSettings& pdf) {
  QTextDocument document;
  QTextCursor cursor(&document);
  if (const auto error = InsertRtf(cursor, rtf, PictureReading::kAllOrError)) {
    Fail(name, ReadErrorInFrench(*error));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  try {
    WriteDocumentPdf(document, buffer, pdf);
  } catch (const PdfError& error) {
    Fail(name, error.what());
  }
  return bytes.toStdString();
}

}  // namespace

void WriteDocumentFiles(const std::string& base, const std::string& subject,
                        const std::string& answer_key, const std::optional<PdfSettings>& pdf) {
  std::vector<PlannedFile> planned = {{base + ".rtf", subject}, {base + "_Cor.rtf", answer_key}};
  if (pdf) {
    planned.push_back({base + ".pdf", PdfBytes(base + ".pdf", subject, *pdf)});
    planned.push_back({base + "_Cor.pdf", PdfBytes(base + "_Cor.pdf", answer_key, *pdf)});
  }
  std::vector<FileContent> files;
  for (const PlannedFile& file : planned) {
    files.push_back({file.name, file.bytes});
  }
  if (const auto failure = WriteFileSet(files)) {
    Fail(planned[failure->file].name, failure->failure);
  }
}

}  // namespace fractions
