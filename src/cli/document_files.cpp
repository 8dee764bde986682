#include "document_files.h"

#include <QBuffer>
#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

#include "files/file_errors.h"
#include "files/staged_file.h"
#include "output/pdf_output.h"
#include "richtext/rtf_reader.h"

namespace fractions {

namespace {

struct PlannedFile {
  QString name;
  std::string bytes;
};

[[noreturn]] void Fail(const QString& name, const std::string& reason) {
  throw FileWriteError("Impossible de créer le fichier " + name.toStdString() + " (" + reason +
                       ")");
}

[[noreturn]] void Fail(const QString& name, const WriteFailure& failure) {
  const std::string reason = FrenchErrorText(failure.error);
  switch (failure.step) {
    case WriteStep::kCreate:
      Fail(name, reason);
    case WriteStep::kWrite:
      throw FileWriteError("Impossible d'écrire le fichier " + name.toStdString() + " (" + reason +
                           ")");
  }
  Fail(name, reason);
}

// The PDF of an RTF document, laid out as a view would show it, in memory:
// it reaches the disk through the same writer as the other files.
std::string PdfBytes(const QString& name, const std::string& rtf, int margin_mm) {
  QTextDocument document;
  QTextCursor cursor(&document);
  if (const auto error = InsertRtf(cursor, rtf)) {
    Fail(name, error->message);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  try {
    WriteDocumentPdf(document, buffer, margin_mm);
  } catch (const PdfError& error) {
    Fail(name, error.what());
  }
  return bytes.toStdString();
}

}  // namespace

void WriteDocumentFiles(const QString& base, const std::string& subject,
                        const std::string& answer_key, std::optional<int> pdf_margin_mm) {
  std::vector<PlannedFile> planned = {{base + ".rtf", subject}, {base + "_Cor.rtf", answer_key}};
  if (pdf_margin_mm) {
    planned.push_back({base + ".pdf", PdfBytes(base + ".pdf", subject, *pdf_margin_mm)});
    planned.push_back({base + "_Cor.pdf", PdfBytes(base + "_Cor.pdf", answer_key, *pdf_margin_mm)});
  }
  // Every file whole on the disk before any takes its name; a failure
  // leaves all the old files as they were (the staged ones go with `staged`).
  std::vector<StagedFile> staged(planned.size());
  for (std::size_t i = 0; i < planned.size(); ++i) {
    if (const auto failure =
            staged[i].Stage(QFile::encodeName(planned[i].name).toStdString(), planned[i].bytes)) {
      Fail(planned[i].name, *failure);
    }
  }
  for (std::size_t i = 0; i < planned.size(); ++i) {
    if (const auto failure = staged[i].Commit()) {
      Fail(planned[i].name, *failure);
    }
  }
}

}  // namespace fractions
